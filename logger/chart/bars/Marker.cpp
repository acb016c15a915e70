#include "Marker.h"

#include <QPainter>

Marker::Marker()
    : shape(QVector<QPointF>{{5, 1}, {21, 1}, {21, 16}, {13, 22}, {5, 16}, {5, 1}})
{
}

void Marker::moveTo(double newX, double newTime)
{
    shape.translate(newX - x, 0);
    time = newTime;
    x = newX;
}

void Marker::paint(QPainter* painter) const
{
    painter->save();
    painter->setPen(color);
    painter->drawPolygon(shape, Qt::OddEvenFill);
    painter->setPen(textColor);
    painter->drawText(shape.boundingRect(), Qt::AlignHCenter | Qt::AlignTop, name);
    painter->restore();
}
