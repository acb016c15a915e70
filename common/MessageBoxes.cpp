#include "MessageBoxes.h"

#include <QPixmap>

namespace {
MessageBoxResponder& responder()
{
    static MessageBoxResponder r;
    return r;
}

int showBox(const char* icon, QWidget* parent, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setStandardButtons(buttons);
    box.setDefaultButton(defaultButton);
    box.setIconPixmap(QPixmap(QLatin1String(icon)).scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    if (responder())
        return responder()(box);
    return box.exec();
}
} // namespace

void setMessageBoxResponder(MessageBoxResponder r)
{
    responder() = std::move(r);
}

int alertBox(QWidget* parent, const QString& title, const QString& text,
             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return showBox(":/res/alert.png", parent, title, text, buttons, defaultButton);
}

int informationBox(QWidget* parent, const QString& title, const QString& text,
                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return showBox(":/res/information.png", parent, title, text, buttons, defaultButton);
}

int warningBox(QWidget* parent, const QString& title, const QString& text,
               QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return showBox(":/res/warning.png", parent, title, text, buttons, defaultButton);
}
