// Closing tabs without asking (the group closes of the tab bar's menu) and the view
// toggles of the tool bar: report bar, marker bar and the two docks.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "MarkerBar.h"
#include "NavigationBar.h"
#include "ReportBar.h"
#include "GLWidget.h"
#include "LoggerState.h"
#include "Settings.h"

#include <QAction>
#include <QDockWidget>

void MainWindow::closeTab(int index, bool reopen)
{
    // A double click beside the tabs or a menu outside them names no tab.
    if (index < 0 || index >= ui->tabWidget->count())
        return;
    terminateMeasuring();
    removeTab(index);
    if (reopen && ui->tabWidget->count() == 0 && !powerMode())
        afterLastTabClosed();
}

void MainWindow::toggleReportBar()
{
    const bool show = ui->reportBar->isHidden();
    if (show)
        ui->reportBar->updateReport(currentChart(), true);
    setReportBarShown(show);
    Settings().setValue(QStringLiteral("Main/report_bar"), show);
}

void MainWindow::toggleMarkerBar()
{
    const bool show = ui->markerBar->isHidden();
    setMarkerBarShown(show);
    if (show && findCalculator())
        fillCalculator();
    Settings().setValue(QStringLiteral("Main/markers_bar"), show);
    replotCurrent();
}

// Every change of the two bars' visibility goes through these, so that the tool bar's
// texts always say what a click on them does.
void MainWindow::setReportBarShown(bool shown)
{
    ui->reportBar->setVisible(shown);
    updateBarActions();
}

void MainWindow::setMarkerBarShown(bool shown)
{
    ui->markerBar->setVisible(shown);
    updateBarActions();
}

void MainWindow::updateBarActions()
{
    m_actionReport->setText(ui->reportBar->isHidden() ? tr("Show Report") : tr("Hide Report"));
    m_actionMarkers->setText(ui->markerBar->isHidden() ? tr("Show Markers") : tr("Hide Markers"));
}

void MainWindow::setDockShown(QDockWidget* dock, const QString& group, bool shown)
{
    if (shown) {
        dock->show();
        if (m_docksTabified)
            tabifyDockWidget(m_dockStatus, m_dockControl);
    } else {
        dock->hide();
    }
    Settings().setValue(group + QStringLiteral("/visible"), shown);
}
