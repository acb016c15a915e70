#pragma once

#include <QMessageBox>

#include <functional>

// Modal message boxes with the program's own alert, information and warning icons.
// Each returns the button pressed.
int alertBox(QWidget* parent, const QString& title, const QString& text,
             QMessageBox::StandardButtons buttons = QMessageBox::Ok,
             QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
int informationBox(QWidget* parent, const QString& title, const QString& text,
                   QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
int warningBox(QWidget* parent, const QString& title, const QString& text,
               QMessageBox::StandardButtons buttons = QMessageBox::Ok,
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Tests answer message boxes here instead of a person: while a responder is set, every
// box built by the helpers above is handed to it instead of being shown, and its
// result is returned as the button pressed.
using MessageBoxResponder = std::function<int(QMessageBox& box)>;
void setMessageBoxResponder(MessageBoxResponder responder);
