#pragma once

#include "GLWidget.h"
#include "SampleClock.h"
#include "StatusMessage.h"

#include <qcustomplot.h>

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTranslator>

#include <functional>

class ControlPanel;
class DeviceControl;
class HidDevice;
class Calculator;
struct CalculatorInfo;
class ChartAxis;
class MarqueeLabel;
class MeasureAll;
class MeasurePower;
class Packet;
class PopUp;
class PowerDataPacket;
class PowerGetPacket;
class PowerPacket;
class PowerPanel;
class QComboBox;
class QDockWidget;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;
class StatusControlRequest;
class StatusPanel;
class Updater;

namespace Ui {
class MainWindow;
}

// The logger's only top-level window and the owner of every measurement run. Its member
// functions are spread over files by concern:
//   MainWindow.cpp            construction, settings restore and store, shut-down
//   MainWindowDevice.cpp      device arrival and removal, input report dispatch, status timer
//   MainWindowRun.cpp         the analyzer run
//   MainWindowSupplyRun.cpp   the supply panel and the supply run
//   MainWindowTabs.cpp        capture tabs: creation, the current tab, saving
//   MainWindowTabClose.cpp    closing tabs, one or a group
//   MainWindowLoad.cpp        opening saved logs
//   MainWindowRanges.cpp      range changes and the time windows read from the swap file
//   MainWindowChartMouse.cpp  the mouse on the chart
//   MainWindowAxisUnits.cpp   the axes' unit changes
//   MainWindowNavigation.cpp  clicks on the navigation bar
//   MainWindowCalculator.cpp  the battery-life calculator
//   MainWindowView.cpp        tool bar, view toggles, options dialog, language, colours
//   MainWindowLanguage.cpp    texts the window built from parts, said again in a new language
//   MainWindowUpdates.cpp     the updater and its notices
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- status bar: a failure in red, any other message in the theme's text colour.
    // Texts of the program come as StatusText, so that they follow a language change;
    // a plain QString reads the same in every language.
    void showError(const QString& text, int ms);
    void showMessage(const QString& text, int ms);
    void showError(StatusText text, int ms);
    void showMessage(StatusText text, int ms);

    // --- tabs, saving and opening logs
    GLWidget* currentChart() const;
    QCustomPlot* currentPlot() const;
    void addCaptureTab();
    bool saveTab(int index);
    void saveUnsavedTabs();
    void loadLog(const QString& path);
    void closeAllTabs();
    void closeTabsLeft(int index);
    void closeTabsRight(int index);
    void closeTabsAll(int index);
    void closeTab(int index, bool reopen);

    // --- device set-up
    void setupAnalyzer();
    void setupPowerSupply();
    void setupPower600();

    // --- the supply run
    void processPowerMeasurement(MeasurePower& packet);
    // Temperature axes of the listed channels in °F (nothing when fahrenheit is clear).
    void setPowerAxesFahrenheit(const QList<int>& channels, bool fahrenheit);
    PowerPanel* powerPanel() const { return m_powerPanel; }

    // --- the analyzer run
    void processMeasurement(MeasureAll& packet);
    PacketTiming dateReport(quint32 index, int rows);
    // The tab that the running measurement records into; null while none runs.
    GLWidget* runningChart() const { return m_runChart; }
    // Milliseconds since the epoch; the run start and the window flush read it. Tests let
    // the simulated instruments' clock stand in for the wall clock.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    static QString swapFileErrorText(int code);

    // --- tool bar, appearance
    void setRunControlsEnabled(bool on);
    void setToolBarEnabled(bool on, bool keepOpenAndSettings);
    void retranslate(const QString& code);
    void centreKeyAxis(double centre, double width);
    // Without the swap-file read the working-cycle record keeps its last figures.
    void fillCalculator(bool readWorkingCycle = true);
    void openCalculator();
    Calculator* findCalculator() const;
    void applyPopupColors();

    ControlPanel* controlPanel() const { return m_controlPanel; }
    QTabWidget* tabWidget() const;
    QTimer* statusTimer() const { return m_statusTimer; }
    int measuringTimeLimit() const { return m_measuringTimeLimit; }
    int viewingInterval() const { return m_viewingInterval; }
    bool newTabFlag() const { return m_newTab; }

signals:
    void deviceInfoReceved();
    void enableMeasurement();
    void disableMeasurement();
    void refreshChannels(QList<qreal> values);
    void paketReceived(PowerGetPacket& _pack);
    void paketDataReceived(PowerDataPacket& _pack);
    void stopMeasurement(DeviceControl& control);
    void changeColorTheme(bool dark);
    void showNotification(QString msg, QString url);

public slots:
    // device events and dispatch
    void on_deviceConnected();
    void on_deviceDisconnected();
    void on_bootloaderConnected();
    void on_packetReceived(quint8* _packet, int _length);
    void on_packetPowerReceived(PowerPacket& _packet);
    void on_enableMeasurement();
    void on_refeshChannels(QList<qreal> values);
    void onStatusTimer();
    void on_requestStatus(StatusControlRequest& request);

    // the analyzer run
    void on_startMeasurement(DeviceControl& control);
    void on_stopButton();
    void on_stopMeasurement(DeviceControl& control);
    void terminateMeasuring();
    void reRangeX();
    void reRangeAxis(bool force = false);
    void on_swapFileError(int code);
    void clearOverCurrentWarning();
    void showOverCurrentWarning();
    void on_updateCalculator();

    // the supply run
    void on_startPowerMeasurement(QString _cmd);
    void on_stopPowerMeasurement(QString _cmd);

    // tabs, saving and opening
    void on_actionSave();
    void on_actionLoad();
    void on_closeTab(int index);
    void on_contextMenuRequested(const QPoint& point);
    void on_currentTabChanged(int index);
    void on_channelsAdded();

    // chart axes
    void connectAxisUnits(GLWidget* chart);

    // tool bar and appearance
    void on_actionSettings();
    void on_changeColorTheme(bool dark);
    void on_changeColors();
    void on_timeFormatChanged();

    // update notices
    void on_newSWAvailable(bool _available);
    void on_newFWAvailable(bool _available);

    // chart interaction
    void on_rangeChanged(const QCPRange& newRange, const QCPRange& oldRange, QCPAxis* axis);
    void on_mouseMove(QMouseEvent* event);
    void on_mouseRelease(QMouseEvent* event);
    void on_mouseWheel(QWheelEvent* event);
    void on_axisDoubleClick(QCPAxis* axis, QCPAxis::SelectablePart part, QMouseEvent* event);
    void on_plottableDoubleClick(QCPAbstractPlottable* plottable, int dataIndex, QMouseEvent* event);
    void on_rangeBorderReached(double new_lo, double new_up);
    void on_markerChanged();
    void on_showAll();
    void on_comboboxShowAllTimeAcivated(int index);
    void on_comboboxTimeAcivated(int index);
    void on_swapPositionChanged(int start_time);
    void showCursorValues(double time);

    // views
    void toggleReportBar();
    void toggleMarkerBar();
    // Rewrites an axis's title (value axes) or its labels (time axis) for the unit its
    // tick labels were generated in.
    void on_axisUnitChanged(QCPAxis* axis, int _upper, QList<double>& mTickVector,
                            QList<QString>& tickVectorLabels);
    void on_navigationClicked(double _time);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // construction and shut-down
    void buildDocks();
    void connectPanels();
    void buildStatusStrip();
    void restoreDocks();
    void restoreFloatingDockSizes();
    void storeSettings();

    // device events
    void closeTabsOfOtherKind();
    void dispatchMeasureAll(const quint8* packet);
    void dispatchStatusResponse(const quint8* packet);
    void dispatchChannelInfo(const quint8* packet);

    // the run
    static DeviceControl stopCommand();
    bool prepareRunFile(GLWidget* chart, const DeviceControl& control);
    void finishRun(GLWidget* chart);
    // Appends the run's remaining points and its report block; false when the disk
    // refused them (the tab then keeps them and remembers it, see GLWidget).
    bool writeRunTail(GLWidget* chart);
    void abandonRefusedStart();
    void restoreRunControls(bool supply);
    void resetValueLabel();
    void flushOldPoints(GLWidget* chart, qint64 now);

    // the supply run
    void replacePowerPanel();
    void detachAnalyzerPanels();
    void restoreAnalyzerPanels();
    void onPowerLogRequested(const QString& command);
    void refusePowerLog(const StatusText& reason);
    bool prepareSupplyRunFile(GLWidget* chart, quint8 channelCount, quint16 mask, quint16 period,
                              bool customRate, bool fahrenheit);
    void stopSupplyRun();
    // Text commands and requests go to a supply only: never to an analyzer that happens
    // to be attached while a supply log is shown, and never during a firmware update.
    bool supplyAttached() const;
    void sendSupplyText(const QString& text);
    void sendSupplyReport(Packet& packet);

    // tabs, saving and closing
    // The extension of the logs of the window's device mode.
    static QString logExtension();
    QString proposedSaveName(int index) const;
    // Asks where the tab's log goes; a name without an extension gets the mode's.
    // Empty when the user gave none.
    QString askLogFileName(int index);
    QString saveFilter() const;
    bool saveChartAs(GLWidget* chart, const QString& fileName, StatusText* reason);
    // The index of a chart tab whose log is the file fileName, or -1.
    int tabShowingFile(const QString& fileName) const;
    void removeTab(int index);
    bool mayCloseTabs(int first, int last);
    // Tabs from first to last that hold a recording nobody saved.
    QList<QPointer<GLWidget>> unsavedCharts(int first, int last) const;
    void keepUnsavedRecording(GLWidget* chart, QStringList& kept);
    void afterLastTabClosed();

    // chart interaction
    // The start of the supply's readout: "Time: " in the theme's text colour.
    QString supplyReadoutHead() const;
    void showSupplyReadout(GLWidget* chart, const QList<double>& values, const QString& timeText);
    void moveToBorderRequest(double lower, double upper);
    bool zoomReachesBeyondRecords(ChartAxis* key, double factor, double centre);
    // readChartWindow, then the time axis's limits become the keys read.
    bool readKeyWindow(GLWidget* chart, double centre, double width);
    // Reads the records of [centre - width / 2, centre + width / 2] in place of the
    // chart's points. A log file gone from the disk is said once for the tab, and the
    // chart keeps the points it shows; false then.
    bool readChartWindow(GLWidget* chart, double centre, double width);
    void fitToGraphs(ChartAxis* axis);
    void resetRightAxes(QCustomPlot* plot);
    void refitAndRepaint(GLWidget* chart);
    void fillFromMarkers(GLWidget* chart, CalculatorInfo& record) const;
    void refreshCalculatorForRange(QCustomPlot* plot);

    // view toggles
    void setDockShown(QDockWidget* dock, const QString& group, bool shown);
    // The report and marker bars shown or hidden, with the texts of their tool-bar actions.
    void setReportBarShown(bool shown);
    void setMarkerBarShown(bool shown);
    void updateBarActions();
    // The tool-bar items that only the analyzer's captures use: the View menu, the report
    // and markers toggles and the calculator, with the separator after them.
    void setAnalyzerItemsShown(bool shown);

    // The window's title names what is connected; it is kept as that, so that a language
    // change can say it again.
    enum class WindowTitle { Program, NoDevice, Analyzer, Duriz500, Vuviv600 };
    void showTitle(WindowTitle title);
    static QString titleText(WindowTitle title);
    // "Capture <number>" in the program's language.
    static QString captureName(int number);
    // A capture tab keeps its number while it bears the program's name for it; a tab
    // named after a saved or opened log no longer has one.
    void nameTabAfterFile(int index, const QString& baseName);
    // What the window built from parts (its title, the capture tabs' names, the charts'
    // titles, the over-current warning, the status line's message) said again in the
    // language now installed.
    void retranslateBuiltTexts();

    // tool bar and appearance
    void setupMenus();
    void fillTimeCombos();
    void replotCurrent();
    QString valueText(const QString& v0, const QString& v1, const QString& v2, const QString& time) const;

    // the updater, its notices and what it learns of the instrument
    void createUpdater();
    void announceUpdate(const QString& key, StatusText text);

    Ui::MainWindow* ui;
    PopUp* m_popUp = nullptr;
    ControlPanel* m_controlPanel = nullptr;
    StatusPanel* m_statusPanel = nullptr;
    PowerPanel* m_powerPanel = nullptr;
    QDockWidget* m_dockStatus = nullptr;
    QDockWidget* m_dockControl = nullptr;
    // Stored sizes of floating docks, given back once their panels show.
    QSize m_statusFloatingSize;
    QSize m_controlFloatingSize;
    MarqueeLabel* m_banner = nullptr;
    QPushButton* m_warningButton = nullptr;
    QLabel* m_valueLabel = nullptr;
    QTranslator m_translator;
    QTranslator m_qtTranslator; // Qt's own dialogs and buttons
    Updater* m_updater = nullptr;
    HidDevice* m_hid = nullptr;
    QTimer* m_statusTimer = nullptr;
    QTimer* m_windowTimer = nullptr;
    QTimer* m_axisTimer = nullptr;
    QPalette m_lightPalette;
    bool m_dark = false;
    int m_languageIndex = 0;
    WindowTitle m_windowTitle = WindowTitle::Program;
    QString m_valueTemplate;

    // tool bar items
    QAction* m_actionSave = nullptr;
    QAction* m_actionLoad = nullptr;
    QAction* m_actionView = nullptr;
    QAction* m_actionSettings = nullptr;
    QAction* m_actionShowAll = nullptr;
    QAction* m_actionReport = nullptr;
    QAction* m_actionMarkers = nullptr;
    QAction* m_actionCalculator = nullptr;
    QAction* m_calculatorSeparator = nullptr;
    QAction* m_actionTimeLabel = nullptr;
    QAction* m_actionTimeCombo = nullptr;
    QAction* m_actionShowAllCombo = nullptr;
    QMenu* m_viewMenu = nullptr;
    QAction* m_actionShowStatus = nullptr;
    QAction* m_actionShowControl = nullptr;
    QComboBox* m_showAllCombo = nullptr;
    QComboBox* m_timeCombo = nullptr;
    QLabel* m_secLabel = nullptr;
    QToolBar* m_timesBar = nullptr; // the tool bar's second row
    QLabel* m_timeLabel = nullptr;

    // the run
    QPointer<GLWidget> m_runChart;
    SampleClock m_sampleClock;
    qint64 m_runStartMs = 0;
    int m_measuringTimeLimit = 10;
    int m_viewingInterval = 10;
    // The entries of the two time boxes that gave the two values above: a cancelled
    // custom value puts its box back on them.
    int m_timeIndex = 0;
    int m_showAllIndex = 0;
    bool m_newTab = true;
    bool m_limitStopQueued = false;
    int m_lastSwapFileError = 0;
    // Decimals of the times shown for the pointer: 2 until the time axis first
    // relabels itself, 3 from then on.
    int m_timePrecision = 2;
    // A drag past the loaded records: the keys it asked for, read on release.
    bool m_borderPending = false;
    double m_borderLower = 0;
    double m_borderUpper = 0;
    // The calculator's swap-file figures wait for the end of a drag.
    bool m_calculatorDeferred = false;
    // Read once when the menus are built: whether showing a dock tabs the two together.
    bool m_docksTabified = true;
    std::function<qint64()> m_clock;
    StatusMessage m_statusMessage;

    // the supply run: what the running log was started with
    bool m_supplyRun = false;
    QList<int> m_supplyChannels;
    bool m_supplyFahrenheit = false;
    bool m_analyzerPanelsDetached = false;
};
