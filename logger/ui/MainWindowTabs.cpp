// Capture tabs: creation and wiring, the current tab, and saving one tab or every tab
// that holds a recording nobody saved. Closing them is MainWindowTabClose.cpp's.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ChartAxis.h"
#include "MarkerBar.h"
#include "MarkerLine.h"
#include "NavigationBar.h"
#include "ReportBar.h"
#include "ChartPlot.h"
#include "ColorsAgent.h"
#include "FileDialogs.h"
#include "GLWidget.h"
#include "LoggerState.h"
#include "MessageBoxes.h"
#include "PlotColors.h"
#include "Settings.h"
#include "SwapFile.h"
#include "UnitFormat.h"

#include <QApplication>
#include <QDebug>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>

GLWidget* MainWindow::currentChart() const
{
    return qobject_cast<GLWidget*>(ui->tabWidget->currentWidget());
}

QCustomPlot* MainWindow::currentPlot() const
{
    GLWidget* chart = currentChart();
    return chart ? chart->plot : nullptr;
}

void MainWindow::addCaptureTab()
{
    const bool dark = Settings().value(QStringLiteral("Options/dark-color"), false).toBool();
    ColorsAgent theme(dark);
    const int number = ui->tabWidget->count() + 1;
    const QString text = captureName(number);

    auto* chart = new GLWidget(nullptr);
    chart->setObjectName(QStringLiteral("tab_") + text);
    auto* layout = new QHBoxLayout(chart);
    layout->setObjectName(QStringLiteral("horizontalLayout_") + text);
    layout->setSpacing(6);
    layout->setContentsMargins(11, 11, 11, 11);

    auto* plot = new ChartPlot(chart);
    chart->setPlot(plot);
    plot->setObjectName(text);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(2);
    policy.setHeightForWidth(plot->sizePolicy().hasHeightForWidth());
    plot->setSizePolicy(policy);
    layout->addWidget(plot);

    const int index = ui->tabWidget->addTab(chart, QString());
    ui->tabWidget->setTabText(index, text);
    ui->tabWidget->tabBar()->setTabData(index, number);
    plot->setAutoAddPlottableToLegend(false);

    QCPAxis* key = plot->xAxis;
    key->setLabel(timeFormatMode == 2 ? tr("Time") : tr("Time, sec"));
    if (ChartAxis* axis = qobject_cast<ChartAxis*>(key)) {
        axis->setRange(0, 10);
        axis->setAutoTickCount(8);
        axis->setAutoSubTicks(true);
    } else {
        key->setRange(0, 10);
    }
    key->setNumberPrecision(8);
    key->setTickLength(8, 0);
    key->setSubTickLength(4, 0);
    QFont labelFont = key->labelFont();
    labelFont.setWeight(QFont::Bold);
    key->setLabelFont(labelFont);
    setBarColors(plot, theme.background());

    connect(key, qOverload<const QCPRange&, const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this, key](const QCPRange& now, const QCPRange& old) { on_rangeChanged(now, old, key); });
    connect(chart, &GLWidget::axisRangeChanged, this, &MainWindow::on_rangeChanged);
    connect(chart, &GLWidget::channelsAdded, this, &MainWindow::on_channelsAdded);
    connect(plot, &QCustomPlot::mouseWheel, this, &MainWindow::on_mouseWheel);
    connect(plot, &QCustomPlot::plottableDoubleClick, this, &MainWindow::on_plottableDoubleClick);
    connect(plot, &QCustomPlot::mouseMove, this, &MainWindow::on_mouseMove);
    connect(plot, &QCustomPlot::mouseRelease, this, &MainWindow::on_mouseRelease);
    connect(plot, &QCustomPlot::axisDoubleClick, this, &MainWindow::on_axisDoubleClick);
    connect(plot, &ChartPlot::rangeBorderReached, this, &MainWindow::on_rangeBorderReached);
    connect(chart->swapFile, &SwapFile::swapFileError, this, &MainWindow::on_swapFileError);

    ui->tabWidget->setCurrentIndex(index);
    ui->markerBar->loadMarkers(chart);
    repaint();
}

void MainWindow::on_channelsAdded()
{
    GLWidget* chart = qobject_cast<GLWidget*>(sender());
    if (!chart)
        chart = currentChart();
    connectAxisUnits(chart);
    if (QCustomPlot* plot = chart ? chart->plot : nullptr) {
        new MarkerLine(ui->markerBar, plot);
        plot->replot(QCustomPlot::rpQueuedRefresh);
    }
}

void MainWindow::on_currentTabChanged(int index)
{
    // A tab before the running one went away: the index moved, the tab shown did not.
    if (m_runChart && currentChart() == m_runChart)
        return;
    terminateMeasuring();
    if (index < 0)
        return;
    on_timeFormatChanged();
    GLWidget* chart = currentChart();
    ui->markerBar->loadMarkers(chart);
    if (ui->reportBar->isVisible())
        ui->reportBar->updateReport(chart, true);
    if (chart && chart->swapFile)
        ui->navigationBar->setSwapFile(chart->swapFile);
    // An open calculator describes the tab looked at, not the one it was filled from (the
    // readout is emptied by the time-format step above).
    fillCalculator();
}

QString MainWindow::saveFilter() const
{
    return powerMode() ? QStringLiteral("Hollowcrest Power (*.vendrake )") : QStringLiteral("TALVO (*.talvo )");
}

QString MainWindow::logExtension()
{
    return powerMode() ? QStringLiteral(".vendrake") : QStringLiteral(".talvo");
}

QString MainWindow::proposedSaveName(int index) const
{
    QString name = ui->tabWidget->tabText(index);
    name.remove(QLatin1Char('*'));
    name += logExtension();
    const QString folder = Settings().value(QStringLiteral("Main/save-path"), Settings::folder()).toString();
    return QDir(folder).absoluteFilePath(name);
}

QString MainWindow::askLogFileName(int index)
{
    QString fileName = askSaveFileName(this, QStringLiteral("Save file"), proposedSaveName(index), saveFilter());
    // A log without its extension would be hidden by the open dialog's filter.
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    // "name." has no extension either; its dot is the extension's own.
    while (fileName.endsWith(QLatin1Char('.')))
        fileName.chop(1);
    fileName += logExtension();
    // The dialog asked about replacing the name typed, not about this one.
    if (QFileInfo::exists(fileName)
        && warningBox(this, tr("Save"),
                      tr("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(fileName)),
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes)
        return QString();
    return fileName;
}

bool MainWindow::saveChartAs(GLWidget* chart, const QString& fileName, StatusText* reason)
{
    SwapFile* file = chart->swapFile;
    // A tab that never recorded has no file to save; the file system has no reason to give.
    if (file->fileName().isEmpty()) {
        *reason = [] { return tr("the tab holds no recording"); };
        return false;
    }
    const QFileInfo target(fileName);
    // Saving a log onto its own file: it is already there.
    if (target.exists() && QFileInfo(file->fileName()).canonicalFilePath() == target.canonicalFilePath())
        return true;
    // Another tab reads its window from that file whenever it is dragged: replaced under
    // it, the file would be read with the other tab's channels and length.
    if (const int other = tabShowingFile(fileName); other >= 0) {
        *reason = [tab = ui->tabWidget->tabText(other)] { return tr("it is open in the tab %1").arg(tab); };
        return false;
    }
    // A run whose end the disk refused is completed first; without it the log would be
    // missing its last samples and its report block.
    if (chart->tailUnwritten && !writeRunTail(chart)) {
        *reason = [] { return swapFileErrorText(6); };
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A log already on disk (an opened log, a saved capture) is the user's file, perhaps
    // shown in other tabs too: it stays where it is and the tab goes on with the copy.
    // A capture's swap file is nobody else's and moves.
    const SwapFile::SaveResult result = chart->keepFile ? file->saveCopyAs(fileName) : file->saveAs(fileName);
    QApplication::restoreOverrideCursor();
    if (result.saved)
        return true;
    if (result.reason.isEmpty())
        *reason = [] { return swapFileErrorText(4); };
    else
        *reason = [said = result.reason] { return said; };
    return false;
}

int MainWindow::tabShowingFile(const QString& fileName) const
{
    const QString wanted = QFileInfo(fileName).canonicalFilePath();
    if (wanted.isEmpty())
        return -1;
    for (int i = 0; i < ui->tabWidget->count(); ++i) {
        const auto* chart = qobject_cast<GLWidget*>(ui->tabWidget->widget(i));
        if (chart && chart->swapFile && QFileInfo(chart->swapFile->fileName()).canonicalFilePath() == wanted)
            return i;
    }
    return -1;
}

bool MainWindow::saveTab(int index)
{
    QPointer<GLWidget> chart = qobject_cast<GLWidget*>(ui->tabWidget->widget(index));
    if (!chart)
        return false;
    const QString fileName = askLogFileName(index);
    // The dialog runs its own event loop: meanwhile the tab may have moved or gone.
    if (fileName.isEmpty() || !chart)
        return false;
    index = ui->tabWidget->indexOf(chart);
    const QFileInfo info(fileName);
    Settings().setValue(QStringLiteral("Main/save-path"), info.absolutePath());
    StatusText reason;
    if (!saveChartAs(chart, fileName, &reason)) {
        showError([reason] { return tr("Couldn't save file ") + reason(); }, 5000);
        return false;
    }
    showMessage([] { return tr("Saved"); }, 10000);
    nameTabAfterFile(index, info.completeBaseName());
    chart->keepFile = true;
    return true;
}

void MainWindow::on_actionSave()
{
    saveTab(ui->tabWidget->currentIndex());
}

void MainWindow::keepUnsavedRecording(GLWidget* chart, QStringList& kept)
{
    // The recording is never deleted behind the user's back: it stays where it is.
    chart->keepFile = true;
    kept << chart->swapFile->fileName();
}

QList<QPointer<GLWidget>> MainWindow::unsavedCharts(int first, int last) const
{
    QList<QPointer<GLWidget>> unsaved;
    for (int i = qMax(0, first); i <= last && i < ui->tabWidget->count(); ++i) {
        if (auto* chart = qobject_cast<GLWidget*>(ui->tabWidget->widget(i)); chart && !chart->keepFile)
            unsaved << chart;
    }
    return unsaved;
}

void MainWindow::saveUnsavedTabs()
{
    const QList<QPointer<GLWidget>> unsaved = unsavedCharts(0, ui->tabWidget->count() - 1);
    QStringList kept;
    for (const QPointer<GLWidget>& chart : std::as_const(unsaved)) {
        // Each dialog runs its own event loop, in which a tab may go away.
        if (!chart)
            continue;
        const QString fileName = askLogFileName(ui->tabWidget->indexOf(chart));
        if (!chart)
            continue;
        if (fileName.isEmpty()) {
            keepUnsavedRecording(chart, kept);
            continue;
        }
        Settings().setValue(QStringLiteral("Main/save-path"), QFileInfo(fileName).absolutePath());
        StatusText reason;
        if (saveChartAs(chart, fileName, &reason)) {
            qDebug() << "Save SUCCEEDED";
            chart->keepFile = true;
        } else {
            qDebug() << "Save FAILED";
            keepUnsavedRecording(chart, kept);
        }
    }
    if (!kept.isEmpty())
        informationBox(this, tr("Save"),
                       tr("These recordings were not saved and are kept here:\n%1").arg(kept.join(QLatin1Char('\n'))));
}
