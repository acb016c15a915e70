#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The integer input dialog of the programs. It shows the system's dialog, except while a
// test has set a responder, which then answers in place of a person.
struct IntegerRequest
{
    QString title;
    QString label;
    int value;
    int minimum;
    int maximum;
    int step;
};
// The value entered, or nothing when the dialog was cancelled.
std::optional<int> askInteger(QWidget* parent, const IntegerRequest& request);

using IntegerResponder = std::function<std::optional<int>(const IntegerRequest&)>;
void setIntegerResponder(IntegerResponder responder);
