#pragma once

#include <QIntValidator>

// The Duration field's validator: like an integer validator, but a typed value beyond
// the range is refused at once instead of counting as an unfinished entry.
class LengthValidator : public QIntValidator
{
    Q_OBJECT
public:
    explicit LengthValidator(QObject* parent = nullptr);
    LengthValidator(int bottom, int top, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;
};
