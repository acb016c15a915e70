#include "ControlPanel.h"
#include "ui_ControlPanel.h"

#include "ChannelInfo.h"
#include "DeviceControl.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "PanelState.h"
#include "Settings.h"
#include "StatusControl.h"
#include "UnitFormat.h"

#include <QDebug>
#include <QTimer>

namespace {
struct SampleRate
{
    int number;
    const char* unit;
    int hertz;
};
// The rates the combo box offers; the word sent is 10000 / hertz (100 µs units).
constexpr const char* kHz = QT_TRANSLATE_NOOP("MainWindow", "kHz");
constexpr const char* Hz = QT_TRANSLATE_NOOP("MainWindow", "Hz");
constexpr SampleRate sampleRates[ControlPanel::sampleRateCount] = {
    {10, kHz, 10000}, {5, kHz, 5000}, {2, kHz, 2000}, {1, kHz, 1000}, {500, Hz, 500},
    {200, Hz, 200}, {100, Hz, 100}, {50, Hz, 50}, {20, Hz, 20}, {10, Hz, 10},
    {5, Hz, 5}, {2, Hz, 2}, {1, Hz, 1}};
} // namespace

ControlPanel::ControlPanel(QWidget* parent)
    : Panel(parent)
    , ui(new Ui::ControlPanel)
{
    ui->setupUi(this);
    ui->btnResetErrors->hide();
    // A typed period becomes the rate in use when it is entered, not at each keystroke:
    // typing 10 passes through 1, which would cost the user all but one channel.
    ui->spinBoxSampleRate->setKeyboardTracking(false);
    connect(ui->comboBoxSampleRate, &QComboBox::currentIndexChanged, this, &ControlPanel::keepOneChannel);
    connect(ui->listWidget, &QListWidget::itemChanged, this, &ControlPanel::keepChangedChannelOnly);
    connect(ui->spinBoxTrigDelay, &QSpinBox::valueChanged, this, &ControlPanel::trigDelayChanged);
    connect(ui->btnResetErrors, &QPushButton::clicked, this, &ControlPanel::resetErrors);
}

ControlPanel::~ControlPanel()
{
    delete ui;
}

void ControlPanel::loadSettings()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Control"));
    // The device's voltage is compared with the one the box shows, which keeps an edited
    // value within its range.
    ui->spinBoxOutputVoltage->setValue(settings.value(QStringLiteral("output-voltage"), 1800).toInt());
    outputVoltage = ui->spinBoxOutputVoltage->value();
    ui->spinBoxOutputVoltage->setEnabled(true);
    ui->radioButtonOff->setChecked(true);
    if (settings.value(QStringLiteral("sync-trig"), true).toBool())
        ui->radioButtonTRIG->setChecked(true);
    else
        ui->radioButtonLog->setChecked(true);
    ui->spinBoxSyncDelay->setValue(settings.value(QStringLiteral("sync-delay"), 0).toInt());
    ui->spinBoxTrigDelay->setValue(settings.value(QStringLiteral("trig-delay"), 0).toInt());
    settings.endGroup();

    fillSampleRates();
    connect(ui->checkBoxCustom, &QCheckBox::stateChanged, this, &ControlPanel::onCustomRateChanged);
    connect(ui->spinBoxSampleRate, &QSpinBox::valueChanged, this, &ControlPanel::updateRateLabel);
    connect(ui->spinBoxSampleRate, &QSpinBox::valueChanged, this, &ControlPanel::keepOneChannel);

    settings.beginGroup(QStringLiteral("Measure"));
    // The spin box keeps a restored period within its 16-bit range.
    ui->spinBoxSampleRate->setValue(settings.value(QStringLiteral("sample-rate"), 5).toInt());
    QTimer::singleShot(1000, this, [this] {
        updateRateLabel();
        ui->labelFq->repaint();
    });
    const bool custom = settings.value(QStringLiteral("sample-rate-custom"), false).toBool();
    ui->checkBoxCustom->setChecked(custom);
    // An edited or foreign settings file may hold any index: only the table's are used.
    const int combo = settings.value(QStringLiteral("sample-rate-combo"), 0).toInt();
    ui->comboBoxSampleRate->setCurrentIndex(combo >= 0 && combo < sampleRateCount ? combo : 0);
    settings.endGroup();
    ui->comboBoxSampleRate->setEnabled(!custom);
    ui->spinBoxSampleRate->setEnabled(custom);

    ui->labelPower->hide();
    connect(ui->btnStart, &QPushButton::clicked, this, &ControlPanel::on_startButton);
    connect(ui->btnStop, &QPushButton::clicked, this, &ControlPanel::on_stopButton);
    connect(ui->btnLog, &QPushButton::clicked, this, &ControlPanel::on_logButton);
    connect(ui->btnTrig, &QPushButton::clicked, this, &ControlPanel::on_trigButton);
    connect(ui->btnApply, &QPushButton::clicked, this, &ControlPanel::on_applyButton);
    connect(ui->toolButtonSet, &QToolButton::clicked, this, &ControlPanel::on_powerSetButton);
}

void ControlPanel::saveSettings()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Control"));
    settings.setValue(QStringLiteral("output-voltage"), ui->spinBoxOutputVoltage->value());
    settings.setValue(QStringLiteral("delayed-power-on"), ui->radioButtonDelayed->isChecked());
    settings.setValue(QStringLiteral("sync-trig"), ui->radioButtonTRIG->isChecked());
    settings.setValue(QStringLiteral("sync-delay"), ui->spinBoxSyncDelay->value());
    settings.setValue(QStringLiteral("trig-delay"), ui->spinBoxTrigDelay->value());
    settings.endGroup();

    settings.beginGroup(QStringLiteral("Measure"));
    settings.setValue(QStringLiteral("sample-rate"), ui->spinBoxSampleRate->value());
    settings.setValue(QStringLiteral("sample-rate-custom"), ui->checkBoxCustom->isChecked());
    settings.setValue(QStringLiteral("sample-rate-combo"), ui->comboBoxSampleRate->currentIndex());
    // Only the analyzer's own list is its selection: without a device the list is empty
    // or stale, and with a supply or the bootloader it is empty, so the stored selection
    // stays for the analyzer's next session.
    if (HidDevice::instance()->analyzerOpen()) {
        QString channels;
        for (int row = 0; row < ui->listWidget->count(); ++row) {
            const QListWidgetItem* item = ui->listWidget->item(row);
            if (item->checkState() == Qt::Checked)
                channels += QString::number(item->data(Qt::UserRole).toInt()) + QLatin1Char(',');
        }
        settings.setValue(QStringLiteral("channels"), channels);
    }
    settings.endGroup();
}

void ControlPanel::fillSampleRates()
{
    QSignalBlocker blocker(ui->comboBoxSampleRate);
    const int current = ui->comboBoxSampleRate->currentIndex();
    ui->comboBoxSampleRate->clear();
    for (int i = 0; i < sampleRateCount; ++i) {
        const SampleRate& rate = sampleRates[i];
        const QString format = i == 0 ? tr(" %1 %2 (one channel only)") : QStringLiteral(" %1 %2");
        ui->comboBoxSampleRate->addItem(
            format.arg(rate.number, 3).arg(QCoreApplication::translate("MainWindow", rate.unit)), rate.hertz);
    }
    ui->comboBoxSampleRate->setCurrentIndex(current);
}

QSet<int> ControlPanel::parseChannelSelection(const QString& text)
{
    QSet<int> selected;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            selected.insert(trimmed.toInt(nullptr, 10));
    }
    return selected;
}

void ControlPanel::setChannels()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Measure"));
    const bool stored = settings.contains(QStringLiteral("channels"));
    const QSet<int> selected =
        parseChannelSelection(settings.value(QStringLiteral("channels"), QString()).toString());
    settings.endGroup();

    ui->listWidget->clear();
    for (auto it = channelTable.cbegin(); it != channelTable.cend(); ++it) {
        const int channel = it.key();
        if (channel >= maskChannels)
            continue; // no bit of the request's mask can select it
        const QStringList fields = it.value().infoText().split(QLatin1Char(','));
        auto* item = new QListWidgetItem(QStringLiteral("#%1: %2").arg(channel).arg(fields.value(1)));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(!stored || selected.contains(channel) ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, channel);
        QSignalBlocker blocker(ui->listWidget);
        ui->listWidget->addItem(item);
    }
    // A list filled at 10 kHz keeps one channel, as choosing that rate does: the
    // analyzer refuses the rate for more than one.
    keepOneChannel();
}

// The analyzer samples one channel only at its shortest period, one 100 µs step
// (10 kHz), whether that comes from the combo box or from a custom period.
bool ControlPanel::oneChannelRate() const
{
    return sampleWord() == 10000 / sampleRates[0].hertz;
}

// Runs whenever the rate in use may have changed: the combo box, the custom box, the
// custom period, and a refill of the list.
void ControlPanel::keepOneChannel()
{
    if (!oneChannelRate())
        return;
    int first = -1;
    for (int row = 0; row < ui->listWidget->count(); ++row) {
        if (ui->listWidget->item(row)->checkState() == Qt::Checked) {
            first = row;
            break;
        }
    }
    if (first < 0)
        return;
    QSignalBlocker blocker(ui->listWidget);
    for (int row = first + 1; row < ui->listWidget->count(); ++row) {
        qDebug() << "uncheck " << row;
        ui->listWidget->item(row)->setCheckState(Qt::Unchecked);
    }
}

void ControlPanel::keepChangedChannelOnly(QListWidgetItem* item)
{
    if (!oneChannelRate())
        return;
    QSignalBlocker blocker(ui->listWidget);
    for (int row = 0; row < ui->listWidget->count(); ++row) {
        QListWidgetItem* other = ui->listWidget->item(row);
        if (other != item)
            other->setCheckState(Qt::Unchecked);
    }
}

void ControlPanel::onCustomRateChanged(int state)
{
    const bool custom = state == Qt::Checked;
    ui->comboBoxSampleRate->setEnabled(!custom);
    ui->spinBoxSampleRate->setEnabled(custom);
    keepOneChannel();
}

void ControlPanel::updateRateLabel()
{
    ui->labelFq->setText(sampleRateText(ui->spinBoxSampleRate->value()));
}

quint16 ControlPanel::sampleWord() const
{
    if (ui->checkBoxCustom->isChecked())
        return quint16(ui->spinBoxSampleRate->value());
    const int hertz = ui->comboBoxSampleRate->currentData().toInt();
    return hertz > 0 ? quint16(10000 / hertz) : quint16(10000 / sampleRates[0].hertz);
}

quint16 ControlPanel::channelMask() const
{
    quint16 mask = 0;
    for (int row = 0; row < ui->listWidget->count(); ++row) {
        const QListWidgetItem* item = ui->listWidget->item(row);
        const int channel = item->data(Qt::UserRole).toInt();
        if (item->checkState() == Qt::Checked && channel >= 0 && channel < maskChannels)
            mask |= quint16(1u << channel);
    }
    return mask;
}

void ControlPanel::emitStart(quint8 command, quint16 triggerDelay)
{
    DeviceControl control;
    control.setCommand(command);
    control.setChannelMask(channelMask());
    control.setSampleRate(sampleWord());
    control.setPayloadType(1);
    control.setTriggerDelay(triggerDelay);
    emit startMeasurement(control);
}

void ControlPanel::on_startButton()
{
    emitStart(DeviceControl::CommandStart, 0);
}

void ControlPanel::on_logButton()
{
    emitStart(DeviceControl::CommandLog, 0);
}

void ControlPanel::on_trigButton()
{
    const quint16 delay = quint16(ui->spinBoxTrigDelay->value());
    emitStart(delay != 0 ? DeviceControl::CommandTrigDelayed : DeviceControl::CommandTrig, delay);
}

void ControlPanel::on_stopButton()
{
    DeviceControl stop(measuringDeviceControl);
    stop.setCommand(DeviceControl::CommandStop);
    emit stopMeasurement(stop);
}

void ControlPanel::emitStatusRequest(quint8 control, quint16 voltage, quint16 syncDelay)
{
    StatusControlRequest request;
    request.setControl(control);
    request.setVoltage(voltage);
    request.setSyncDelay(syncDelay);
    emit requestStatus(request);
}

void ControlPanel::on_applyButton()
{
    quint8 source = 0;
    if (ui->radioButtonVbat->isChecked())
        source = 0xC0;
    else if (ui->radioButtonVusb->isChecked())
        source = 0x80;
    const quint8 sync = ui->radioButtonTRIG->isChecked() ? 0 : 1;
    const int voltage = ui->spinBoxOutputVoltage->value();
    emitStatusRequest(source | 0x12 | sync, quint16(voltage), quint16(ui->spinBoxSyncDelay->value()));
    outputVoltage = voltage;
    controlSettingsSent = true;
    setStartEnabled(true);
}

void ControlPanel::on_powerSetButton()
{
    quint8 control = 0;
    if (ui->radioButtonDelayed->isChecked())
        control = 0x0C;
    else if (ui->radioButtonPermanent->isChecked())
        control = 0x08;
    else if (ui->radioButtonOff->isChecked())
        control = 0x04;
    emitStatusRequest(control, quint16(ui->spinBoxOutputVoltage->value()),
                      quint16(ui->spinBoxSyncDelay->value()));
    controlSettingsSent = true;
}

void ControlPanel::on_requestStatus(uchar _errorStatus)
{
    const bool lowBattery = _errorStatus & 0x02;
    emitStatusRequest(lowBattery ? 0x30 : 0x20, lowBattery ? quint16(ui->spinBoxOutputVoltage->value()) : 0, 0);
}

void ControlPanel::resetErrors()
{
    emit resetClicked();
    errorShown = false;
    on_requestStatus(deviceStatus);
}

void ControlPanel::on_resetButton()
{
    resetErrors();
}

void ControlPanel::sendStatusRequest()
{
    emitStatusRequest(0, 1800, 0);
}

void ControlPanel::on_toggleAlarm(bool _alarm)
{
    ui->groupBoxControl->setEnabled(true);
    ui->btnApply->setEnabled(true);
    setStartEnabled(!_alarm);
    ui->groupBoxSampleRate->setEnabled(!_alarm);
    ui->groupBoxChannels->setEnabled(!_alarm);
}

void ControlPanel::on_trigDelayChanged(int value)
{
    QSignalBlocker blocker(ui->spinBoxTrigDelay);
    ui->spinBoxTrigDelay->setValue(value);
}

void ControlPanel::on_changeColorTheme(bool dark)
{
    const struct {
        QPushButton* button;
        const char* name;
    } buttons[] = {{ui->btnTrig, "trig-edge"}, {ui->btnLog, "trig-gate"}, {ui->btnStop, "stop"}, {ui->btnStart, "play"}};
    for (const auto& entry : buttons) {
        const QString base = QStringLiteral(":/res/") + QLatin1String(entry.name);
        QIcon icon;
        if (dark) {
            icon.addFile(base + QStringLiteral("-white.png"), QSize(), QIcon::Normal);
            icon.addFile(base + QStringLiteral("-gray.png"), QSize(), QIcon::Disabled);
        } else {
            icon.addFile(base + QStringLiteral("-black.png"));
        }
        entry.button->setIcon(icon);
    }
}

void ControlPanel::setStartEnabled(bool enable)
{
    const bool on = enable && !measuringActive;
    ui->btnStart->setEnabled(on);
    ui->btnLog->setEnabled(on);
    ui->btnTrig->setEnabled(on);
    ui->labelTrigDelay->setEnabled(on);
    ui->spinBoxTrigDelay->setEnabled(on);
}

void ControlPanel::setMeasureControlsEnabled(bool enable)
{
    setStartEnabled(enable);
    ui->btnStop->setEnabled(true);
}

void ControlPanel::enableStopButton()
{
    ui->btnStop->setEnabled(true);
}

void ControlPanel::setControlsEnabled(bool enable)
{
    ui->groupBoxControl->setEnabled(enable);
    ui->btnApply->setEnabled(true);
}

bool ControlPanel::isLoadPowerDisabled() const
{
    return deviceStatus & 0x01;
}

void ControlPanel::retranslate()
{
    ui->retranslateUi(this);
    QTimer::singleShot(100, this, [this] {
        updateRateLabel();
        ui->labelFq->repaint();
    });
}

void ControlPanel::changeEvent(QEvent* event)
{
    Panel::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
