// The options dialog's page of the connected supply's own settings: the fields of the
// settings report in widgets and back (the report's bytes are the supply room's), the
// four status-screen previews, the computer's clock and the unsaved-settings question on
// closing.

#include "OptionsDialog.h"
#include "ui_OptionsDialog.h"

#include "HidDevice.h"
#include "LoggerState.h"
#include "MessageBoxes.h"
#include "PowerDisplay.h"
#include "SettingsPage.h"
#include "SupplyData.h"

#include <QTimer>

using namespace SupplySettings;

namespace {
constexpr int clockRefreshMs = 10000;

QDateTime timeOfDay(int hour, int minute)
{
    return QDateTime(QDate::currentDate(), QTime(hour, minute));
}

// The page's check boxes that show one field each as it is.
struct FieldBox
{
    QAbstractButton* box;
    bool PageFields::*field;
};
QList<FieldBox> fieldBoxes(const Ui::OptionsDialog& ui)
{
    return {{ui.checkBoxLongtouch_2, &PageFields::longTouch},
            {ui.checkBoxRestoreOutput_2, &PageFields::restoreOutput},
            {ui.checkBoxAutoSwitchMinutes_2, &PageFields::autoOffLow},
            {ui.checkBoxAutoSwitchOn_2, &PageFields::autoOn},
            {ui.checkBoxAutoSwitchOff_2, &PageFields::autoOff},
            {ui.checkBox24h_2, &PageFields::clock24h},
            {ui.checkBoxShowStatusInterval_2, &PageFields::inTurn},
            {ui.checkBoxShowTotal_2, &PageFields::total},
            {ui.checkBoxShowMain_2, &PageFields::main},
            {ui.checkBoxShowAux_2, &PageFields::aux},
            {ui.checkBoxShowUser_2, &PageFields::user}};
}
} // namespace

QList<PowerDisplay*> OptionsDialog::previews() const
{
    // In page-bit order: TOTAL, POWER, AUX, SITE.
    return {ui->labelShowTotal_2, ui->labelShowMain_2, ui->labelShowAux_2, ui->labelShowUser_2};
}

void OptionsDialog::refreshPreviews()
{
    for (PowerDisplay* display : previews())
        display->refresh();
}

bool OptionsDialog::deviceOpen() const
{
    return HidDevice::instance()->isOpen();
}

void OptionsDialog::setupDeviceSettings()
{
    if (!deviceOpen())
        return;
    m_deviceSettingsShown = true;
    ui->tabWidget->setTabVisible(1, true);
    ui->tabWidget->setCurrentIndex(1);

    connect(m_clockTimer.get(), &QTimer::timeout, this,
            [this] { ui->dateTimeEditSyncPC_2->setDateTime(QDateTime::currentDateTime()); });
    m_clockTimer->start(clockRefreshMs);

    ui->checkBoxF_2->setText(tr("Temperature, %1F").arg(QChar(0x00B0)));
    ui->comboBoxDateFormatPC_2->addItems(dateFormats());
    ui->comboBoxDateFormatPC_2->setCurrentIndex(1);
    // The previews' dates follow the selection from the start, not only after a change.
    m_data.dateFormat = ui->comboBoxDateFormatPC_2->currentText();
    ui->dateTimeEditSyncPC_2->setDateTime(QDateTime::currentDateTime());
    ui->dateTimeEditSyncDevice_2->setDateTime(QDateTime::currentDateTime());
    // The page holds only what the settings report can store.
    ui->doubleSpinBoxAmpers_2->setMaximum(maxOffCurrent);
    ui->spinBoxMinutes_2->setMaximum(255);
    ui->spinBoxShowInterval_2->setMaximum(255);

    connect(ui->comboBoxDateFormatPC_2, &QComboBox::currentIndexChanged, this, &OptionsDialog::onDateFormatChanged);
    connect(ui->checkBox24h_2, &QCheckBox::clicked, this, &OptionsDialog::format24hChecked);
    connect(ui->checkBoxF_2, &QCheckBox::clicked, this, &OptionsDialog::onFahrenheitClicked);

    const QString titles[pageCount] = {tr("TOTAL"), tr("POWER"), tr("AUX"), tr("SITE")};
    for (int page = 0; page < pageCount; ++page) {
        previews().at(page)->buildMenu(pageBits[page]);
        previews().at(page)->title = titles[page];
    }

    ui->radioButtonDigital_2->setChecked(true);
    ui->checkBox24h_2->setChecked(true);
    ui->checkBoxF_2->setChecked(false);
    ui->doubleSpinBoxAmpers_2->setValue(0.1);
    ui->spinBoxMinutes_2->setValue(1);

    connect(ui->pushButtonApply_2, &QPushButton::clicked, this, &OptionsDialog::applySettings);
    connect(ui->pushButtonSave_2, &QPushButton::clicked, this, &OptionsDialog::saveSettings);
    connect(ui->pushButtonSync_2, &QPushButton::clicked, this, &OptionsDialog::syncClock);
    connect(ui->pushButtonDefaults_2, &QPushButton::clicked, this, &OptionsDialog::restoreDefaults);
    connect(ui->pushButtonExport_2, &QPushButton::clicked, this, &OptionsDialog::on_export);
    connect(ui->pushButtonImport_2, &QPushButton::clicked, this, &OptionsDialog::on_import);

    for (PowerDisplay* display : previews())
        display->setDataPacket(&m_data);
    const QString none = tr("NONE");
    ui->labelShowUser_2->paint({titles[3], none, none, none});
    ui->labelShowTotal_2->paint({titles[0], none, none, none});
    ui->labelShowMain_2->paint({titles[1], none, none, tr("LOAD")});
    ui->labelShowAux_2->paint({titles[2], none, none, tr("USB C")});

    // Nothing is known of the supply until it answers: no write may go out before, or it
    // would put this page's defaults over the supply's settings.
    m_settings = unknownSettings();
    enableWrites();
}

void OptionsDialog::enableWrites()
{
    for (QPushButton* button : {ui->pushButtonApply_2, ui->pushButtonSave_2, ui->pushButtonSync_2,
                                ui->pushButtonDefaults_2})
        button->setEnabled(m_firstSettingsTaken);
}

void OptionsDialog::on_paketReceived(PowerGetPacket& _pack)
{
    m_settings.setData(_pack.constData(), Packet::bufferSize);
    m_settings.dataOffset = _pack.dataOffset;
    // The first reply is what the supply held when the dialog opened; the reply after a
    // write is what it holds now. Either is what the page is compared with on closing.
    if (!m_firstSettingsTaken || m_referenceStale) {
        m_reference = m_settings;
        m_firstSettingsTaken = true;
        m_referenceStale = false;
        enableWrites();
    }
}

void OptionsDialog::on_paketDataReceived(PowerDataPacket& _pack)
{
    m_data.setData(_pack.constData(), Packet::bufferSize);
    fillDeviceSettings();
    ui->labelSerial->setText(tr("Serial number: ") + HidDevice::instance()->serial());
    ui->labelVersion->setText(tr("Version: ") + m_data.versionText());
    ui->firmwareVersion->setText(m_data.versionText());
}

void OptionsDialog::fillDeviceSettings()
{
    const PageFields fields = pageFields(m_settings);
    for (const FieldBox& box : fieldBoxes(*ui))
        box.box->setChecked(fields.*box.field);
    ui->groupBoxTime_3->setChecked(fields.showTimeOff);
    ui->radioButtonDigital_2->setChecked(fields.digitalWatch);
    ui->radioButtonClassic_2->setChecked(!fields.digitalWatch);
    ui->checkBoxF_2->setChecked(!fields.celsius);
    // The previews show temperatures the way the supply is set to.
    m_data.celsius = fields.celsius;

    ui->doubleSpinBoxAmpers_2->setValue(fields.offAmperes);
    ui->spinBoxMinutes_2->setValue(fields.offDelayMinutes);
    ui->dateTimeEditOn_2->setDateTime(timeOfDay(fields.onHour, fields.onMinute));
    ui->dateTimeEditOff_2->setDateTime(timeOfDay(fields.offHour, fields.offMinute));
    ui->comboBoxDateFormatPC_2->setCurrentIndex(fields.dateFormat);
    ui->spinBoxShowInterval_2->setValue(fields.pageSeconds);
    format24hChecked(fields.clock24h);

    ui->dateTimeEditSyncPC_2->setDateTime(QDateTime::currentDateTime());
    ui->dateTimeEditSyncDevice_2->setDateTime(SupplyData::deviceClock(m_data));
    QLabel* usbLabels[SupplyData::usbPortCount] = {ui->labelUSB1, ui->labelUSB2, ui->labelUSB3, ui->labelUSB4};
    for (int port = 0; port < SupplyData::usbPortCount; ++port)
        usbLabels[port]->setText(QStringLiteral("USB%1 %2V")
                                     .arg(port + 1)
                                     .arg(QString::number(SupplyData::usbVoltage(m_data, port), 'f', 1)));
    for (int page = 0; page < pageCount; ++page)
        previews().at(page)->setCells(fields.cells[page]);
    if (power600Model)
        ui->spinBoxTune12->setValue(fields.trim12V);
    m_shownPage.remember(m_settings, widgetFields(), power600Model);
}

void OptionsDialog::readDeviceSettings(PowerGetPacket& report)
{
    m_shownPage.read(report, widgetFields(), power600Model);
}

PageFields OptionsDialog::widgetFields() const
{
    PageFields fields;
    for (const FieldBox& box : fieldBoxes(*ui))
        fields.*box.field = box.box->isChecked();
    fields.showTimeOff = ui->groupBoxTime_3->isChecked();
    fields.digitalWatch = ui->radioButtonDigital_2->isChecked();
    fields.celsius = !ui->checkBoxF_2->isChecked();

    fields.offAmperes = ui->doubleSpinBoxAmpers_2->value();
    fields.offDelayMinutes = ui->spinBoxMinutes_2->value();
    const QTime on = ui->dateTimeEditOn_2->time();
    const QTime off = ui->dateTimeEditOff_2->time();
    fields.onHour = on.hour();
    fields.onMinute = on.minute();
    fields.offHour = off.hour();
    fields.offMinute = off.minute();
    // A format the list does not hold leaves the list without a selection.
    fields.dateFormat = ui->comboBoxDateFormatPC_2->currentIndex();
    fields.pageSeconds = ui->spinBoxShowInterval_2->value();
    for (int page = 0; page < pageCount; ++page)
        fields.cells[page] = previews().at(page)->cells;
    fields.trim12V = ui->spinBoxTune12->value();
    return fields;
}

void OptionsDialog::format24hChecked(bool _state)
{
    m_data.clock24h = _state;
    const QString prefix = _state ? QStringLiteral("hh:mm ") : QStringLiteral("hh:mm ap ");
    ui->dateTimeEditOn_2->setDisplayFormat(prefix);
    ui->dateTimeEditOff_2->setDisplayFormat(prefix);
    const QString clockFormat = prefix + ui->comboBoxDateFormatPC_2->currentText();
    ui->dateTimeEditSyncPC_2->setDisplayFormat(clockFormat);
    ui->dateTimeEditSyncDevice_2->setDisplayFormat(clockFormat);
    refreshPreviews();
}

void OptionsDialog::onDateFormatChanged()
{
    m_data.dateFormat = ui->comboBoxDateFormatPC_2->currentText();
    const QString prefix = ui->checkBox24h_2->isChecked() ? QStringLiteral("hh:mm ") : QStringLiteral("hh:mm ap ");
    ui->dateTimeEditSyncPC_2->setDisplayFormat(prefix + m_data.dateFormat);
    ui->dateTimeEditSyncDevice_2->setDisplayFormat(prefix + m_data.dateFormat);
    refreshPreviews();
}

void OptionsDialog::onFahrenheitClicked(bool checked)
{
    m_data.celsius = !checked;
    refreshPreviews();
}

void OptionsDialog::warnDisconnected()
{
    warningBox(this, tr("Warning"), tr("Device disconnected"), QMessageBox::Ok);
}

void OptionsDialog::sendWrite(quint8 flag)
{
    PowerSetPacket write = settingsWrite(m_settings, flag);
    HidDevice::instance()->sendReport(write);
    m_referenceStale = true;
}

void OptionsDialog::applySettings()
{
    readDeviceSettings(m_settings);
    if (!deviceOpen()) {
        warnDisconnected();
        return;
    }
    sendWrite(Apply);
}

void OptionsDialog::saveSettings()
{
    readDeviceSettings(m_settings);
    if (!deviceOpen()) {
        warnDisconnected();
        return;
    }
    sendWrite(Save);
}

void OptionsDialog::restoreDefaults()
{
    // The report as the supply last sent it: without one there is nothing to send.
    if (!m_firstSettingsTaken)
        return;
    sendWrite(RestoreDefaults);
}

void OptionsDialog::syncClock()
{
    readDeviceSettings(m_settings);
    sendWrite(SetClock);
}

void OptionsDialog::askUnsavedSettings()
{
    // Asked once per closing, and only about settings the supply actually sent.
    if (m_closeAsked || !m_deviceSettingsShown || !m_firstSettingsTaken)
        return;
    m_closeAsked = true;
    readDeviceSettings(m_settings);
    if (pageSettings(m_settings, power600Model) == pageSettings(m_reference, power600Model))
        return;
    if (warningBox(this, tr("Close"), tr("Settings are not saved. Save now?"), QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes)
        saveSettings();
}
