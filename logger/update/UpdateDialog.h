#pragma once

// The "Update Firmware" dialog: gets a firmware image (downloaded from the link of the
// last firmware answer, or read from a file), checks that it is a complete image for the
// connected instrument and has the HID link flash it, showing progress and the outcome.

#include <QDialog>
#include <QString>

class Downloader;
class QIODevice;

namespace Ui {
class UpdateDialog;
}

class UpdateDialog : public QDialog
{
    Q_OBJECT

public:
    UpdateDialog(Downloader* downloader, bool hideUpdateButton, QWidget* parent);
    UpdateDialog(const QString& fileName, bool hideUpdateButton, QWidget* parent);
    ~UpdateDialog() override;

    bool startUpdate(QIODevice* image);
    void loadFirmwareFile();
    void disconnectDevice();
    void showError(const QString& text);

signals:
    void updateFirmwareTerminated();
    void updateFirmware();

public slots:
    void on_cancelBtn_clicked();
    void on_updateBtn_clicked();
    void on_percentChanged(int percent);
    void on_percentDownloadChanged(qlonglong received, qlonglong total);
    void on_downloadFileComplete();
    void on_UpdateComplete();
    void on_UpdateFailed(QString err);

private:
    void setUpForm(bool hideUpdateButton);
    // Checks the start of an image against the connected instrument; false (with the
    // reason shown) when it must not be flashed.
    bool acceptImage(const QByteArray& start, qint64 totalSize);
    void changeEvent(QEvent* event) override;

    Ui::UpdateDialog* ui;
    Downloader* m_downloader = nullptr;
    QString m_fileName;
};
