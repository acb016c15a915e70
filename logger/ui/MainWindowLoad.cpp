// Opening saved logs: choosing the file, setting the window up for the log's device kind
// and loading its first window, overview and statistics.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ChannelInfo.h"
#include "ChartAxis.h"
#include "MarkerBar.h"
#include "NavigationBar.h"
#include "ReportBar.h"
#include "DeviceDescriptions.h"
#include "DeviceInfo.h"
#include "FileDialogs.h"
#include "GLWidget.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "MessageBoxes.h"
#include "PowerPanel.h"
#include "Settings.h"
#include "SwapFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimer>

namespace {
// An analyzer log is read with the analyzer's own channels and record layout, whatever
// the window shows at the moment (a supply, or no device and so no channel table). The
// window's state comes back when the log is loaded.
class AnalyzerLogScope
{
public:
    AnalyzerLogScope()
        : m_table(channelTable)
        , m_info(DeviceInfo::instance())
        , m_supply(powerSupplyConnected)
        , m_supply600(power600Model)
    {
        powerSupplyConnected = false;
        power600Model = false;
        const bool analyzerTable = !m_supply && !m_supply600 && !channelTable.isEmpty();
        if (!analyzerTable) {
            ChannelInfo::clearTable();
            createDefaults();
        }
    }
    ~AnalyzerLogScope()
    {
        channelTable = m_table;
        DeviceInfo::instance() = m_info;
        powerSupplyConnected = m_supply;
        power600Model = m_supply600;
    }

private:
    const ChannelTable m_table;
    const DeviceInfo m_info;
    const bool m_supply;
    const bool m_supply600;
};

// The channel numbers a supply log's header lists, within the list's own length and
// the channel table.
QList<int> headerChannels(const SwapFileHeader& header, bool secondModel)
{
    const quint8* numbers = secondModel ? header.channelNumbers32 : header.channelNumbers;
    const int capacity = secondModel ? int(sizeof header.channelNumbers32) : int(sizeof header.channelNumbers);
    const int count = qMin(int(header.channelCount), capacity);
    QList<int> channels;
    for (int i = 0; i < count; ++i) {
        if (channelTable.contains(numbers[i]))
            channels << numbers[i];
    }
    return channels;
}
} // namespace

void MainWindow::on_actionLoad()
{
    Settings settings;
    const QString folder = settings.value(QStringLiteral("Main/load-path"), Settings::folder()).toString();
    QString filter;
    if (HidDevice::instance(this)->isOpen() || ui->tabWidget->count() > 0)
        filter = saveFilter();
    else
        filter = QStringLiteral("TALVO (*.talvo );;Hollowcrest Power (*.vendrake )");
    const QString path = askOpenFileName(this, QStringLiteral("Open file"), folder, filter);
    if (path.isEmpty())
        return;
    settings.setValue(QStringLiteral("Main/load-path"), QFileInfo(path).absolutePath());
    loadLog(path);
}

void MainWindow::loadLog(const QString& path)
{
    const QString base = QFileInfo(path).completeBaseName();
    const SwapFileHeader header = SwapFile::readHeaderOf(path);
    // The whole header is judged before anything of the window, the panels or another
    // tab changes: a file that is refused leaves the session exactly as it was.
    if (header.deviceKind == LogFormat::UnreadableKind) {
        alertBox(this, tr("Open file"), tr("The file is corrupted or in the wrong format"));
        return;
    }
    if (header.version > LogFormat::currentVersion) {
        alertBox(this, tr("Open file"), swapFileErrorText(SwapFileErrors::WrongVersion));
        return;
    }
    addCaptureTab();
    GLWidget* chart = currentChart();
    if (!chart)
        return;
    chart->setCursor(Qt::WaitCursor);
    ui->navigationBar->disableControls();

    bool loaded = false;
    bool cancelled = false;
    if (header.deviceKind == LogFormat::Analyzer) {
        // A connected supply keeps its panels; otherwise the window shows the analyzer's.
        if (!(m_hid->isOpen() && powerMode()))
            setupAnalyzer();
        AnalyzerLogScope scope;
        chart->addChannels({});
        loaded = chart->swapFile->load(path, m_viewingInterval, chart->channelMaps);
        cancelled = chart->swapFile->wasCancelled();
        if (loaded)
            loaded = ui->navigationBar->setSwapFile(chart->swapFile);
        if (loaded) {
            chart->statistics = chart->swapFile->readReport();
            chart->updateTitle();
        }
    } else {
        if (header.deviceKind == LogFormat::PowerSupply) {
            powerSupplyConnected = true;
            setupPowerSupply();
        } else {
            power600Model = true;
            setupPower600();
        }
        createDefaultsPower();
        chart->addChannels(headerChannels(header, power600Model));
        loaded = chart->swapFile->loadPowerLog(path, m_viewingInterval, chart->channelMaps);
        cancelled = chart->swapFile->wasCancelled();
        const SwapFileHeader& logHeader = chart->swapFile->header();
        setPowerAxesFahrenheit(headerChannels(logHeader, power600Model), logHeader.fahrenheit == 1);
        chart->plot->replot();
        if (m_powerPanel)
            m_powerPanel->applyLogSettings(logHeader);
        if (loaded) {
            chart->statistics = chart->swapFile->readReport();
            chart->updateTitle();
        }
    }
    chart->setCursor(Qt::ArrowCursor);
    ui->navigationBar->enableControls();

    if (loaded) {
        const int index = ui->tabWidget->indexOf(chart);
        nameTabAfterFile(index, base);
        m_newTab = false;
        showMessage(tr("Loaded"), 10000);
        m_runStartMs = m_clock();
        centreKeyAxis(5, 10);
        chart->plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
        chart->plot->axisRect()->setRangeDrag(Qt::Horizontal | Qt::Vertical);
        chart->plot->axisRect()->setRangeZoom(Qt::Horizontal | Qt::Vertical);
        on_plottableDoubleClick(nullptr, 0, nullptr);
        ui->reportBar->updateReport(chart, true);
        fillCalculator();
        // The figures above come from the records themselves; the user learns why.
        if (chart->swapFile->isCutOff())
            warningBox(this, tr("Open file"),
                       tr("The log was cut off before its end. Samples it holds: %1")
                           .arg(chart->swapFile->recordsHeld()));
    } else if (ui->tabWidget->count() > 1) {
        // A failed or cancelled open takes away only the tab it made.
        QPointer<GLWidget> made(chart);
        auto drop = [this, made] {
            if (made)
                removeTab(ui->tabWidget->indexOf(made));
        };
        if (cancelled) {
            // A cancelled open's tab stays a moment so the user sees what was cancelled.
            // The timer is named so that a test can hold it while it starts a run.
            auto* timer = new QTimer(this);
            timer->setObjectName(QStringLiteral("cancelledOpenDrop"));
            timer->setSingleShot(true);
            connect(timer, &QTimer::timeout, this, [timer, drop] {
                drop();
                timer->deleteLater();
            });
            timer->start(2000);
        } else {
            drop();
        }
    }
    setToolBarEnabled(true, true);
    if (QCustomPlot* plot = currentPlot())
        if (auto* key = qobject_cast<ChartAxis*>(plot->xAxis))
            key->setUseTickLabelMap(true);
}
