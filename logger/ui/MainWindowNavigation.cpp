// The navigation bar's side of the main window: a click on the record's overview loads
// the chart window around that time from the tab's swap file.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "GLWidget.h"
#include "LoggerState.h"
#include "SwapFile.h"

#include <cmath>

void MainWindow::on_navigationClicked(double _time)
{
    GLWidget* chart = currentChart();
    if (measuringActive || !chart || !chart->plot || !std::isfinite(_time))
        return;
    const double t = std::trunc(_time);
    const double width = chart->plot->xAxis->range().size();
    // No run is going (no worker touches the maps): the window is replaced at once.
    if (!readChartWindow(chart, t, m_viewingInterval))
        return;
    if (!chart->channelMaps.isEmpty())
        centreKeyAxis(t, width);
}
