#pragma once

#include <QColor>

#include <functional>

class QWidget;

// The colour chooser of the options dialog: the system's colour dialog, except while a
// test has set a responder, which then answers in place of a person. An invalid colour
// is a cancelled dialog.
QColor chooseColor(const QColor& initial, QWidget* parent);

using ColorChooserResponder = std::function<QColor(const QColor& initial)>;
void setColorChooserResponder(ColorChooserResponder responder);
