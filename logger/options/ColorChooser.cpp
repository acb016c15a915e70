#include "ColorChooser.h"

#include <QColorDialog>

namespace {
ColorChooserResponder& responder()
{
    static ColorChooserResponder instance;
    return instance;
}
} // namespace

QColor chooseColor(const QColor& initial, QWidget* parent)
{
    if (responder())
        return responder()(initial);
    return QColorDialog::getColor(initial, parent, QString());
}

void setColorChooserResponder(ColorChooserResponder responder_)
{
    responder() = std::move(responder_);
}
