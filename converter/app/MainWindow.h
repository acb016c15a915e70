#pragma once

#include "ConvertOptions.h"
#include "SwapFile.h"
#include "WindowTexts.h"

#include <QMainWindow>
#include <QPointer>
#include <QTranslator>

class QProgressDialog;
class Settings;

namespace Ui {
class MainWindow;
}

// The converter's window: pick a log (or a folder of logs), choose the output and the
// range, convert, and see the result in the coloured status line. The options are kept
// in the group "Main" of the settings store.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Converts one log with the current options; the status text labels the progress.
    // `log`, when given, receives what the log's header and records say of it.
    bool convert(const QString& fileName, const QString& statusText, LogSummary* log = nullptr);
    void readOptions(const LogSummary& summary);
    void showSummary(const LogSummary& summary);
    QString errorText() const;
    void setLanguage(const QString& code);
    void loadSettings();
    void saveSettings();
    void openOutputFolder(const QString& statusText);
    const ConvertOptions& options() const { return m_options; }
    bool isConverting() const { return m_converting; }

    // The workbook's save reports its progress here (0 to 1).
    static void setProgress(double fraction);

public slots:
    void on_start();
    void on_batch();
    void on_settings();
    void on_swapFileError(int code);

protected:
    void changeEvent(QEvent* event) override;

private:
    void connectForm();
    void chooseFile();
    void nameChanged(const QString& name);
    void showLogOf(const QString& fileName);
    void enableFormatOptions(bool xlsx);
    void retranslate();
    // Shows the message in the status line and keeps it for a change of language.
    void setStatus(const StatusMessage& message);
    void showFailure() { setStatus(StatusMessage::failed(m_errorCode)); }
    bool convertToWorkbook(SwapFile& reader, const QString& fileName, const QString& outName,
                           const ConvertOptions& options);
    bool convertToCsv(SwapFile& reader, const QString& fileName, const QString& outName,
                      const ConvertOptions& options);
    qint64 fieldValue(const class QLineEdit* field) const;

    Ui::MainWindow* ui;
    ConvertOptions m_options;
    Settings* m_settings;
    int m_language = 0;
    QTranslator m_translator;
    QTranslator m_qtTranslator; // Qt's own dialogs and buttons
    int m_errorCode = 0;
    bool m_converting = false;
    bool m_logRefused = false; // the named file is there but is no log that can be read
    // What the summary box and the status line show, rebuilt in each new language.
    LogSummary m_summary;
    StatusMessage m_status;

    static QPointer<QProgressDialog> savingDialog;
};
