#include "MessageBoxes.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPixmap>

namespace {
// The buttons the program's boxes offer, labelled from the program's own translation
// so that they follow the chosen language (Qt's own translation files are not shipped).
struct ButtonText
{
    QMessageBox::StandardButton button;
    const char* text;
};
const ButtonText buttonTexts[] = {
    {QMessageBox::Ok, QT_TRANSLATE_NOOP("MessageBoxes", "OK")},
    {QMessageBox::Cancel, QT_TRANSLATE_NOOP("MessageBoxes", "Cancel")},
    {QMessageBox::Yes, QT_TRANSLATE_NOOP("MessageBoxes", "&Yes")},
    {QMessageBox::No, QT_TRANSLATE_NOOP("MessageBoxes", "&No")},
};

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
    for (const ButtonText& label : buttonTexts)
        if (QAbstractButton* button = box.button(label.button))
            button->setText(QCoreApplication::translate("MessageBoxes", label.text));
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
