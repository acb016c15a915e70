#pragma once

#include <QByteArray>

// The scrolling line's document for the over-current warning: one message, the warning
// text with five blanks on each side, in yellow, two pixels a tick, restarting at once.
QByteArray overCurrentBannerJson();
