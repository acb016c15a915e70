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
    if (ui->reportBar->isVisible()) {
        ui->reportBar->hide();
        m_actionReport->setText(tr("Show Report"));
    } else {
        m_actionReport->setText(tr("Hide Report"));
        ui->reportBar->updateReport(currentChart(), true);
        ui->reportBar->show();
    }
    Settings().setValue(QStringLiteral("Main/report_bar"), ui->reportBar->isVisible());
}

void MainWindow::toggleMarkerBar()
{
    if (ui->markerBar->isVisible()) {
        ui->markerBar->hide();
        m_actionMarkers->setText(tr("Show Markers"));
    } else {
        m_actionMarkers->setText(tr("Hide Markers"));
        ui->markerBar->show();
        if (findCalculator())
            fillCalculator();
    }
    Settings().setValue(QStringLiteral("Main/markers_bar"), ui->markerBar->isVisible());
    replotCurrent();
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
