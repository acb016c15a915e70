#include "ColorDialogs.h"

#include <QColorDialog>

namespace {
ColorDialogResponder& responder()
{
    static ColorDialogResponder r;
    return r;
}
} // namespace

QColor askColor(const QColor& initial, QWidget* parent, const QString& title)
{
    if (responder())
        return responder()(initial, title);
    return QColorDialog::getColor(initial, parent, title);
}

void setColorDialogResponder(ColorDialogResponder r)
{
    responder() = std::move(r);
}
