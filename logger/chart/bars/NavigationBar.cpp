#include "NavigationBar.h"

#include "ui_NavigationBar.h"

#include "AxisUnits.h"
#include "ChartAxis.h"
#include "ChartPlot.h"
#include "ColorsAgent.h"
#include "NavigationSettings.h"
#include "PlotColors.h"
#include "ProgressDialog.h"
#include "SwapFile.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>

namespace {
// The threshold of the overview's channel; channels without a threshold of their own
// (3 and above) are drawn with the first.
double overviewThreshold(const SwapFile& file)
{
    const int channel = file.overviewChannel;
    return file.thresholds[channel >= 0 && channel < LogFormat::statisticsChannels ? channel : 0];
}

void setKeyRange(QCustomPlot* plot, const QCPRange& range)
{
    if (ChartAxis* axis = chartAxis(plot->xAxis))
        axis->setRange(range);
    else
        plot->xAxis->setRange(range);
}
} // namespace

NavigationBar::NavigationBar(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::NavigationBar)
{
    ui->setupUi(this);
    auto* layout = new QHBoxLayout(this);
    layout->setObjectName(QStringLiteral("horizontalLayout_Navigation"));
    layout->setSpacing(6);
    layout->setContentsMargins(11, 11, 11, 11);

    m_overviewPlot = new ChartPlot(this);
    m_overviewPlot->setObjectName(QStringLiteral("navigation-plotter"));
    m_overviewPlot->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // The time under the pointer is announced without a button pressed.
    m_overviewPlot->setMouseTracking(true);
    layout->addWidget(m_overviewPlot);
    m_refreshButton = new QPushButton(QIcon(QStringLiteral(":/res/refresh-white.png")), QString(), this);
    m_refreshButton->setObjectName(QStringLiteral("refreshButton"));
    m_refreshButton->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    layout->addWidget(m_refreshButton);
    m_settingsButton = new QPushButton(QIcon(QStringLiteral(":/res/settings-white.png")), QString(), this);
    m_settingsButton->setObjectName(QStringLiteral("settingsButton"));
    m_settingsButton->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    layout->addWidget(m_settingsButton);
    applyToolTips();

    QCustomPlot* plot = m_overviewPlot;
    setKeyRange(plot, QCPRange(0, 10));
    plot->yAxis->setVisible(false);
    plot->setInteraction(QCP::iRangeZoom, true);
    plot->addGraph(plot->xAxis, plot->yAxis)->setPen(QPen(Qt::red));

    connect(plot, &QCustomPlot::plottableClick, this,
            [this](QCPAbstractPlottable* plottable, int, QMouseEvent* event) {
                if (m_enabled && hasRecord() && qobject_cast<QCPGraph*>(plottable))
                    emit navigationClicked(m_overviewPlot->xAxis->pixelToCoord(event->position().x()));
            });
    connect(plot, &QCustomPlot::axisClick, this,
            [this](QCPAxis* axis, QCPAxis::SelectablePart, QMouseEvent* event) {
                if (m_enabled && hasRecord() && axis && axis->axisType() == QCPAxis::atBottom)
                    emit navigationClicked(m_overviewPlot->xAxis->pixelToCoord(event->position().x()));
            });
    connect(plot, &QCustomPlot::mouseMove, this, [this](QMouseEvent* event) {
        const double t = m_overviewPlot->xAxis->pixelToCoord(event->position().x());
        if (t >= 0 && t <= m_overviewPlot->xAxis->range().upper)
            emit navigationMoseMove(t);
    });
    if (ChartAxis* key = chartAxis(plot->xAxis)) {
        // The strip is narrow and its times long: labels that would run together are left out.
        key->setThinTickLabels(true);
        connect(key, &ChartAxis::axisUnitChanged, this, &NavigationBar::on_axisUnitChanged);
    }
    connect(plot->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this](const QCPRange& range) {
                if (m_swapFile)
                    m_swapFile->viewRange = range;
            });

    connect(m_refreshButton, &QPushButton::clicked, this, [this] {
        if (m_enabled && m_swapFile)
            showWholeRecord();
    });
    connect(m_settingsButton, &QPushButton::clicked, this, &NavigationBar::on_settings);
}

NavigationBar::~NavigationBar()
{
    delete ui;
}

void NavigationBar::applyToolTips()
{
    setToolTip(tr("Click the sample of interest for direct access to the time window containing this sample"));
    m_settingsButton->setToolTip(tr("Sets extreme values to display them on the navigation panel"));
}

void NavigationBar::showWholeRecord()
{
    setKeyRange(m_overviewPlot, m_swapFile->timeRange);
    m_overviewPlot->replot(QCustomPlot::rpRefreshHint);
}

bool NavigationBar::setSwapFile(SwapFile* file)
{
    if (!file)
        return false;
    m_swapFile = file;
    if (!hasRecord()) {
        // A tab that has recorded nothing: an empty strip, not the picture of another tab.
        m_overviewPlot->graph(0)->data()->clear();
        setKeyRange(m_overviewPlot, QCPRange(0, 10));
        m_overviewPlot->replot(QCustomPlot::rpRefreshHint);
        return false;
    }
    // The graph keeps its own copy of the points: the file's overview is emptied and
    // rebuilt by other tabs' runs and rebuilds, and every rebuild attaches the file again.
    m_overviewPlot->graph(0)->data()->set(*file->overview);
    setKeyRange(m_overviewPlot, file->viewRange);
    m_overviewPlot->yAxis->setRange(0, overviewThreshold(*file));
    applyGraphColour();
    m_overviewPlot->replot(QCustomPlot::rpRefreshHint);
    return true;
}

bool NavigationBar::hasRecord() const
{
    return m_swapFile && !m_swapFile->fileName().isEmpty();
}

void NavigationBar::applyGraphColour()
{
    ColorsAgent theme(m_darkTheme);
    const int channel = m_swapFile->overviewChannel;
    m_overviewPlot->graph(0)->setPen(QPen(theme.color(ColorsAgent::Chart, channel < 0 ? 0 : channel % 3)));
}

void NavigationBar::clear()
{
    if (!m_swapFile)
        return;
    m_swapFile->overview->clear();
    m_overviewPlot->graph(0)->data()->clear();
    setKeyRange(m_overviewPlot, QCPRange(0, 10));
    m_overviewPlot->replot(QCustomPlot::rpRefreshHint);
}

void NavigationBar::enableControls()
{
    m_enabled = true;
    m_refreshButton->setEnabled(true);
    m_settingsButton->setEnabled(true);
}

void NavigationBar::disableControls()
{
    m_enabled = false;
    m_refreshButton->setEnabled(false);
    m_settingsButton->setEnabled(false);
}

void NavigationBar::on_axisUnitChanged(QCPAxis* axis, int, QList<double>& tickVector,
                                       QList<QString>& tickVectorLabels)
{
    if (!axis || axis->axisType() != QCPAxis::atBottom)
        return;
    const QList<QString> labels = overviewTickLabels(tickVector, axis->range());
    for (int i = 0; i < tickVector.size() && i < tickVectorLabels.size(); ++i)
        tickVectorLabels[i] = labels.at(i);
}

void NavigationBar::on_changeColorTheme(bool _dark)
{
    m_darkTheme = _dark;
    const QString shade = _dark ? QStringLiteral("white") : QStringLiteral("black");
    m_refreshButton->setIcon(QIcon(QStringLiteral(":/res/refresh-%1.png").arg(shade)));
    m_settingsButton->setIcon(QIcon(QStringLiteral(":/res/settings-%1.png").arg(shade)));
    ColorsAgent theme(_dark);
    setBarColors(m_overviewPlot, theme.background());
    if (m_swapFile)
        applyGraphColour();
    m_overviewPlot->replot(QCustomPlot::rpRefreshHint);
}

void NavigationBar::on_settings()
{
    // A tab that has recorded nothing yet has no file to build an overview from.
    if (!hasRecord())
        return;
    QPointer<SwapFile> file = m_swapFile;
    const NavigationSettings::Selection current{overviewThreshold(*file), file->overviewPosition,
                                                file->overviewChannel};
    NavigationSettings dialog(file->header(), file->thresholds, current, this);
    // The dialog runs its own event loop, in which the tab and its file may go away.
    if (dialog.exec() != QDialog::Accepted || !file)
        return;
    disableControls();
    const NavigationSettings::Selection s = dialog.selection();
    file->overviewChannel = s.channel;
    file->overviewPosition = s.position;
    file->thresholds[s.channel] = s.threshold;
    clear();
    {
        ProgressDialog progress(0, 100, this);
        connect(&progress, &ProgressDialog::canceled, file, &SwapFile::cancel);
        progress.setWindowModality(Qt::WindowModal);
        progress.show();
        QCoreApplication::processEvents();
        // A cancelled or failed build leaves a partial overview, which is shown; errors
        // reach the main window through the file's own signal.
        if (file)
            file->decimate(file->fileName(), s.channel, s.position, s.threshold, &progress);
        progress.hide();
    }
    if (file)
        setSwapFile(file);
    enableControls();
}

void NavigationBar::replot()
{
    m_overviewPlot->replot(QCustomPlot::rpRefreshHint);
}

void NavigationBar::on_translate()
{
    applyToolTips();
}

void NavigationBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
