#include "MainWindow.h"

#include "Book.h"
#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "OutputFiles.h"
#include "ReaderErrors.h"
#include "SwapFile.h"
#include "ui_MainWindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSaveFile>

QPointer<QProgressDialog> MainWindow::savingDialog;

void MainWindow::on_start()
{
    if (m_converting)
        return;
    setStatus(StatusMessage());
    const QString name = ui->lineEditName->text();
    if (QFileInfo(name).isFile())
        convert(name, tr("Converting..."));
    else
        setStatus(StatusMessage::wrongName());
}

void MainWindow::on_batch()
{
    if (m_converting)
        return;
    const QString folder = askExistingDirectory(nullptr, QString(), m_options.path, QStringLiteral("*.talvo"));
    if (folder.isEmpty())
        return;
    m_options.path = QFileInfo(folder).absoluteFilePath();
    const QFileInfoList logs =
        QDir(m_options.path).entryInfoList({QStringLiteral("*.talvo")}, QDir::Files, QDir::Unsorted);
    StatusMessage notConverted;
    QStringList failed;
    QStringList cutOff;
    for (int i = 0; i < logs.size(); ++i) {
        const QString name = logs.at(i).fileName();
        LogSummary log;
        if (!convert(logs.at(i).absoluteFilePath(),
                     tr("Converting") + QStringLiteral(" %1/%2 ...").arg(i + 1).arg(logs.size()), &log)) {
            notConverted = StatusMessage::failed(m_errorCode, name);
            // Every failure has its reason; only a cancelled log has none.
            const QString reason = errorText();
            failed << QStringLiteral("%1: %2").arg(name, reason.isEmpty() ? tr("Canceled.") : reason);
        } else if (log.cutOff) {
            cutOff << tr("%1 (samples: %2)").arg(name).arg(log.recordCount);
        }
    }
    // The line shows the last log's result; a log that failed before it must not hide
    // behind a green line.
    if (notConverted.kind == StatusMessage::Failed)
        setStatus(notConverted);
    // The line holds one result; the box names the logs that failed and why, and the logs
    // whose records end before the log was complete.
    const QString report = batchReportText(failed, cutOff);
    if (!report.isEmpty())
        warningBox(this, tr("Batch conversion"), report);
}

bool MainWindow::convert(const QString& fileName, const QString& statusText, LogSummary* log)
{
    if (m_converting)
        return false;
    m_converting = true;
    ui->pushButtonStart->setEnabled(false);
    ui->pushButtonBatch->setEnabled(false);
    m_errorCode = 0;

    SwapFile reader;
    reader.setLabel(statusText);
    connect(&reader, &SwapFile::swapFileError, this, &MainWindow::on_swapFileError);
    const LogSummary summary = reader.open(fileName);
    if (log)
        *log = summary;
    readOptions(summary);
    // The form stays live while the conversion processes events: convert a copy.
    const ConvertOptions options = m_options;
    const QString outName = outputFileName(fileName, options.xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv"));
    bool result = false;
    // A log named like its output ("run.csv") would be replaced by it.
    if (isSameFile(fileName, outName)) {
        m_errorCode = CantCreateOutput;
        showFailure();
    } else {
        result = options.xlsx ? convertToWorkbook(reader, fileName, outName, options)
                              : convertToCsv(reader, fileName, outName, options);
    }

    m_converting = false;
    ui->pushButtonStart->setEnabled(!m_logRefused);
    ui->pushButtonBatch->setEnabled(true);
    return result;
}

bool MainWindow::convertToWorkbook(SwapFile& reader, const QString& fileName, const QString& outName,
                                   const ConvertOptions& options)
{
    QElapsedTimer clock;
    clock.start();
    Book book;
    book.workbook()->SetProgressCallback(&MainWindow::setProgress);
    if (!reader.toXlsx(fileName, options, book.workbook())) {
        if (reader.isCanceled())
            setStatus(StatusMessage::canceled());
        else
            showFailure();
        return false;
    }
    qDebug() << "Saving...";
    const qint64 converted = clock.elapsed();

    delete savingDialog;
    auto* dialog = new QProgressDialog(tr("Saving..."), tr("Cancel"), 0, 100, this);
    savingDialog = dialog;
    bool canceled = false;
    const QMetaObject::Connection cancel = connect(dialog, &QProgressDialog::canceled, this, [this, &book, &canceled] {
        canceled = true;
        book.workbook()->CancelSave();
        setStatus(StatusMessage::canceled());
    });
    dialog->show();
    dialog->setWindowModality(Qt::WindowModal);
    QCoreApplication::processEvents();

    // The workbook is written under a temporary name and moved over the output only
    // when complete, so a failed save leaves an earlier output as it was.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString partName = reserveTemporaryName(outName);
    int failure = NoError;
    if (partName.isEmpty())
        failure = CantCreateOutput;
    else if (!book.save(partName))
        failure = WriteFailed;
    else if (!replaceFile(partName, outName))
        failure = CantCreateOutput; // the name is taken by what a file cannot replace
    const bool saved = failure == NoError;
    if (!saved && !partName.isEmpty())
        QFile::remove(partName);
    // Closing a progress dialog reports a cancel; the save is over by now.
    disconnect(cancel);
    if (savingDialog)
        savingDialog->close();
    QApplication::restoreOverrideCursor();
    qDebug() << "---" << converted << clock.elapsed() - converted << clock.elapsed();
    qDebug() << "Well done!";

    if (saved) {
        setStatus(StatusMessage::output(outName));
    } else if (canceled) {
        setStatus(StatusMessage::canceled());
    } else {
        m_errorCode = failure;
        showFailure();
    }
    return saved;
}

bool MainWindow::convertToCsv(SwapFile& reader, const QString& fileName, const QString& outName,
                              const ConvertOptions& options)
{
    // The text goes to a temporary file that replaces the output only when complete.
    QSaveFile out(outName);
    if (!out.open(QIODevice::WriteOnly)) {
        m_errorCode = CantCreateOutput;
        showFailure();
        return false;
    }
    bool result = reader.toCsv(fileName, options, &out);
    if (result && !out.commit()) {
        m_errorCode = WriteFailed;
        result = false;
    }
    if (!result)
        out.cancelWriting();
    if (result)
        setStatus(StatusMessage::output(outName));
    else if (reader.isCanceled())
        setStatus(StatusMessage::canceled());
    else
        showFailure();
    return result;
}

void MainWindow::setProgress(double fraction)
{
    qDebug() << "MainWindow::setProgress" << bool(savingDialog) << fraction;
    if (!savingDialog)
        return;
    savingDialog->setValue(int(fraction * 100));
    savingDialog->repaint();
    QCoreApplication::processEvents();
}
