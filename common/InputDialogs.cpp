#include "InputDialogs.h"

#include <QInputDialog>

namespace {
IntegerResponder& responder()
{
    static IntegerResponder r;
    return r;
}
} // namespace

void setIntegerResponder(IntegerResponder r)
{
    responder() = std::move(r);
}

std::optional<int> askInteger(QWidget* parent, const IntegerRequest& request)
{
    if (responder())
        return responder()(request);
    bool ok = false;
    const int value = QInputDialog::getInt(parent, request.title, request.label, request.value, request.minimum,
                                           request.maximum, request.step, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}
