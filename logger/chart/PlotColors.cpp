#include "PlotColors.h"

#include <qcustomplot.h>

void setGraphColor(QCPAxis* axis, const QColor& colour)
{
    if (!axis || !colour.isValid())
        return;
    axis->setLabelColor(colour);
    axis->setTickLabelColor(colour);
    axis->setTickPen(QPen(colour));
    axis->setSubTickPen(QPen(colour));
    axis->setBasePen(QPen(colour));
}

void setBarColors(QCustomPlot* plot, const QColor& colour)
{
    if (!plot || !colour.isValid())
        return;
    plot->setBackground(QBrush(colour));
    const QColor inverse(255 - colour.red(), 255 - colour.green(), 255 - colour.blue(), 255);
    QCPAxis* axis = plot->xAxis;
    axis->setTickLabelColor(inverse);
    axis->setLabelColor(inverse);
    axis->setSubTickPen(QPen(inverse));
    axis->setBasePen(QPen(inverse));
    axis->setTickPen(QPen(inverse, 2));
}
