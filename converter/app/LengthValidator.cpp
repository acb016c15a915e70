#include "LengthValidator.h"

LengthValidator::LengthValidator(QObject* parent)
    : QIntValidator(parent)
{
}

LengthValidator::LengthValidator(int bottom, int top, QObject* parent)
    : QIntValidator(bottom, top, parent)
{
}

QValidator::State LengthValidator::validate(QString& input, int& position) const
{
    const State state = QIntValidator::validate(input, position);
    if (state != Intermediate)
        return state;
    const qint64 value = locale().toLongLong(input);
    if (value > 0)
        return (value <= top() || -value >= bottom()) ? Intermediate : Invalid;
    return value >= bottom() ? Intermediate : Invalid;
}
