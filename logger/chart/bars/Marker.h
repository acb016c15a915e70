#pragma once

#include <QColor>
#include <QPolygonF>
#include <QString>

class QPainter;

// One time marker of the marker bar: a tag drawn in the bar and a vertical line on the
// chart, at the same horizontal pixel. The two markers of the bar are partners and always
// share their colour.
struct Marker
{
    Marker();

    // Moves the tag to pixel x, which shows `time` (seconds).
    void moveTo(double x, double time);
    // The tag's outline in `color` (no fill) with the name inside in `textColor`.
    void paint(QPainter* painter) const;

    QString name;
    double x = 0;
    double time = 0;
    Marker* partner = nullptr;
    QColor color;
    QColor textColor;
    // Outline in bar coordinates: 16 pixels wide, from x + 5 to x + 21, point at x + 13.
    QPolygonF shape;
};
