// Construction, settings restore and store, closing and shut-down of the main window.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "MarkerBar.h"
#include "NavigationBar.h"
#include "ReportBar.h"
#include "ColorsAgent.h"
#include "ControlPanel.h"
#include "DeviceDescriptions.h"
#include "DeviceInfo.h"
#include "GLWidget.h"
#include "HidDevice.h"
#include "Languages.h"
#include "LoggerState.h"
#include "MarqueeLabel.h"
#include "OverCurrentBanner.h"
#include "MessageBoxes.h"
#include "PopUp.h"
#include "RowWrapper.h"
#include "Settings.h"
#include "StatusControl.h"
#include "StatusMessageRoom.h"
#include "StatusPanel.h"
#include "UnitFormat.h"
#include "Updater.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyleFactory>
#include <QThread>
#include <QTimer>

namespace {
Qt::DockWidgetArea dockArea(int stored)
{
    const auto area = Qt::DockWidgetArea(stored);
    return area == Qt::RightDockWidgetArea ? Qt::RightDockWidgetArea : Qt::LeftDockWidgetArea;
}

// A floating dock's stored place may lie off every screen (another screen layout, an
// edited file), where nobody could reach the dock or its buttons. A place not wholly on
// a screen is moved onto the screen it overlaps most, or the primary one, and the size
// is cut to that screen's free area; a place on a screen is kept.
QRect placeOnScreen(const QRect& stored)
{
    if (!stored.isValid())
        return stored;
    const QScreen* target = QGuiApplication::primaryScreen();
    qint64 overlap = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        if (area.contains(stored))
            return stored;
        const QRect shared = area.intersected(stored);
        if (qint64(shared.width()) * shared.height() > overlap) {
            overlap = qint64(shared.width()) * shared.height();
            target = screen;
        }
    }
    if (!target)
        return stored;
    const QRect area = target->availableGeometry();
    QRect placed(stored.topLeft(), stored.size().boundedTo(area.size()));
    placed.moveLeft(qBound(area.left(), placed.left(), area.right() + 1 - placed.width()));
    placed.moveTop(qBound(area.top(), placed.top(), area.bottom() + 1 - placed.height()));
    return placed;
}
} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    m_popUp = new PopUp(this);
    ui = new Ui::MainWindow;
    setWindowFlags(windowFlags() | Qt::CustomizeWindowHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    m_lightPalette = QApplication::palette();
    ui->setupUi(this);
    // The chart column beside the docks is narrower than the report's two halves.
    new RowWrapper(ui->reportBar);
    showTitle(WindowTitle::NoDevice);

    buildDocks();
    connectPanels();
    showTitle(WindowTitle::Program);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &MainWindow::on_currentTabChanged);
    connect(new QShortcut(QKeySequence(QStringLiteral("Esc")), this), &QShortcut::activated, this,
            &MainWindow::on_stopButton);

    connect(ui->navigationBar, &NavigationBar::navigationClicked, this, &MainWindow::on_navigationClicked);
    connect(ui->navigationBar, &NavigationBar::navigationMoseMove, this, &MainWindow::showCursorValues);
    connect(ui->tabWidget->tabBar(), &QTabBar::tabCloseRequested, this, &MainWindow::on_closeTab);
    connect(this, &MainWindow::showNotification, this,
            [this](const QString& msg, const QString& url) { statusBar()->showMessage(msg + url); });
    ui->tabWidget->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->tabWidget->tabBar(), &QWidget::customContextMenuRequested, this, &MainWindow::on_contextMenuRequested);
    connect(ui->tabWidget->tabBar(), &QTabBar::tabBarDoubleClicked, this, &MainWindow::on_closeTab);

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));

    m_hid = HidDevice::instance(this);
    connect(m_hid, &HidDevice::deviceConnected, this, &MainWindow::on_deviceConnected);
    connect(m_hid, &HidDevice::deviceDisconnected, this, &MainWindow::on_deviceDisconnected);
    connect(m_hid, &HidDevice::bootloaderConnected, this, &MainWindow::on_bootloaderConnected);
    connect(m_hid, &HidDevice::packetReceived, this, &MainWindow::on_packetReceived);

    m_statusTimer = new QTimer(this);
    m_statusTimer->setInterval(1000);
    connect(m_statusTimer, &QTimer::timeout, this, &MainWindow::onStatusTimer);
    connect(this, &MainWindow::enableMeasurement, this, &MainWindow::on_enableMeasurement);
    connect(this, &MainWindow::refreshChannels, this, &MainWindow::on_refeshChannels);
    connect(this, &MainWindow::stopMeasurement, this, &MainWindow::on_stopMeasurement);
    connect(this, &MainWindow::changeColorTheme, this, &MainWindow::on_changeColorTheme);
    connect(this, &MainWindow::changeColorTheme, ui->markerBar, &MarkerBar::on_changeColorTheme);
    connect(this, &MainWindow::changeColorTheme, ui->reportBar, &ReportBar::on_changeColorTheme);
    connect(this, &MainWindow::changeColorTheme, ui->navigationBar, &NavigationBar::on_changeColorTheme);
    connect(ui->markerBar, &MarkerBar::markerAdded, this, [this] {
        if (GLWidget* chart = currentChart())
            chart->repaint();
    });
    connect(ui->markerBar, &MarkerBar::markerRemoved, this, [this] {
        if (GLWidget* chart = currentChart())
            chart->repaint();
    });
    connect(ui->markerBar, &MarkerBar::markerMoved, this, &MainWindow::on_markerChanged);
    connect(ui->markerBar, &MarkerBar::markersRemoved, this, &MainWindow::on_markerChanged);
    ui->markerBar->hide();

    buildStatusStrip();
    m_popUp->setBorderColor(QColor(0, 0, 0, 0));
    m_popUp->setBackgroundColor(QColor(0, 0, 0, 0));
    applyPopupColors();
    m_controlPanel->hide();
    m_statusPanel->hide();
    m_dockControl->hide();
    m_dockStatus->hide();
    m_banner->stop();
    m_valueLabel->hide();
    m_popUp->hide();

    setupMenus();
    createDefaults();

    m_windowTimer = new QTimer(this);
    m_windowTimer->setInterval(10);
    connect(m_windowTimer, &QTimer::timeout, this, &MainWindow::reRangeX);
    m_windowTimer->start();
    m_axisTimer = new QTimer(this);
    m_axisTimer->setInterval(200);
    connect(m_axisTimer, &QTimer::timeout, this, [this] { reRangeAxis(false); });
    m_axisTimer->start();

    Settings settings;
    settings.beginGroup(QStringLiteral("Options"));
    const bool dark = settings.value(QStringLiteral("dark-color"), false).toBool();
    m_languageIndex = clampLanguageIndex(settings.value(QStringLiteral("language"), 0).toInt());
    timeFormatMode = settings.value(QStringLiteral("native-time"), false).toBool() ? 2 : 1;
    settings.endGroup();
    retranslate(languageCode(m_languageIndex));

    settings.beginGroup(QStringLiteral("Main"));
    restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("state")).toByteArray());
    settings.endGroup();

    m_statusPanel->loadIndicatorIcons();
    m_controlPanel->loadSettings();
    restoreDocks();

    emit changeColorTheme(dark);
    on_changeColors();
    ui->reportBar->on_changeColors();

    createUpdater();

    setAnalyzerItemsShown(false);
    setMarkerBarShown(false);
    setReportBarShown(false);
    ui->navigationBar->hide();
    repaint();
}

void MainWindow::buildDocks()
{
    m_controlPanel = new ControlPanel(this);
    m_statusPanel = new StatusPanel(this);
    m_dockStatus = new QDockWidget(tr("Status"), this);
    m_dockStatus->setObjectName(QStringLiteral("dockStatus"));
    m_dockStatus->setWidget(m_statusPanel);
    m_dockControl = new QDockWidget(tr("Control"), this);
    m_dockControl->setObjectName(QStringLiteral("dockControl"));
    m_dockControl->setWidget(m_controlPanel);
    for (QDockWidget* dock : {m_dockStatus, m_dockControl}) {
        dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        dock->setFeatures(dock->features() & ~QDockWidget::DockWidgetClosable);
        // Until an instrument or a log sets them up the panels are hidden in docks that
        // show: the docks keep the panels' width, so that their titles stay readable and
        // the window does not change its parts' widths when the panels appear.
        QSizePolicy policy = dock->widget()->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        dock->widget()->setSizePolicy(policy);
    }
    addDockWidget(Qt::LeftDockWidgetArea, m_dockStatus);
    addDockWidget(Qt::RightDockWidgetArea, m_dockControl);
    m_dockStatus->hide();
    m_dockControl->hide();
    setDockNestingEnabled(true);
}

void MainWindow::connectPanels()
{
    connect(m_controlPanel, &ControlPanel::terminateMeasuring, this, &MainWindow::terminateMeasuring);
    connect(m_statusPanel, &StatusPanel::trigDelayChanged, m_controlPanel, &ControlPanel::on_trigDelayChanged);
    connect(m_statusPanel, &StatusPanel::startButton, m_controlPanel, &ControlPanel::on_startButton);
    connect(m_statusPanel, &StatusPanel::stopButton, m_controlPanel, &ControlPanel::on_stopButton);
    connect(m_statusPanel, &StatusPanel::logButton, m_controlPanel, &ControlPanel::on_logButton);
    connect(m_statusPanel, &StatusPanel::trigButton, m_controlPanel, &ControlPanel::on_trigButton);
    connect(m_statusPanel, &StatusPanel::toggleAlarm, m_controlPanel, &ControlPanel::on_toggleAlarm);
    connect(m_controlPanel, &ControlPanel::startMeasurement, this, &MainWindow::on_startMeasurement);
    connect(m_controlPanel, &ControlPanel::stopMeasurement, this, &MainWindow::on_stopMeasurement);
    connect(m_controlPanel, &ControlPanel::requestStatus, this, &MainWindow::on_requestStatus);
    connect(m_controlPanel, &ControlPanel::resetClicked, this, &MainWindow::clearOverCurrentWarning);
}

void MainWindow::buildStatusStrip()
{
    m_banner = new MarqueeLabel(this);
    QFont bannerFont = m_banner->font();
    bannerFont.setPointSize(14);
    m_banner->setFont(bannerFont);
    m_banner->stop();
    m_banner->load(overCurrentBannerJson());
    m_warningButton = new QPushButton(QIcon(QStringLiteral(":/res/warning.png")), QString(), this);
    m_warningButton->hide();
    connect(m_warningButton, &QPushButton::clicked, this, &MainWindow::clearOverCurrentWarning);
    m_valueLabel = new QLabel(this);
    QFont valueFont = m_valueLabel->font();
    valueFont.setPointSize(10);
    m_valueLabel->setFont(valueFont);
    m_valueLabel->setStyleSheet(QStringLiteral("QLabel {border: 0; }"));

    auto* strip = new QWidget(this);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_banner);
    layout->addWidget(m_warningButton);
    // The readout and the 300 pixels after it give way to a message that needs the room.
    auto* readout = new QWidget(strip);
    auto* readoutLayout = new QHBoxLayout(readout);
    readoutLayout->setContentsMargins(0, 0, 0, 0);
    readoutLayout->setSpacing(0);
    readoutLayout->addWidget(m_valueLabel);
    layout->addWidget(readout);
    layout->addStrut(0);
    statusBar()->addPermanentWidget(strip);
    new StatusMessageRoom(statusBar(), strip, readout, 300);
}

void MainWindow::restoreDocks()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Status"));
    const Qt::DockWidgetArea statusArea = dockArea(settings.value(QStringLiteral("dock-area"), 1).toInt());
    const bool statusFloating = settings.value(QStringLiteral("floating"), false).toBool();
    const bool tabified = settings.value(QStringLiteral("tabified"), true).toBool();
    const QRect statusGeometry = placeOnScreen(settings.value(QStringLiteral("dock-geometry"), QRect()).toRect());
    const bool statusVisible = settings.value(QStringLiteral("visible"), true).toBool();
    settings.endGroup();
    settings.beginGroup(QStringLiteral("Control"));
    const Qt::DockWidgetArea controlArea = dockArea(settings.value(QStringLiteral("dock-area"), 1).toInt());
    const bool controlFloating = settings.value(QStringLiteral("floating"), false).toBool();
    const QRect controlGeometry = placeOnScreen(settings.value(QStringLiteral("dock-geometry"), QRect()).toRect());
    const bool controlVisible = settings.value(QStringLiteral("visible"), true).toBool();
    settings.endGroup();

    addDockWidget(statusArea, m_dockStatus);
    addDockWidget(controlArea, m_dockControl);
    if (tabified) {
        tabifyDockWidget(m_dockStatus, m_dockControl);
    } else {
        m_dockStatus->setFloating(statusFloating);
        if (statusFloating && statusGeometry.isValid()) {
            m_dockStatus->setGeometry(statusGeometry);
            m_statusFloatingSize = statusGeometry.size();
        }
        m_dockControl->setFloating(controlFloating);
        if (controlFloating && controlGeometry.isValid()) {
            m_dockControl->setGeometry(controlGeometry);
            m_controlFloatingSize = controlGeometry.size();
        }
    }
    m_dockStatus->setVisible(statusVisible);
    m_dockControl->setVisible(controlVisible);
}

// A floating dock is only as large as its panel lets it be, and the panels stay hidden
// until an instrument or a log sets them up: a floating dock gets its stored position
// at once and its stored size when its panel first shows.
void MainWindow::restoreFloatingDockSizes()
{
    const std::pair<QDockWidget*, QSize*> docks[] = {{m_dockStatus, &m_statusFloatingSize},
                                                     {m_dockControl, &m_controlFloatingSize}};
    for (const auto& [dock, size] : docks) {
        if (!size->isValid() || !dock->widget() || dock->widget()->isHidden())
            continue;
        if (dock->isFloating())
            dock->resize(*size);
        *size = QSize();
    }
}

void MainWindow::applyPopupColors()
{
    if (!m_popUp)
        return;
    Settings settings;
    const QColor background = colorValue(settings, QStringLiteral("Settings/chart-background"), Qt::white);
    const QColor text(255 - background.red(), 255 - background.green(), 255 - background.blue());
    m_popUp->setTextColor(text.name());
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LocaleChange) {
        const QString name = QLocale::system().name();
        retranslate(name.left(name.lastIndexOf(QLatin1Char('_'))));
    } else if (event->type() == QEvent::LanguageChange) {
        ui->toolBar->setWindowTitle(tr("toolBar"));
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    terminateMeasuring();
    if (QWidget* calculator = findChild<QWidget*>(QStringLiteral("Calculator"))) {
        calculator->close();
        QThread::msleep(500);
    }
    if (!unsavedCharts(0, ui->tabWidget->count() - 1).isEmpty()) {
        const int answer = warningBox(this, tr("Save"), tr("Not all measurements are saved. Do you want to save them?"),
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton);
        if (answer == QMessageBox::Cancel) {
            event->ignore();
            return;
        }
        if (answer == QMessageBox::Yes)
            saveUnsavedTabs();
    }
    event->accept();
}

MainWindow::~MainWindow()
{
    on_stopButton();
    // A run still going (no stop acknowledged, window closing) is finished here, so its
    // swap file is complete before the tabs go.
    if (m_runChart)
        finishRun(m_runChart);
    m_controlPanel->saveSettings();
    // Polling stops and the device closes before the link object goes.
    m_hid->stop();
    delete m_hid;
    m_hid = nullptr;
    storeSettings();
    delete ui;
}

void MainWindow::storeSettings()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Main"));
    if (const Marker* first = ui->markerBar->marker(0); first && ui->markerBar->marker(1)) {
        settings.setValue(MarkerBar::settingsKeyMarker1(), first->x);
        settings.setValue(MarkerBar::settingsKeyMarker2(), ui->markerBar->marker(1)->x);
        settings.setValue(MarkerBar::settingsKeyColor(), first->color.name());
    }
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("state"), saveState());
    settings.endGroup();
    settings.beginGroup(QStringLiteral("Status"));
    settings.setValue(QStringLiteral("dock-area"), int(dockWidgetArea(m_dockStatus)));
    settings.setValue(QStringLiteral("dock-geometry"), m_dockStatus->geometry());
    settings.setValue(QStringLiteral("floating"), m_dockStatus->isFloating());
    settings.setValue(QStringLiteral("tabified"), !tabifiedDockWidgets(m_dockControl).isEmpty());
    settings.endGroup();
    settings.beginGroup(QStringLiteral("Control"));
    settings.setValue(QStringLiteral("dock-area"), int(dockWidgetArea(m_dockControl)));
    settings.setValue(QStringLiteral("dock-geometry"), m_dockControl->geometry());
    settings.setValue(QStringLiteral("floating"), m_dockControl->isFloating());
    settings.endGroup();
    settings.setValue(QStringLiteral("Options/language"), m_languageIndex);
}

QTabWidget* MainWindow::tabWidget() const
{
    return ui->tabWidget;
}

void MainWindow::showError(const QString& text, int ms)
{
    showError([text] { return text; }, ms);
}

void MainWindow::showMessage(const QString& text, int ms)
{
    showMessage([text] { return text; }, ms);
}

void MainWindow::showError(StatusText text, int ms)
{
    statusBar()->setStyleSheet(statusBarStyleSheet(m_dark ? QStringLiteral("#ff4444") : QStringLiteral("red")));
    m_statusMessage.show(statusBar(), std::move(text), ms);
}

void MainWindow::showMessage(StatusText text, int ms)
{
    statusBar()->setStyleSheet(statusBarStyleSheet(m_dark ? QStringLiteral("white") : QStringLiteral("black")));
    m_statusMessage.show(statusBar(), std::move(text), ms);
}
