// The Control panel's reflection of the analyzer's status responses: output settings,
// fault explanations, the Reset errors button and which start buttons may be used.
#include "ControlPanel.h"
#include "ui_ControlPanel.h"

#include "MessageBoxes.h"
#include "PanelState.h"
#include "StatusControl.h"

#include <QTimer>

namespace {
constexpr quint8 lostDataBit = 0x80;
constexpr quint8 converterCommunicationBit = 0x40;
constexpr quint8 converterRegulationBit = 0x20;
constexpr quint8 converterThermalBit = 0x10;
constexpr quint8 calibrationFaultBit = 0x04;
constexpr quint8 lowBatteryBit = 0x02;
constexpr quint8 loadPowerDisabledBit = 0x01;
constexpr quint8 resetErrorsMask = 0x7B;
constexpr quint8 powerOutputOff = 4;
constexpr quint8 powerOutputPermanent = 8;
constexpr quint8 powerOutputDelayed = 12;

const char* const redGroupStyle =
    "QGroupBox { border: 2px solid red;font: bold;margin-top: 6px;}"
    "QGroupBox::title { color: red; subcontrol-origin: margin;left: 7px; padding: 0px 5px 0px 5px;}";
} // namespace

void ControlPanel::showErrorDetails()
{
    if (deviceStatus & calibrationFaultBit) {
        errorShown = true;
        showBoxLater(true, tr("Restore fault.\nChannels calibration values are lost.\n"));
        return;
    }
    QString texts;
    if (deviceStatus & converterCommunicationBit)
        texts += tr("Power converter communication error\n");
    if (deviceStatus & converterRegulationBit)
        texts += tr("Power converter can not not provide output voltage requlation\n");
    if (deviceStatus & converterThermalBit)
        texts += tr("Power converter thermal shutdown\n");
    if (deviceStatus & lowBatteryBit) {
        texts += tr("Low battery voltage is detected. \n");
        if (!(deviceStatus & loadPowerDisabledBit))
            texts += tr("Load power is switched to Vusb.\n");
    }
    if (deviceStatus & loadPowerDisabledBit)
        texts += tr("Load power is disabled\n");
    if (texts.isEmpty())
        return;
    if (deviceStatus & lostDataBit)
        texts = tr("Lost of data is detected\n") + texts;

    const QString instructions = tr("1.Remove reason for high current.\n")
        + tr("2.Select and APPLY proper power source(Vusb or Vbat).\n")
        + tr("3.Select and SET  proper Power config.\n") + tr("4.Press button \"Reset errors\".\n")
        + tr("5.Now device is ready to work again.");
    const bool converterFault =
        deviceStatus & (converterCommunicationBit | converterRegulationBit | converterThermalBit);
    QString message;
    if (converterFault && (deviceStatus & loadPowerDisabledBit))
        message = texts + QStringLiteral("\n\n") + tr("All power supplies were disconnected from DUT  due overcurrent.\n")
            + instructions;
    else if (deviceStatus & loadPowerDisabledBit)
        message = texts + QStringLiteral("\n\n") + tr("Vbat supply was disconnected from DUT, battery is low.\n")
            + instructions;
    if (message.isEmpty() || errorShown)
        return;
    errorShown = true;
    showBoxLater(false, message);
}

// Status responses arrive while the HID link drains its reports: a modal box opened
// there would hold up the reading (and every sample behind it) until the user closes it.
// The box is shown from the event loop instead, once the response has been handled.
void ControlPanel::showBoxLater(bool alert, const QString& text)
{
    QTimer::singleShot(0, this, [this, alert, text] {
        if (alert)
            alertBox(this, tr("Error details"), text, QMessageBox::Ok);
        else
            informationBox(this, tr("Error details"), text, QMessageBox::Ok);
    });
}

void ControlPanel::setVinButtons(bool vbat, bool vusb)
{
    ui->radioButtonVbat->setAutoExclusive(false);
    ui->radioButtonVusb->setAutoExclusive(false);
    ui->radioButtonVbat->setChecked(vbat);
    ui->radioButtonVusb->setChecked(vusb);
    ui->radioButtonVbat->setAutoExclusive(true);
    ui->radioButtonVusb->setAutoExclusive(true);
}

void ControlPanel::update(StatusControlResponse& response)
{
    const bool vbat = response.pinState() & 0x40;
    const bool vusb = response.pinState() & 0x80;
    const bool sourceOn = vbat || vusb;
    const quint8 outputState = response.powerOutputState();

    if (response.injected() || firstStatusPending || controlSettingsSent) {
        if (outputState == powerOutputOff)
            ui->radioButtonOff->setChecked(true);
        else if (outputState == powerOutputPermanent)
            ui->radioButtonPermanent->setChecked(true);
        else if (outputState == powerOutputDelayed)
            ui->radioButtonDelayed->setChecked(true);
        setVinButtons(vbat, vusb);
    }

    // Stored before any box is queued: a response with the same status arriving before
    // the box closes must not open a second one. A cut load power ends the run at once,
    // before the user reads why.
    if (response.status() != deviceStatus) {
        deviceStatus = response.status();
        if (deviceStatus & loadPowerDisabledBit)
            emit terminateMeasuring();
        showErrorDetails();
    }

    bool voltageOk = true;
    bool powerConfigEnabled = true;
    if (response.vout() == outputVoltage) {
        ui->toolButtonSet->show();
        ui->labelPower->hide();
        ui->btnApply->setEnabled(true);
        if (deviceStatus != lowBatteryBit) {
            ui->groupBoxSampleRate->setEnabled(true);
            ui->groupBoxChannels->setEnabled(true);
        }
    } else {
        voltageOk = false;
        if (!(response.control() & 0x10)) {
            powerConfigEnabled = false;
            ui->toolButtonSet->hide();
            ui->labelPower->setText(QString::number(response.vout()) + tr(" mV"));
            ui->labelPower->show();
            ui->btnApply->setEnabled(true);
        }
    }
    const bool startOk = voltageOk && outputState != powerOutputOff && sourceOn;

    if (deviceStatus & resetErrorsMask) {
        ui->btnResetErrors->setIcon(QIcon(QStringLiteral(":/res/alert.png")));
        ui->btnResetErrors->setText(tr("Reset errors"));
        ui->btnResetErrors->show();
        ui->btnResetErrors->setEnabled(true);
        ui->btnResetErrors->raise();
    } else {
        ui->btnResetErrors->hide();
    }
    controlSettingsSent = false;

    if (deviceStatus == lowBatteryBit) {
        ui->groupBoxSwitchVin->setTitle(tr("Battery LOW"));
        ui->groupBoxSwitchVin->setStyleSheet(QLatin1String(redGroupStyle));
        setVinButtons(vbat, vusb);
        return;
    }
    ui->groupBoxSwitchVin->setTitle(tr("Switch Vin"));
    if (sourceOn) {
        ui->groupBoxSwitchVin->setStyleSheet(QString());
    } else {
        ui->groupBoxSwitchVin->setStyleSheet(QLatin1String(redGroupStyle));
        powerConfigEnabled = false;
    }
    ui->groupBoxControl->setEnabled(true);
    ui->btnApply->setEnabled(true);
    ui->groupBoxPowerOn->setEnabled(powerConfigEnabled);
    setStartEnabled(startOk);
}
