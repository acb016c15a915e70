// The Update pane of the options dialog: the connected instrument's firmware, update
// checks, flashing a firmware file, and the program's own version.

#include "OptionsDialog.h"
#include "ui_OptionsDialog.h"

#include "DeviceInfo.h"
#include "FileDialogs.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "Downloader.h"
#include "Updater.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

void OptionsDialog::setupUpdatePanes()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Update"));
    ui->checkAutoUpdateFirm->setChecked(settings.value(QStringLiteral("auto-check-firm"), true).toBool());
    ui->checkAutoUpdateSoft->setChecked(settings.value(QStringLiteral("auto-check-soft"), true).toBool());
    const bool newSoftware = settings.value(QStringLiteral("has-new-sw"), false).toBool();
    const bool newFirmware = settings.value(QStringLiteral("has-new-fw"), false).toBool();
    m_firmwarePath = settings.value(QStringLiteral("update-path-fw")).toString();
    settings.endGroup();
    ui->browseLine->setText(m_firmwarePath.isEmpty() ? tr("Choose file") : m_firmwarePath);
    ui->btnUpdateFirm->setEnabled(!m_firmwarePath.isEmpty());

    connect(ui->btnBrowse, &QPushButton::clicked, this, &OptionsDialog::on_btnBrowse);
    connect(ui->btnUpdateFirm, &QPushButton::clicked, this, &OptionsDialog::on_btnUpdateFirm);
    connect(ui->btnCheckUpdateFirm, &QPushButton::clicked, this, &OptionsDialog::on_btnCheckUpdateFirm);
    connect(ui->checkAutoUpdateFirm, &QCheckBox::stateChanged, this, &OptionsDialog::onAutoCheckFirm);
    connect(ui->btnCheckUpdateSoft, &QPushButton::clicked, this, &OptionsDialog::on_btnCheckUpdateSoft);
    connect(ui->checkAutoUpdateSoft, &QCheckBox::stateChanged, this, &OptionsDialog::onAutoCheckSoft);
    connect(ui->buttonSWDetails, &QPushButton::clicked, this, &OptionsDialog::showSoftwareDetails);
    connect(ui->buttonFWDetails, &QPushButton::clicked, this, &OptionsDialog::showFirmwareDetails);
    connect(ui->buttonSWDownload, &QPushButton::clicked, this, &OptionsDialog::downloadSoftware);
    connect(ui->buttonFWUpdate, &QPushButton::clicked, this, &OptionsDialog::on_buttonFWUpdate);

    if (!newSoftware) {
        ui->labelSWVersionAvailable->hide();
        ui->buttonSWDetails->hide();
        ui->buttonSWDownload->hide();
    }
    if (!newFirmware) {
        ui->labelFWVersionAvailable->hide();
        ui->buttonFWDetails->hide();
    }
    ui->buttonFWUpdate->setVisible(newFirmware && firmwareLinkUsable());
}

bool OptionsDialog::firmwareLinkUsable() const
{
    return m_updater && m_updater->firmwareDownloader()->hasFileLink();
}

void OptionsDialog::fillSWInfo()
{
    ui->softwareVersion->setText(QCoreApplication::applicationVersion());
}

void OptionsDialog::fillFWInfo()
{
    if (powerMode()) {
        ui->modelLabel->setText(powerSupplyConnected ? QStringLiteral("Hollowcrest Duriz 500")
                                                     : QStringLiteral("Hollowcrest Vuviv 600"));
        ui->firmwareVersion->setText(m_data.versionText());
        ui->serialLabel->setText(HidDevice::instance()->serial());
        return;
    }
    const DeviceInfo& info = DeviceInfo::instance();
    const QString serial = info.serialNumber();
    ui->modelLabel->setText(serial.startsWith(QLatin1String("5001")) ? QStringLiteral("talvo")
                                                                      : QStringLiteral("other"));
    ui->firmwareVersion->setText(info.versionText());
    ui->serialLabel->setText(serial);
}

void OptionsDialog::onAutoCheckFirm(int state)
{
    Settings().setValue(QStringLiteral("Update/auto-check-firm"), state != 0);
    emit autoFWUpdatesChecked(state != 0);
}

void OptionsDialog::onAutoCheckSoft(int state)
{
    Settings().setValue(QStringLiteral("Update/auto-check-soft"), state != 0);
    emit autoSWUpdatesChecked(state != 0);
}

void OptionsDialog::on_newFWAvailable(bool _available)
{
    ui->labelFWVersionAvailable->setVisible(_available);
    ui->buttonFWDetails->show();
    // Only an answer that names a file can be downloaded; the details tell why not.
    ui->buttonFWUpdate->setVisible(firmwareLinkUsable());
    ui->btnCheckUpdateFirm->setText(tr("Check"));
}

void OptionsDialog::on_newSWAvailable(bool _available)
{
    ui->labelSWVersionAvailable->setVisible(_available);
    ui->buttonSWDetails->show();
    ui->buttonSWDownload->show();
    ui->btnCheckUpdateSoft->setText(tr("Check"));
}

void OptionsDialog::on_btnCheckUpdateFirm()
{
    ui->btnCheckUpdateFirm->setText(tr("Checking"));
    emit checkFWUpdates();
}

void OptionsDialog::on_btnCheckUpdateSoft()
{
    ui->btnCheckUpdateSoft->setText(tr("Checking"));
    emit checkSWUpdates();
}

void OptionsDialog::on_btnBrowse()
{
    m_firmwarePath = askOpenFileName(this, tr("Open firmware file"), QString(), QStringLiteral("*.bin"));
    ui->browseLine->setText(m_firmwarePath.isEmpty() ? tr("Choose file") : m_firmwarePath);
    ui->btnUpdateFirm->setEnabled(!m_firmwarePath.isEmpty());
}
