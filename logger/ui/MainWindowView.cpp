// The tool bar and its time choices, the view toggles (report bar, marker bar and the
// two docks), the options dialog, and the window's language and colours.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ChartAxis.h"
#include "MarkerBar.h"
#include "NavigationBar.h"
#include "ReportBar.h"
#include "ColorsAgent.h"
#include "ControlPanel.h"
#include "DarkPalette.h"
#include "DeviceInfo.h"
#include "HidDevice.h"
#include "Languages.h"
#include "OptionsDialog.h"
#include "PowerPackets.h"
#include "Updater.h"
#include "GLWidget.h"
#include "LoggerState.h"
#include "PlotColors.h"
#include "PowerPanel.h"
#include "Settings.h"
#include "StatusMessageRoom.h"
#include "StatusPanel.h"
#include "SwapFile.h"
#include "UnitFormat.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {
QWidget* spacer(QWidget* parent, QSizePolicy::Policy horizontal, int width)
{
    auto* widget = new QWidget(parent);
    widget->setSizePolicy(horizontal, QSizePolicy::Preferred);
    if (width > 0)
        widget->setMinimumSize(width, 32);
    return widget;
}

// The float button of the docks' title bars drawn in the theme's text colour.
QString dockStyleSheet(bool dark)
{
    return QStringLiteral("QDockWidget {border: 1px; titlebar-normal-icon: url(:/res/%1);}")
        .arg(dark ? QStringLiteral("float-white.png") : QStringLiteral("float-black.png"));
}

QString customText(const QComboBox* combo, int index)
{
    return MainWindow::tr("Custom: ") + QString::number(combo->itemData(index).toInt());
}
} // namespace

void MainWindow::setupMenus()
{
    QToolBar* bar = ui->toolBar;
    m_actionSave = bar->addAction(tr("Save"), this, &MainWindow::on_actionSave);
    m_actionLoad = bar->addAction(tr("Open"), this, &MainWindow::on_actionLoad);

    m_viewMenu = new QMenu(tr("View"), this);
    Settings settings;
    QAction* showStatus = m_viewMenu->addAction(tr("Status"));
    m_actionShowStatus = showStatus;
    showStatus->setCheckable(true);
    showStatus->setChecked(settings.value(QStringLiteral("Status/visible"), true).toBool());
    QAction* showControl = m_viewMenu->addAction(tr("Control"));
    m_actionShowControl = showControl;
    showControl->setCheckable(true);
    showControl->setChecked(settings.value(QStringLiteral("Control/visible"), true).toBool());
    m_docksTabified = settings.value(QStringLiteral("Status/tabified"), true).toBool();
    connect(showStatus, &QAction::toggled, this,
            [this](bool on) { setDockShown(m_dockStatus, QStringLiteral("Status"), on); });
    connect(showControl, &QAction::toggled, this,
            [this](bool on) { setDockShown(m_dockControl, QStringLiteral("Control"), on); });
    auto* viewButton = new QToolButton(bar);
    viewButton->setText(tr("View"));
    viewButton->setMenu(m_viewMenu);
    viewButton->setPopupMode(QToolButton::InstantPopup);
    m_actionView = bar->addWidget(viewButton);
    m_actionView->setVisible(false);

    m_actionSettings = bar->addAction(tr("Settings"), this, &MainWindow::on_actionSettings);
    bar->addWidget(spacer(bar, QSizePolicy::Expanding, 0));
    bar->addSeparator();
    const QString showTip =
        tr("TALVO shows the part of the datalog, the duration of which does not exceed the specified number of seconds");
    m_actionShowAll = bar->addAction(tr("Show "), this, &MainWindow::on_showAll);
    m_actionShowAll->setToolTip(showTip);
    bar->addWidget(spacer(bar, QSizePolicy::Fixed, 8));
    m_showAllCombo = new QComboBox(bar);
    m_showAllCombo->setMinimumWidth(100);
    m_showAllCombo->setToolTip(showTip);
    m_actionShowAllCombo = bar->addWidget(m_showAllCombo);
    m_secLabel = new QLabel(tr("sec"), bar);
    bar->addWidget(m_secLabel);
    bar->addWidget(spacer(bar, QSizePolicy::Expanding, 8));
    bar->addSeparator();

    // The bars' toggles and the measuring time take a second row: one row of 700 pixels,
    // the window's default width, holds the items above but not all of them, in
    // either language.
    bar = m_timesBar = new QToolBar(ui->toolBar->windowTitle(), this);
    bar->setObjectName(QStringLiteral("timesToolBar"));
    bar->toggleViewAction()->setVisible(false);
    connect(ui->toolBar->toggleViewAction(), &QAction::toggled, bar, &QToolBar::setVisible);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, bar);
    m_actionReport = bar->addAction(tr("Show Report"), this, &MainWindow::toggleReportBar);
    m_actionMarkers = bar->addAction(tr("Show Markers"), this, &MainWindow::toggleMarkerBar);
    m_actionReport->setObjectName(QStringLiteral("actionReport"));
    m_actionMarkers->setObjectName(QStringLiteral("actionMarkers"));
    m_actionCalculator = bar->addAction(tr("Calculator"), this, &MainWindow::openCalculator);
    m_calculatorSeparator = bar->addSeparator();
    bar->addWidget(spacer(bar, QSizePolicy::Expanding, 0));
    m_timeLabel = new QLabel(tr("Measuring time,sec "), bar);
    m_actionTimeLabel = bar->addWidget(m_timeLabel);
    m_actionTimeLabel->setToolTip(tr("Stop measurements after the specified number of seconds"));
    m_timeCombo = new QComboBox(bar);
    m_timeCombo->setMinimumWidth(100);
    m_timeCombo->setToolTip(tr("Stop measurements after the specified number of seconds"));
    m_actionTimeCombo = bar->addWidget(m_timeCombo);
    bar->addWidget(spacer(bar, QSizePolicy::Expanding, 0));
    bar->addWidget(spacer(bar, QSizePolicy::Expanding, 0));

    fillTimeCombos();
    connect(m_showAllCombo, &QComboBox::activated, this, &MainWindow::on_comboboxShowAllTimeAcivated);
    connect(m_timeCombo, &QComboBox::activated, this, &MainWindow::on_comboboxTimeAcivated);

    setMarkerBarShown(settings.value(QStringLiteral("Main/markers_bar"), false).toBool());
    setReportBarShown(false);
}

void MainWindow::fillTimeCombos()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Options"));
    for (int seconds : {10, 30, 60, 120, 300, 600, 1800})
        m_showAllCombo->addItem(QString::number(seconds), seconds);
    // A custom length of 0 or less would give an empty window, and one past the longest
    // offered would read most of a long log into the chart at every step.
    m_showAllCombo->addItem(QString(),
                            qBound(1, settings.value(QStringLiteral("showall-length-sec"), 10).toInt(), 1800));
    m_showAllCombo->setItemText(7, customText(m_showAllCombo, 7));
    const int showIndex = settings.value(QStringLiteral("showall-length-index"), 0).toInt();
    m_showAllCombo->setCurrentIndex(showIndex >= 0 && showIndex < m_showAllCombo->count() ? showIndex : 0);
    m_showAllIndex = m_showAllCombo->currentIndex();
    m_viewingInterval = m_showAllCombo->currentData().toInt();

    m_timeCombo->addItem(QStringLiteral("10"), 10);
    m_timeCombo->addItem(QStringLiteral("100"), 100);
    m_timeCombo->addItem(QStringLiteral("1000"), 1000);
    m_timeCombo->addItem(QString(QChar(0x221E)), -1);
    // A custom limit of 0 or less would stop every run at its first report.
    m_timeCombo->addItem(QString(), qMax(1, settings.value(QStringLiteral("serie-length-sec"), 10).toInt()));
    m_timeCombo->setItemText(4, customText(m_timeCombo, 4));
    const int timeIndex = settings.value(QStringLiteral("time-length-index"), 0).toInt();
    m_timeCombo->setCurrentIndex(timeIndex >= 0 && timeIndex < m_timeCombo->count() ? timeIndex : 0);
    m_timeIndex = m_timeCombo->currentIndex();
    m_measuringTimeLimit = m_timeCombo->currentData().toInt();
    settings.endGroup();
}

void MainWindow::setToolBarEnabled(bool on, bool keepOpenAndSettings)
{
    for (QAction* action : {m_actionSave, m_actionLoad, m_actionSettings, m_actionShowAll, m_actionShowAllCombo,
                            m_actionReport, m_actionMarkers, m_actionCalculator, m_actionTimeLabel, m_actionTimeCombo})
        action->setEnabled(on);
    m_timeLabel->setEnabled(on);
    m_showAllCombo->setEnabled(on);
    m_timeCombo->setEnabled(on);
    if (keepOpenAndSettings) {
        m_actionLoad->setEnabled(true);
        m_actionSettings->setEnabled(true);
    }
}

void MainWindow::setRunControlsEnabled(bool on)
{
    m_statusPanel->setPanelEnabled(on);
    m_controlPanel->setControlsEnabled(on);
    if (on)
        ui->navigationBar->enableControls();
    else
        ui->navigationBar->disableControls();
    if (!on)
        setReportBarShown(false);
}

void MainWindow::toggleReportBar()
{
    const bool show = ui->reportBar->isHidden();
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
    // A hidden bar is not kept up to date and may still hold another tab's figures: it
    // takes the current tab's as it comes into view.
    if (shown && ui->reportBar->isHidden())
        ui->reportBar->updateReport(currentChart(), true);
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

void MainWindow::setAnalyzerItemsShown(bool shown)
{
    // Without the items before it the separator would open the row on its own.
    for (QAction* action : {m_actionView, m_actionReport, m_actionMarkers, m_actionCalculator, m_calculatorSeparator})
        action->setVisible(shown);
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

void MainWindow::retranslate(const QString& code)
{
    QCoreApplication::removeTranslator(&m_translator);
    if (m_translator.load(QStringLiteral("QtLanguage_") + code, QCoreApplication::applicationDirPath()))
        QCoreApplication::installTranslator(&m_translator);
    installQtTranslation(m_qtTranslator, code);
    ui->toolBar->setWindowTitle(tr("toolBar"));
    m_timesBar->setWindowTitle(tr("toolBar"));
    m_actionSave->setText(tr("Save"));
    m_actionLoad->setText(tr("Open"));
    m_viewMenu->setTitle(tr("View"));
    m_actionShowStatus->setText(tr("Status"));
    m_actionShowControl->setText(tr("Control"));
    if (auto* button = qobject_cast<QToolButton*>(ui->toolBar->widgetForAction(m_actionView)))
        button->setText(tr("View"));
    m_actionSettings->setText(tr("Settings"));
    m_actionShowAll->setText(tr("Show "));
    const QString showTip =
        tr("TALVO shows the part of the datalog, the duration of which does not exceed the specified number of seconds");
    m_actionShowAll->setToolTip(showTip);
    m_showAllCombo->setToolTip(showTip);
    const QString timeTip = tr("Stop measurements after the specified number of seconds");
    m_actionTimeLabel->setToolTip(timeTip);
    m_timeCombo->setToolTip(timeTip);
    m_secLabel->setText(tr("sec"));
    updateBarActions();
    m_actionCalculator->setText(tr("Calculator"));
    m_timeLabel->setText(tr("Measuring time,sec "));
    if (QCustomPlot* plot = currentPlot())
        plot->xAxis->setLabel(timeFormatMode == 2 ? tr("Time: ") : tr("Time, sec: "));
    m_timeCombo->setItemText(4, customText(m_timeCombo, 4));
    m_showAllCombo->setItemText(7, customText(m_showAllCombo, 7));
    m_controlPanel->fillSampleRates();
    retranslateBuiltTexts();
    // The supply's panel fills the Control dock without a title, in every language.
    m_dockControl->setWindowTitle(m_powerPanel ? QString() : tr("Control"));
    m_dockStatus->setWindowTitle(tr("Status"));
    ui->reportBar->on_translate();
    ui->navigationBar->on_translate();
    m_controlPanel->retranslate();
    m_statusPanel->retranslate();
    on_changeColors();
}

void MainWindow::on_actionSettings()
{
    if (measuringActive)
        return;
    OptionsDialog dialog(m_updater, this);
    QList<QString> names;
    for (int i = 0; i < languageCount; ++i)
        names << languageName(i);
    dialog.setLanguages(names, m_languageIndex);
    // Every connection below ends with the dialog.
    connect(&dialog, &OptionsDialog::languageChanged, this, [this](int index) {
        m_languageIndex = clampLanguageIndex(index);
        retranslate(languageCode(m_languageIndex));
    });
    connect(&dialog, &OptionsDialog::timeFormatChanged, this, &MainWindow::on_timeFormatChanged);
    connect(&dialog, &OptionsDialog::changeColorTheme, this, &MainWindow::on_changeColorTheme);
    connect(&dialog, &OptionsDialog::changeColorTheme, ui->markerBar, &MarkerBar::on_changeColorTheme);
    connect(&dialog, &OptionsDialog::changeColorTheme, ui->reportBar, &ReportBar::on_changeColorTheme);
    connect(&dialog, &OptionsDialog::changeColorTheme, ui->navigationBar, &NavigationBar::on_changeColorTheme);
    connect(&dialog, &OptionsDialog::changeColors, this, &MainWindow::on_changeColors);
    connect(&dialog, &OptionsDialog::changeColors, ui->reportBar, &ReportBar::on_changeColors);
    connect(this, &MainWindow::deviceInfoReceved, &dialog, &OptionsDialog::fillFWInfo);
    connect(&dialog, &OptionsDialog::checkSWUpdates, m_updater, &Updater::on_checkUpdatesSW);
    connect(&dialog, &OptionsDialog::checkFWUpdates, m_updater,
            [this] { m_updater->on_checkUpdatesFW(DeviceInfo::instance().serialNumber()); });
    connect(m_updater, &Updater::newSWAvailable, &dialog, &OptionsDialog::on_newSWAvailable);
    connect(m_updater, &Updater::newFWAvailable, &dialog, &OptionsDialog::on_newFWAvailable);
    if (powerMode() && m_powerPanel) {
        connect(m_powerPanel, &PowerPanel::paketReceived, &dialog, &OptionsDialog::on_paketReceived);
        connect(m_powerPanel, &PowerPanel::paketDataReceived, &dialog, &OptionsDialog::on_paketDataReceived);
        PowerGetPacket request;
        sendSupplyReport(request);
        dialog.exec();
        Settings().sync();
    } else {
        const bool reportShown = !ui->reportBar->isHidden();
        setReportBarShown(true);
        dialog.exec();
        Settings().sync();
        setReportBarShown(reportShown);
    }
    replotCurrent();
}

void MainWindow::on_changeColorTheme(bool dark)
{
    m_dark = dark;
    QApplication::setPalette(dark ? darkPalette() : m_lightPalette);
    // Set on the docks alone: an application-wide sheet would restyle every widget of
    // the program, the charts included, at each theme switch.
    for (QDockWidget* dock : {m_dockControl, m_dockStatus})
        dock->setStyleSheet(dockStyleSheet(dark));
    statusBar()->setStyleSheet(statusBarStyleSheet());
    if (powerMode() && m_powerPanel)
        m_powerPanel->on_changeColorTheme(dark);
    else
        m_controlPanel->on_changeColorTheme(dark);
    ui->navigationBar->on_changeColorTheme(dark);
}

void MainWindow::on_changeColors()
{
    ColorsAgent theme(m_dark);
    const QString fontColor = QStringLiteral("<font color=%1>");
    m_valueTemplate = fontColor.arg(theme.color(ColorsAgent::MouseHint, 0).name()) + QStringLiteral("%1 ")
        + fontColor.arg(theme.color(ColorsAgent::MouseHint, 1).name()) + QStringLiteral("%2 ")
        + fontColor.arg(theme.color(ColorsAgent::MouseHint, 2).name()) + QStringLiteral("%3 ")
        + fontColor.arg(m_dark ? QStringLiteral("white") : QStringLiteral("black")) + tr("Time: ")
        + QStringLiteral("%4 ");
    if (!measuringActive)
        resetValueLabel();
    QCustomPlot* plot = currentPlot();
    if (!plot)
        return;
    setBarColors(plot, theme.background());
    for (int i = 0; i < plot->graphCount(); ++i) {
        const QColor colour = theme.color(ColorsAgent::Chart, i % 3);
        plot->graph(i)->setPen(QPen(colour));
        setGraphColor(plot->graph(i)->valueAxis(), colour);
    }
    ui->navigationBar->on_changeColorTheme(m_dark);
    replotCurrent();
}

void MainWindow::on_timeFormatChanged()
{
    // The readout's time was written in the format before, or over another tab (a tab
    // change comes through here too); the next pointer move writes it anew.
    resetValueLabel();
    QCustomPlot* plot = currentPlot();
    if (!plot)
        return;
    plot->xAxis->setLabel(timeFormatMode == 2 ? tr("Time") : tr("Time, sec"));
    if (powerMode())
        return;
    if (GLWidget* chart = currentChart())
        chart->updateTitle();
    plot->replot(QCustomPlot::rpQueuedRefresh);
    // The strip's time axis reads in the same format as the chart's.
    ui->navigationBar->replot();
    ui->markerBar->update();
    // So does the report's heading of the displayed window.
    ui->reportBar->refreshTexts();
}

void MainWindow::replotCurrent()
{
    if (GLWidget* chart = currentChart())
        chart->repaint();
}
