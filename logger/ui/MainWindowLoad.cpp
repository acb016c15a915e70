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
#include "LogChannels.h"
#include "LoggerState.h"
#include "MessageBoxes.h"
#include "PowerPanel.h"
#include "Settings.h"
#include "SwapFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

namespace {
// Whether the window's channel table is an analyzer's: it shows an analyzer that has
// described its channels.
bool analyzerTableInUse()
{
    return !powerSupplyConnected && !power600Model && !channelTable.isEmpty();
}

// A log is read with the channels, identity and mode flags of its own kind, whatever the
// window shows at the moment: an analyzer log with the analyzer's own channels and record
// layout (also when the window shows a supply, or no device and so no channel table), a
// supply log with its model's description. The window's state comes back when the scope
// ends, unless a loaded supply log keeps it (the window then switches to that supply).
class LogKindScope
{
public:
    explicit LogKindScope(quint8 kind)
        : m_table(channelTable)
        , m_info(DeviceInfo::instance())
        , m_supply(powerSupplyConnected)
        , m_supply600(power600Model)
    {
        if (kind == LogFormat::Analyzer) {
            const bool analyzerTable = analyzerTableInUse();
            powerSupplyConnected = false;
            power600Model = false;
            if (!analyzerTable) {
                ChannelInfo::clearTable();
                createDefaults();
            }
            return;
        }
        if (kind == LogFormat::PowerSupply)
            powerSupplyConnected = true;
        else
            power600Model = true;
        // The description alone: the panel of a connected supply keeps its channel list
        // until the window switches to the log.
        loadPowerDescription();
    }
    ~LogKindScope()
    {
        if (m_kept)
            return;
        channelTable = m_table;
        DeviceInfo::instance() = m_info;
        powerSupplyConnected = m_supply;
        power600Model = m_supply600;
    }
    void keep() { m_kept = true; }

private:
    const ChannelTable m_table;
    const DeviceInfo m_info;
    const bool m_supply;
    const bool m_supply600;
    bool m_kept = false;
};

// Whether the log that was loaded is still the one its header promised when the window
// was set up for it: a file replaced meanwhile by a log of another kind or with other
// channels would show its values as channels they were not taken from.
bool sameLogAsJudged(const SwapFileHeader& judged, const SwapFileHeader& loaded)
{
    return loaded.deviceKind == judged.deviceKind && recordedChannels(loaded) == recordedChannels(judged);
}

// The channel numbers of the table a log of this kind is read with: an analyzer log's is
// the window's own while that is an analyzer's, else the analyzer's description; a supply
// log's is its model's description.
QList<int> tableChannelsFor(quint8 kind)
{
    if (kind == LogFormat::Analyzer && analyzerTableInUse()) {
        QList<int> channels;
        for (auto it = channelTable.cbegin(); it != channelTable.cend(); ++it)
            channels << it.key();
        return channels;
    }
    if (kind == LogFormat::Analyzer)
        return describedChannels(analyzerDescription());
    return describedChannels(powerDescription(kind == LogFormat::PowerSupply600));
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
    const int problem = header.version > LogFormat::currentVersion
        ? int(SwapFileErrors::WrongVersion)
        : channelProblem(header, tableChannelsFor(header.deviceKind));
    if (problem != SwapFileErrors::None) {
        alertBox(this, tr("Open file"), swapFileErrorText(problem));
        return;
    }
    // The window switches to the log's kind only once the log is loaded: a load that
    // fails or is cancelled leaves the session as it was and takes away its tab again.
    const QPointer<QWidget> shownBefore = ui->tabWidget->currentWidget();
    const bool navigationEnabled = ui->navigationBar->controlsEnabled();
    addCaptureTab();
    GLWidget* chart = currentChart();
    if (!chart)
        return;
    chart->setCursor(Qt::WaitCursor);
    ui->navigationBar->disableControls();
    m_lastSwapFileError = SwapFileErrors::None;

    bool loaded = false;
    bool cancelled = false;
    bool replaced = false;
    const bool analyzerLog = header.deviceKind == LogFormat::Analyzer;
    {
        LogKindScope scope(header.deviceKind);
        chart->addChannels(analyzerLog ? QList<int>() : recordedChannels(header));
        loaded = analyzerLog ? chart->swapFile->load(path, m_viewingInterval, chart->channelMaps)
                             : chart->swapFile->loadPowerLog(path, m_viewingInterval, chart->channelMaps);
        cancelled = chart->swapFile->wasCancelled();
        replaced = loaded && !sameLogAsJudged(header, chart->swapFile->header());
        loaded = loaded && !replaced;
        // Only an analyzer log has an overview for the navigation strip.
        if (loaded && analyzerLog)
            loaded = ui->navigationBar->setSwapFile(chart->swapFile);
        if (loaded) {
            chart->statistics = chart->swapFile->readReport();
            chart->updateTitle();
            if (!analyzerLog)
                scope.keep();
        }
    }
    if (loaded && analyzerLog) {
        // A connected supply keeps its panels; otherwise the window shows the analyzer's.
        if (!(m_hid->isOpen() && powerMode()))
            setupAnalyzer();
    } else if (loaded) {
        if (header.deviceKind == LogFormat::PowerSupply)
            setupPowerSupply();
        else
            setupPower600();
        const SwapFileHeader& logHeader = chart->swapFile->header();
        setPowerAxesFahrenheit(recordedChannels(logHeader), logHeader.fahrenheit == 1);
        chart->plot->replot();
        if (m_powerPanel)
            m_powerPanel->applyLogSettings(logHeader);
    }
    chart->setCursor(Qt::ArrowCursor);
    if (auto* key = qobject_cast<ChartAxis*>(chart->plot->xAxis))
        key->setUseTickLabelMap(true);

    if (loaded) {
        ui->navigationBar->enableControls();
        const int index = ui->tabWidget->indexOf(chart);
        nameTabAfterFile(index, base);
        m_newTab = false;
        showMessage([] { return tr("Loaded"); }, 10000);
        m_runStartMs = m_clock();
        centreKeyAxis(5, 10);
        chart->plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
        chart->plot->axisRect()->setRangeDrag(Qt::Horizontal | Qt::Vertical);
        chart->plot->axisRect()->setRangeZoom(Qt::Horizontal | Qt::Vertical);
        on_plottableDoubleClick(nullptr, 0, nullptr);
        ui->reportBar->updateReport(chart, true);
        fillCalculator();
        setToolBarEnabled(true, true);
        // The figures above come from the records themselves; the user learns why.
        if (chart->swapFile->isCutOff())
            warningBox(this, tr("Open file"),
                       tr("The log was cut off before its end. Samples it holds: %1")
                           .arg(chart->swapFile->recordsHeld()));
        return;
    }

    if (navigationEnabled)
        ui->navigationBar->enableControls();
    if (ui->tabWidget->count() > 1) {
        // A failed or cancelled open takes away only the tab it made, and shows again the
        // tab that was shown before it, unless the user has moved on to another meanwhile.
        QPointer<GLWidget> made(chart);
        auto drop = [this, made, shownBefore] {
            if (!made)
                return;
            const bool madeShown = ui->tabWidget->currentWidget() == made;
            removeTab(ui->tabWidget->indexOf(made));
            if (madeShown && shownBefore)
                ui->tabWidget->setCurrentWidget(shownBefore);
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
    // A cancel was the user's own doing; a failure says why, as a refused header does.
    if (!cancelled)
        alertBox(this, tr("Open file"),
                 replaced ? tr("The file is corrupted or in the wrong format")
                          : swapFileErrorText(m_lastSwapFileError));
}
