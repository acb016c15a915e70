#include "UpdateDialog.h"

#include "Downloader.h"
#include "FirmwareImage.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "MessageBoxes.h"
#include "ui_UpdateDialog.h"

#include <QBuffer>
#include <QEvent>
#include <QFile>
#include <QTimer>

namespace {
constexpr int fileDelayMs = 100;
} // namespace

UpdateDialog::UpdateDialog(Downloader* downloader, bool hideUpdateButton, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::UpdateDialog)
    , m_downloader(downloader)
{
    setUpForm(hideUpdateButton);
    connect(m_downloader, &Downloader::downloadFileComplete, this, &UpdateDialog::on_downloadFileComplete);
    connect(m_downloader, &Downloader::progress, this, &UpdateDialog::on_percentDownloadChanged);
    ui->statusLabel->setText(tr("Downloading, please wait..."));
    m_downloader->downloadFile();
}

UpdateDialog::UpdateDialog(const QString& fileName, bool hideUpdateButton, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::UpdateDialog)
    , m_fileName(fileName)
{
    setUpForm(hideUpdateButton);
    QTimer::singleShot(fileDelayMs, this, &UpdateDialog::loadFirmwareFile);
}

UpdateDialog::~UpdateDialog()
{
    delete ui;
}

void UpdateDialog::setUpForm(bool hideUpdateButton)
{
    ui->setupUi(this);
    ui->progressBar->show();
    ui->statusLabel->show();
    if (hideUpdateButton)
        ui->updateBtn->hide();
}

void UpdateDialog::on_percentDownloadChanged(qlonglong received, qlonglong total)
{
    // Shown in percent: the byte counts of a download need not fit the bar's int range,
    // and a server that does not announce the length gives no total at all.
    if (total > 0)
        ui->progressBar->setValue(int(qBound(qlonglong(0), received * 100 / total, qlonglong(100))));
}

void UpdateDialog::loadFirmwareFile()
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(tr("Can't read firmware file"));
        return;
    }
    if (!acceptImage(file.read(FirmwareImage::headerBytes), file.size()))
        return;
    if (!file.seek(FirmwareImage::headerBytes)) {
        showError(tr("Can't read firmware file"));
        return;
    }
    startUpdate(&file);
}

void UpdateDialog::on_downloadFileComplete()
{
    // A download that failed, stalled or ended early never reaches the instrument.
    if (!m_downloader->error().isEmpty()) {
        showError(m_downloader->error());
        return;
    }
    QByteArray data = m_downloader->data();
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) {
        showError(tr("Can't read buffer"));
        return;
    }
    if (!acceptImage(data.left(FirmwareImage::headerBytes), data.size()))
        return;
    buffer.seek(FirmwareImage::headerBytes);
    startUpdate(&buffer);
}

bool UpdateDialog::acceptImage(const QByteArray& start, qint64 totalSize)
{
    // The instrument on the bus (or its bootloader) decides which image fits, never the
    // kind of a log that happens to be loaded.
    const auto magic = FirmwareImage::magicForSerial(HidDevice::instance()->serial());
    if (!magic) {
        showError(tr("No instrument is connected."));
        return false;
    }
    switch (FirmwareImage::check(start, totalSize, *magic)) {
    case FirmwareImage::Check::Good:
        return true;
    case FirmwareImage::Check::TooShort:
        showError(tr("Firmware file too short."));
        return false;
    case FirmwareImage::Check::WrongMagic:
        warningBox(nullptr, tr("Warning"), tr("Firmware file has wrong format"));
        return false;
    }
    return false;
}

bool UpdateDialog::startUpdate(QIODevice* image)
{
    ui->statusLabel->setText(tr("Updating, please wait..."));
    ui->progressBar->setMaximum(100);
    firmwareUpdateActive = true;
    HidDevice* hid = HidDevice::instance();
    hid->stop();
    connect(hid, &HidDevice::updateCompleted, this, &UpdateDialog::on_UpdateComplete);
    connect(hid, &HidDevice::updateFailed, this, &UpdateDialog::on_UpdateFailed);
    connect(hid, &HidDevice::updatePercentChanged, this, &UpdateDialog::on_percentChanged);
    const bool result = hid->updateFirmware(image);
    // An update that was broken off reports nothing, so the connections go here too.
    disconnectDevice();
    firmwareUpdateActive = false;
    return result;
}

void UpdateDialog::on_percentChanged(int percent)
{
    ui->progressBar->setValue(percent);
}

void UpdateDialog::on_UpdateComplete()
{
    ui->statusLabel->setStyleSheet(QString());
    ui->statusLabel->setText(tr("Successfully updated"));
    disconnectDevice();
}

void UpdateDialog::on_UpdateFailed(QString err)
{
    showError(tr("Update failed: ") + err);
    disconnectDevice();
}

void UpdateDialog::disconnectDevice()
{
    HidDevice* hid = HidDevice::instance();
    disconnect(hid, &HidDevice::updateCompleted, this, &UpdateDialog::on_UpdateComplete);
    disconnect(hid, &HidDevice::updateFailed, this, &UpdateDialog::on_UpdateFailed);
    disconnect(hid, &HidDevice::updatePercentChanged, this, &UpdateDialog::on_percentChanged);
}

void UpdateDialog::showError(const QString& text)
{
    ui->statusLabel->setStyleSheet(QStringLiteral("color: #ff8888"));
    ui->statusLabel->setText(text);
}

void UpdateDialog::on_cancelBtn_clicked()
{
    // A download still running must not be flashed once the dialog is gone.
    if (m_downloader)
        disconnect(m_downloader, nullptr, this, nullptr);
    emit updateFirmwareTerminated();
    close();
}

void UpdateDialog::on_updateBtn_clicked()
{
    if (ui->updateBtn->text() == tr("Finish")) {
        emit updateFirmwareTerminated();
        close();
        return;
    }
    ui->progressBar->show();
    ui->statusLabel->show();
    ui->updateBtn->setEnabled(false);
    ui->cancelBtn->setEnabled(true);
    emit updateFirmware();
}

void UpdateDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
