// The Update pane's server side: details of the last update check, the software
// download through the web browser, and flashing firmware through the update dialog.

#include "OptionsDialog.h"
#include "ui_OptionsDialog.h"

#include "Downloader.h"
#include "HidDevice.h"
#include "MessageBoxes.h"
#include "OwnSignals.h"
#include "UpdateDialog.h"
#include "Updater.h"

#include <QDesktopServices>
#include <QUrl>

void OptionsDialog::showFirmwareDetails()
{
    if (!m_updater)
        return;
    informationBox(this, tr("Firmware info"), m_updater->firmwareDownloader()->info(), QMessageBox::Ok);
}

void OptionsDialog::showSoftwareDetails()
{
    if (!m_updater)
        return;
    informationBox(this, tr("Software info"), m_updater->softwareDownloader()->info(), QMessageBox::Ok);
}

void OptionsDialog::downloadSoftware()
{
    const QString link = m_updater ? m_updater->softwareDownloader()->link() : QString();
    if (link.isEmpty()) {
        warningBox(this, tr("Download SW"), tr("File name is empty. Nothing to download."), QMessageBox::Ok);
        return;
    }
    const QUrl url(link);
    if (QDesktopServices::openUrl(url))
        informationBox(this, tr("Download SW"), tr("Default web browser downloads file ") + url.fileName(), QMessageBox::Ok);
    else
        warningBox(this, tr("Download SW"), tr("Default web browser can't download file ") + url.fileName(), QMessageBox::Ok);
}

void OptionsDialog::runUpdateDialog(UpdateDialog* dialog)
{
    m_updateDialog = dialog;
    // However the update dialog is closed, a wait for the bootloader ends with it.
    connect(dialog, &UpdateDialog::updateFirmwareTerminated, dialog,
            [] { HidDevice::instance()->terminateUpdate(); });
    dialog->exec();
    disconnectOwnSignals(dialog, UpdateDialog::staticMetaObject);
    dialog->deleteLater();
    m_updateDialog = nullptr;
}

void OptionsDialog::on_btnUpdateFirm()
{
    runUpdateDialog(new UpdateDialog(m_firmwarePath, true, this));
}

void OptionsDialog::on_buttonFWUpdate()
{
    if (!m_updater)
        return;
    runUpdateDialog(new UpdateDialog(m_updater->firmwareDownloader(), true, this));
    fillFWInfo();
}
