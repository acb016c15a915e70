#pragma once

#include <QColor>
#include <QString>

#include <functional>

class QWidget;

// The colour chooser. It shows the system's colour dialog, except while a test has set a
// responder, which then answers in place of a person. An invalid colour is a cancel.
QColor askColor(const QColor& initial, QWidget* parent, const QString& title);

using ColorDialogResponder = std::function<QColor(const QColor& initial, const QString& title)>;
void setColorDialogResponder(ColorDialogResponder responder);
