#include "ChartColors.h"

const QList<QColor>& chartColors()
{
    static const QList<QColor> table{
        QColor(Qt::red),       QColor(Qt::green),      QColor(Qt::blue),
        QColor(Qt::magenta),   QColor(Qt::darkGreen),  QColor(QStringLiteral("#f67209")),
        QColor(QStringLiteral("#eb312b")), QColor(Qt::darkCyan),
    };
    return table;
}

QColor chartColor(int i)
{
    const QList<QColor>& table = chartColors();
    return i < 0 ? table.first() : table.at(i % table.size());
}
