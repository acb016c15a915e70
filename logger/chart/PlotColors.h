#pragma once

class QColor;
class QCPAxis;
class QCustomPlot;

// Colours an axis (labels, tick labels and every pen) like its graph; an invalid
// colour or a missing axis changes nothing.
void setGraphColor(QCPAxis* axis, const QColor& colour);

// Background of a bar plot in `colour`, its key axis in the inverse colour.
void setBarColors(QCustomPlot* plot, const QColor& colour);
