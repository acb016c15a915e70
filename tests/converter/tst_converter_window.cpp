#include "FileDialogs.h"
#include "Languages.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "SettingsDialog.h"
#include "Settings.h"
#include "TestLogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

using namespace TestLogs;

namespace {
constexpr qint64 created = 1700000000123; // 2023-11-14 22:13:20.123 UTC

const QString notALog = QStringLiteral("The file is corrupted or in the wrong format");

// A text file long enough to be taken for a log with records.
QByteArray plainText()
{
    QByteArray text;
    while (text.size() < 1800)
        text += "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod.\n";
    return text;
}

QByteArray readAll(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Clicks Cancel on the conversion's progress dialog once it shows `percent` or more.
void cancelAt(QTimer& watcher, int percent)
{
    QObject::connect(&watcher, &QTimer::timeout, [percent] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QProgressDialog*>(w))
                if (dialog->isVisible() && dialog->value() >= percent)
                    dialog->findChild<QPushButton*>()->click();
    });
    watcher.start(0);
}
} // namespace

// Records the folders the status line asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class TestConverterWindow : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    template <class T> static T* child(MainWindow& w, const char* name) { return w.findChild<T*>(QLatin1String(name)); }
    static QString status(MainWindow& w) { return child<QLabel>(w, "labelStatus")->text(); }
    static void useCsv(MainWindow& w, bool header)
    {
        child<QRadioButton>(w, "radioButtonCsv")->setChecked(true);
        child<QCheckBox>(w, "checkBoxAddHeader")->setChecked(header);
        child<QLineEdit>(w, "lineEditLength")->setText(QStringLiteral("-1"));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("talvo-converter"));
        QCoreApplication::setApplicationVersion(QStringLiteral("2.0.5"));
    }
    void init() { QFile::remove(Settings::filePath()); }
    void cleanup()
    {
        setFileDialogResponder({});
        setMessageBoxResponder({});
    }

    void startsWithDefaults()
    {
        MainWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("TALVO converter v.2.0.5"));
        QVERIFY(child<QRadioButton>(w, "radioButtonCsv")->isChecked());
        QVERIFY(!child<QSpinBox>(w, "spinBoxSheetSize")->isEnabled());
        QVERIFY(child<QLineEdit>(w, "lineEditSeparator")->isEnabled());
        QCOMPARE(child<QSpinBox>(w, "spinBoxSheetSize")->value(), 100);
        QCOMPARE(child<QSpinBox>(w, "spinBoxMaxSheets")->value(), 10);
        QVERIFY(!child<QCheckBox>(w, "checkBoxCellNames")->isChecked());
        QCOMPARE(child<QLineEdit>(w, "lineEditSeparator")->text(), QStringLiteral(","));
        QVERIFY(!child<QCheckBox>(w, "checkBoxAddHeader")->isChecked());
        QCOMPARE(child<QLineEdit>(w, "lineEditStart")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(w, "lineEditLength")->text(), QStringLiteral("100"));
        QVERIFY(!child<QPushButton>(w, "pushButtonStart")->isEnabled());
        QVERIFY(child<QRadioButton>(w, "radioButtonTimeRelative")->isChecked());
        QVERIFY(!child<QRadioButton>(w, "radioButtonTimeAbsolute")->isEnabled());
        QVERIFY(!child<QTextEdit>(w, "textEditInfo")->isEnabled());
    }

    void settingsRoundTrip()
    {
        {
            Settings s;
            s.setValue("Main/language", 7); // an edited file: out of the table
        }
        {
            MainWindow w;
            child<QRadioButton>(w, "radioButtonXlsx")->setChecked(true);
            child<QSpinBox>(w, "spinBoxSheetSize")->setValue(30);
            child<QSpinBox>(w, "spinBoxMaxSheets")->setValue(3);
            child<QCheckBox>(w, "checkBoxCellNames")->setChecked(true);
            child<QLineEdit>(w, "lineEditSeparator")->setText(QStringLiteral(";"));
            child<QCheckBox>(w, "checkBoxAddHeader")->setChecked(true);
            child<QLineEdit>(w, "lineEditStart")->setText(QStringLiteral("5"));
            child<QLineEdit>(w, "lineEditLength")->setText(QStringLiteral("-1"));
            QVERIFY(child<QSpinBox>(w, "spinBoxSheetSize")->isEnabled());
            QVERIFY(!child<QLineEdit>(w, "lineEditSeparator")->isEnabled());
        }
        {
            Settings s;
            s.beginGroup("Main");
            QCOMPARE(s.value("xlsx").toBool(), true);
            QCOMPARE(s.value("sheetSize").toInt(), 30);
            QCOMPARE(s.value("separator").toString(), QStringLiteral(";"));
            QCOMPARE(s.value("convertLength").toLongLong(), qint64(-1));
            QCOMPARE(s.value("language").toInt(), 0);
        }
        MainWindow w;
        QVERIFY(child<QRadioButton>(w, "radioButtonXlsx")->isChecked());
        QCOMPARE(child<QSpinBox>(w, "spinBoxSheetSize")->value(), 30);
        QCOMPARE(child<QSpinBox>(w, "spinBoxMaxSheets")->value(), 3);
        QVERIFY(child<QCheckBox>(w, "checkBoxCellNames")->isChecked());
        QCOMPARE(child<QLineEdit>(w, "lineEditSeparator")->text(), QStringLiteral(";"));
        QVERIFY(child<QCheckBox>(w, "checkBoxAddHeader")->isChecked());
        QCOMPARE(child<QLineEdit>(w, "lineEditStart")->text(), QStringLiteral("5"));
        QCOMPARE(child<QLineEdit>(w, "lineEditLength")->text(), QStringLiteral("-1"));
    }

    // An edited, cut-off or foreign settings file: every stored value shows as one the
    // form accepts, the default where the stored one is none, and a conversion of a log
    // then starts where it should.
    void editedSettingsShowUsableValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("shown");
        QTest::newRow("start before the log") << "startSec" << "-5" << "lineEditStart" << "0";
        QTest::newRow("start no number") << "startSec" << "soon" << "lineEditStart" << "0";
        QTest::newRow("start past 32 bits") << "startSec" << "99999999999" << "lineEditStart" << "0";
        QTest::newRow("start in range") << "startSec" << "1" << "lineEditStart" << "1";
        QTest::newRow("duration below -1") << "convertLength" << "-5" << "lineEditLength" << "100";
        QTest::newRow("duration no number") << "convertLength" << "all" << "lineEditLength" << "100";
        QTest::newRow("duration past the field's top") << "convertLength" << "10000001" << "lineEditLength"
                                                       << "100";
        QTest::newRow("duration to the end") << "convertLength" << "-1" << "lineEditLength" << "-1";
        QTest::newRow("duration the field's top") << "convertLength" << "10000000" << "lineEditLength"
                                                  << "10000000";
        QTest::newRow("sheet size no number") << "sheetSize" << "big" << "spinBoxSheetSize" << "100";
        QTest::newRow("sheet size negative") << "sheetSize" << "-3" << "spinBoxSheetSize" << "100";
        QTest::newRow("sheet size in range") << "sheetSize" << "30" << "spinBoxSheetSize" << "30";
        QTest::newRow("sheets no number") << "maxSheets" << "many" << "spinBoxMaxSheets" << "10";
        QTest::newRow("sheets zero") << "maxSheets" << "0" << "spinBoxMaxSheets" << "10";
        QTest::newRow("sheets in range") << "maxSheets" << "3" << "spinBoxMaxSheets" << "3";
    }
    void editedSettingsShowUsableValues()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, widget);
        QFETCH(QString, shown);
        Settings().setValue("Main/" + key, stored);
        writeLog(path("edited.talvo"), 0x03, 3000, 10, created); // 0 .. 2.999 s
        MainWindow w;
        if (auto* field = w.findChild<QLineEdit*>(widget))
            QCOMPARE(field->text(), shown);
        else
            QCOMPARE(QString::number(w.findChild<QSpinBox*>(widget)->value()), shown);
        useCsv(w, false);
        child<QLineEdit>(w, "lineEditName")->setText(path("edited.talvo"));
        child<QPushButton>(w, "pushButtonStart")->click();
        QCOMPARE(status(w), QStringLiteral("<font color='green'>%1</font>").arg(path("edited.csv")));
    }

    void summaryOfChosenLog()
    {
        writeLog(path("v4.talvo"), 0x07, 25, 1000, created); // 0 .. 2.4 s
        MainWindow w;
        child<QLineEdit>(w, "lineEditStart")->setText(QStringLiteral("50"));
        QStringList asked;
        setFileDialogResponder([&](const FileDialogRequest& r) {
            asked << r.caption << r.filter;
            return QStringList{path("v4.talvo")};
        });
        child<QToolButton>(w, "toolButton")->click();
        QCOMPARE(asked, (QStringList{"Select file", "*.talvo"}));
        QCOMPARE(w.options().path, QFileInfo(path("v4.talvo")).absolutePath());
        QCOMPARE(child<QTextEdit>(w, "textEditInfo")->toPlainText(),
                 QStringLiteral("File format version: 4\nStart time: 14 November 2023 22:13:20 UTC\n"
                                "Duration: 2.4 sec\nChannels: 3\nSample rate: 0.010kHz\n"));
        QVERIFY(child<QRadioButton>(w, "radioButtonTimeAbsolute")->isEnabled());
        QVERIFY(child<QPushButton>(w, "pushButtonStart")->isEnabled());
        QCOMPARE(child<QLineEdit>(w, "lineEditStart")->text(), QStringLiteral("2"));
        QCOMPARE(w.options().startTimeMs, created);

        child<QRadioButton>(w, "radioButtonTimeAbsolute")->setChecked(true);
        writeLog(path("v1.talvo"), 0x01, 5, 10, created, 1);
        child<QLineEdit>(w, "lineEditName")->setText(path("v1.talvo"));
        QVERIFY(!child<QTextEdit>(w, "textEditInfo")->toPlainText().contains(QStringLiteral("Start time")));
        QVERIFY(!child<QRadioButton>(w, "radioButtonTimeAbsolute")->isEnabled());
        QVERIFY(child<QRadioButton>(w, "radioButtonTimeRelative")->isChecked());

        // A start time no clock can have written (a damaged header) is not shown, and
        // clock time is not offered for it.
        child<QRadioButton>(w, "radioButtonTimeAbsolute")->setChecked(true);
        writeLog(path("damaged.talvo"), 0x01, 5, 10, std::numeric_limits<qint64>::min());
        child<QLineEdit>(w, "lineEditName")->setText(path("damaged.talvo"));
        QVERIFY(child<QTextEdit>(w, "textEditInfo")->toPlainText().startsWith(QStringLiteral("File format version: 4\nDuration: ")));
        QVERIFY(!child<QRadioButton>(w, "radioButtonTimeAbsolute")->isEnabled());
        QVERIFY(child<QRadioButton>(w, "radioButtonTimeRelative")->isChecked());

        child<QLineEdit>(w, "lineEditName")->setText(path("none.talvo"));
        QCOMPARE(child<QTextEdit>(w, "textEditInfo")->toPlainText(), QString());
        QVERIFY(child<QPushButton>(w, "pushButtonStart")->isEnabled());
    }

    // Picking a file that cannot be read as a log says why at once, in place of the
    // previous result, and Start stays off until a readable log is picked.
    void pickingAnUnreadableLogSaysWhy_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        SwapFileHeader unknownVersion = header(0x07, 10);
        unknownVersion.version = 99;
        SwapFileHeader mismatch = header(0x07, 10);
        mismatch.channelCount = 2;
        // Only a sound header of a newer version is a newer log; a file that is no log is
        // called what the logger calls it.
        QTest::newRow("unknown version") << logBytes(unknownVersion, created, records(5, 10, 3)) << "Wrong file version";
        QTest::newRow("channel count against mask") << logBytes(mismatch, created, records(5, 10, 2)) << notALog;
        QTest::newRow("shorter than its header") << QByteArray(100, '\0') << notALog;
        QTest::newRow("empty") << QByteArray() << notALog;
        QTest::newRow("plain text") << plainText() << notALog;
    }
    void pickingAnUnreadableLogSaysWhy()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.talvo"));
        const QString bad = dir.filePath(QStringLiteral("bad.talvo"));
        writeLog(good, 0x01, 5, 10, created);
        QVERIFY(writeFile(bad, bytes));
        QString picked;
        setFileDialogResponder([&](const FileDialogRequest&) { return QStringList{picked}; });
        MainWindow w;
        useCsv(w, false);
        auto* start = child<QPushButton>(w, "pushButtonStart");
        auto* info = child<QTextEdit>(w, "textEditInfo");

        picked = good;
        child<QToolButton>(w, "toolButton")->click();
        start->click();
        QCOMPARE(status(w), QStringLiteral("<font color='green'>%1</font>").arg(dir.filePath("good.csv")));

        picked = bad;
        child<QToolButton>(w, "toolButton")->click();
        QCOMPARE(status(w), QStringLiteral("<font color='red'>This log cannot be read: %1</font>").arg(reason));
        QCOMPARE(info->toPlainText(), QString());
        QVERIFY(!start->isEnabled());
        // A batch elsewhere does not switch Start on for the refused log.
        QTemporaryDir other;
        writeLog(other.filePath(QStringLiteral("x.talvo")), 0x01, 5, 10, created);
        QVERIFY(w.convert(other.filePath(QStringLiteral("x.talvo")), QStringLiteral("Converting...")));
        QVERIFY(!start->isEnabled());

        picked = good;
        child<QToolButton>(w, "toolButton")->click();
        QCOMPARE(status(w), QString());
        QVERIFY(info->toPlainText().startsWith(QStringLiteral("File format version: 4")));
        QVERIFY(start->isEnabled());
    }

    // Picking a cut-off log says once that it was cut off and how many samples it holds;
    // a sound log says nothing, and the conversion's result replaces the word.
    void pickingACutOffLogSaysSo_data()
    {
        QTest::addColumn<int>("cutTo");
        QTest::addColumn<QString>("said");
        const int sound = 632 + 30 * 16;
        QTest::newRow("sound") << sound << QString();
        QTest::newRow("inside a record")
            << 512 + 20 * 16 + 7 << "<font color='orange'>This log was cut off: it holds 20 samples.</font>";
        QTest::newRow("no end block")
            << 512 + 30 * 16 << "<font color='orange'>This log was cut off: it holds 30 samples.</font>";
    }
    void pickingACutOffLogSaysSo()
    {
        QFETCH(int, cutTo);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("run.talvo"));
        QVERIFY(writeFile(name, logBytes(header(0x01, 10), created, records(30, 10, 1)).left(cutTo)));
        setFileDialogResponder([&](const FileDialogRequest&) { return QStringList{name}; });
        MainWindow w;
        useCsv(w, false);
        child<QToolButton>(w, "toolButton")->click();
        QCOMPARE(status(w), said);
        auto* start = child<QPushButton>(w, "pushButtonStart");
        QVERIFY(start->isEnabled());
        start->click();
        QCOMPARE(status(w), QStringLiteral("<font color='green'>%1</font>").arg(dir.filePath("run.csv")));
    }

    void startWritesCsvNamedAfterTheLog()
    {
        writeLog(path("run.1.talvo"), 0x03, 3, 10, created);
        MainWindow w;
        useCsv(w, true);
        child<QLineEdit>(w, "lineEditName")->setText(path("run.1.talvo"));
        child<QPushButton>(w, "pushButtonStart")->click();
        QCOMPARE(status(w), QStringLiteral("<font color='green'>%1</font>").arg(path("run.1.csv")));
        QCOMPARE(readAll(path("run.1.csv")),
                 QString("Time:sec, #0:%1A, #1:mV\n0.0000, 0.2500, 1.2500\n0.0010, 0.2600, 1.2600\n"
                         "0.0020, 0.2700, 1.2700\n").arg(QChar(0x03BC)).toUtf8());
        QVERIFY(child<QPushButton>(w, "pushButtonStart")->isEnabled());

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        QTest::mouseClick(child<QLabel>(w, "labelStatus"), Qt::LeftButton);
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(m_dir.path())});
        child<QLineEdit>(w, "lineEditName")->setText(path("missing.talvo"));
        child<QPushButton>(w, "pushButtonStart")->click();
        QCOMPARE(status(w), QStringLiteral("<font color='red'>Wrong file name.</font>"));
        QTest::mouseClick(child<QLabel>(w, "labelStatus"), Qt::LeftButton);
        QCOMPARE(catcher.urls.size(), 1);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    // A failed or cancelled conversion leaves an earlier output as it was; a failure is
    // red with its reason, a cancel blue, as for a workbook. Every failure of either
    // output keeps its reason for a batch to name; a cancel has none.
    void failuresAndCancelKeepEarlierOutput_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<bool>("xlsx");
        QTest::addColumn<QString>("reason");
        QTest::newRow("channel count against mask") << "mismatch" << false << notALog;
        QTest::newRow("too short") << "short" << false << notALog;
        QTest::newRow("too short, xlsx") << "short" << true << notALog;
        QTest::newRow("plain text, xlsx") << "text" << true << notALog;
        QTest::newRow("newer version") << "newer" << false << "Wrong file version";
        QTest::newRow("newer version, xlsx") << "newer" << true << "Wrong file version";
        QTest::newRow("log gone") << "gone" << false << "Can't open file";
        QTest::newRow("log gone, xlsx") << "gone" << true << "Can't open file";
        QTest::newRow("cancelled") << "cancel" << false << QString();
        QTest::newRow("output folder refuses the file") << "blocked" << false << "Can't create output file";
        QTest::newRow("output folder refuses the file, xlsx") << "blocked" << true << "Can't create output file";
    }
    void failuresAndCancelKeepEarlierOutput()
    {
        QFETCH(QString, log);
        QFETCH(bool, xlsx);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString name = dir.filePath(log + ".talvo");
        QTimer watcher;
        if (log == "mismatch") {
            SwapFileHeader h = header(0x07, 10);
            h.channelCount = 2;
            writeFile(name, logBytes(h, created, records(10, 10, 2)));
        } else if (log == "short") {
            writeFile(name, QByteArray(100, '\0'));
        } else if (log == "text") {
            writeFile(name, plainText());
        } else if (log == "newer") {
            writeFile(name, logBytes(header(0x07, 10, 5), created, records(10, 10, 3)));
        } else if (log == "gone") {
            // Listed in the folder, but what it leads to is gone.
            QVERIFY(QFile::link(dir.filePath("removed.talvo"), name));
        } else if (log == "cancel") {
            writeLog(name, 0x01, 300000, 1, created);
        } else {
            writeLog(name, 0x01, 50, 10, created);
        }
        const QString output = dir.filePath(log + (xlsx ? ".xlsx" : ".csv"));
        if (log == "blocked")
            QVERIFY(QDir().mkpath(output + "/inside"));
        else
            writeFile(output, "earlier output");
        if (log == "cancel")
            cancelAt(watcher, 30);

        MainWindow w;
        useCsv(w, false);
        child<QRadioButton>(w, "radioButtonXlsx")->setChecked(xlsx);
        // Start refuses a log that cannot be read; a batch still tries it.
        QVERIFY(!w.convert(name, QStringLiteral("Converting...")));
        QCOMPARE(w.errorText(), reason);
        if (log == "cancel")
            QCOMPARE(status(w), QStringLiteral("<font color='blue'>Canceled.</font>"));
        else
            QCOMPARE(status(w), QStringLiteral("<font color='red'>Oops! Something went wrong. %1</font>").arg(reason));
        if (log != "blocked")
            QCOMPARE(readAll(output), QByteArray("earlier output"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), log == "blocked" || log == "gone" ? 1 : 2);
    }

    // A log of no records cut inside its report block holds no sample: the conversion
    // fails and writes nothing, also where the block's bytes fill whole records (they
    // are no samples, as the logger takes them too). With both blocks whole and no
    // record it converts to an empty table.
    void logCutInItsReportBlock_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("xlsx");
        QTest::addColumn<bool>("converted");
        QTest::newRow("513 bytes, csv") << 513 << false << false;
        QTest::newRow("543 bytes, xlsx") << 543 << true << false;
        QTest::newRow("600 bytes, xlsx") << 600 << true << false;
        QTest::newRow("631 bytes, csv") << 631 << false << false;
        QTest::newRow("632 bytes, csv") << 632 << false << true;
    }
    void logCutInItsReportBlock()
    {
        QFETCH(int, size);
        QFETCH(bool, xlsx);
        QFETCH(bool, converted);
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("cut.talvo"));
        QByteArray bytes = logBytes(header(0x07, 10), created, {}, true);
        QCOMPARE(bytes.size(), 632);
        bytes.truncate(size);
        QVERIFY(writeFile(name, bytes));

        MainWindow w;
        useCsv(w, true);
        if (xlsx)
            child<QRadioButton>(w, "radioButtonXlsx")->setChecked(true);
        child<QLineEdit>(w, "lineEditName")->setText(name);
        child<QPushButton>(w, "pushButtonStart")->click();
        const QString output = dir.filePath(xlsx ? QStringLiteral("cut.xlsx") : QStringLiteral("cut.csv"));
        if (converted) {
            QCOMPARE(status(w), QStringLiteral("<font color='green'>%1</font>").arg(output));
        } else {
            QCOMPARE(status(w), QStringLiteral("<font color='red'>Oops! Something went wrong. File mapping error</font>"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cut.talvo"});
        }
    }

    // A log whose name ends like its output would be replaced by the output: refused.
    void outputNeverReplacesItsLog_data()
    {
        QTest::addColumn<bool>("xlsx");
        QTest::newRow("run.csv") << false;
        QTest::newRow("run.xlsx") << true;
    }
    void outputNeverReplacesItsLog()
    {
        QFETCH(bool, xlsx);
        QTemporaryDir dir;
        const QString name = dir.filePath(xlsx ? "run.xlsx" : "run.csv");
        writeLog(name, 0x01, 5, 10, created);
        const QByteArray log = readAll(name);
        MainWindow w;
        useCsv(w, false);
        child<QRadioButton>(w, "radioButtonXlsx")->setChecked(xlsx);
        child<QLineEdit>(w, "lineEditName")->setText(name);
        child<QPushButton>(w, "pushButtonStart")->click();
        QCOMPARE(status(w), QStringLiteral("<font color='red'>Oops! Something went wrong. Can't create output file</font>"));
        QCOMPARE(readAll(name), log);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void batchNamesEveryOutputAfterItsLog()
    {
        QTemporaryDir dir;
        for (const char* name : {"day.1.talvo", "day.2.talvo", "other.talvo"})
            writeLog(dir.filePath(name), 0x01, 5, 10, created);
        writeFile(dir.filePath("notes.txt"), "not a log");
        MainWindow w;
        useCsv(w, false);
        QStringList labels;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            for (QWidget* t : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QProgressDialog*>(t))
                    if (!labels.contains(dialog->labelText()))
                        labels << dialog->labelText();
        });
        watcher.start(0);
        QString filter;
        setFileDialogResponder([&](const FileDialogRequest& r) {
            filter = r.filter;
            return r.kind == FileDialogKind::Directory ? QStringList{dir.path()} : QStringList{};
        });
        QStringList boxes;
        setMessageBoxResponder([&](QMessageBox& box) {
            boxes << box.text();
            return int(QMessageBox::Ok);
        });
        child<QPushButton>(w, "pushButtonBatch")->click();
        QCOMPARE(boxes, QStringList{}); // nothing to report when every log is whole and converted
        QCOMPARE(filter, QStringLiteral("*.talvo")); // the folder chooser lists the logs
        QStringList outputs = QDir(dir.path()).entryList({"*.csv"}, QDir::Files, QDir::Name);
        QCOMPARE(outputs, (QStringList{"day.1.csv", "day.2.csv", "other.csv"}));
        labels.sort();
        QCOMPARE(labels, (QStringList{"Converting 1/3 ...", "Converting 2/3 ...", "Converting 3/3 ..."}));
        QVERIFY(status(w).startsWith(QStringLiteral("<font color='green'>")));
        QCOMPARE(w.options().path, dir.path());
    }

    // Whatever order the folder lists them in, a log that could not be converted is what
    // the status line shows after the batch, never the green name of a later output. At
    // the end one box names every log that failed, with its reason, and every log that
    // was cut off, with the samples it holds.
    void batchReportsEveryFailedAndCutOffLog()
    {
        QTemporaryDir dir;
        for (const char* name : {"a.talvo", "m.talvo", "z.talvo"})
            writeLog(dir.filePath(name), 0x01, 5, 10, created);
        writeFile(dir.filePath("broken.talvo"), QByteArray(100, '\0'));
        writeFile(dir.filePath("notes.talvo"), plainText());
        writeFile(dir.filePath("newer.talvo"), logBytes(header(0x07, 10, 5), created, records(10, 10, 3)));
        writeLog(dir.filePath("blocked.talvo"), 0x01, 5, 10, created);
        QVERIFY(QDir().mkpath(dir.filePath("blocked.csv/inside")));
        const QByteArray whole = logBytes(header(0x01, 10), created, records(30, 10, 1));
        writeFile(dir.filePath("crash.talvo"), whole.left(512 + 20 * 16 + 7));
        writeFile(dir.filePath("copy.talvo"), whole.left(512 + 30 * 16));
        MainWindow w;
        useCsv(w, false);
        setFileDialogResponder([&](const FileDialogRequest&) { return QStringList{dir.path()}; });
        QStringList boxes;
        setMessageBoxResponder([&](QMessageBox& box) {
            boxes << box.windowTitle() + QLatin1Char('|') + box.text();
            return int(QMessageBox::Ok);
        });
        child<QPushButton>(w, "pushButtonBatch")->click();
        QCOMPARE(QDir(dir.path()).entryList({"*.csv"}, QDir::Files, QDir::Name),
                 (QStringList{"a.csv", "copy.csv", "crash.csv", "m.csv", "z.csv"}));
        QVERIFY(status(w).startsWith(QStringLiteral("<font color='red'>Oops! Something went wrong. ")));
        QVERIFY(!status(w).contains(QStringLiteral("<font color='green'>")));

        QCOMPARE(boxes.size(), 1);
        const QString title = boxes.first().section(QLatin1Char('|'), 0, 0);
        QCOMPARE(title, QStringLiteral("Batch conversion"));
        // Two parts, each a heading and one line per log, in the order the folder gave.
        const QStringList parts = boxes.first().section(QLatin1Char('|'), 1).split(QStringLiteral("\n\n"));
        QCOMPARE(parts.size(), 2);
        QStringList failed = parts.at(0).split(QLatin1Char('\n'));
        QCOMPARE(failed.takeFirst(), QStringLiteral("These logs were not converted:"));
        failed.sort();
        QCOMPARE(failed, (QStringList{"blocked.talvo: Can't create output file", "broken.talvo: " + notALog,
                                      "newer.talvo: Wrong file version", "notes.talvo: " + notALog}));
        QStringList cutOff = parts.at(1).split(QLatin1Char('\n'));
        QCOMPARE(cutOff.takeFirst(), QStringLiteral("These logs were cut off; their samples were converted:"));
        cutOff.sort();
        QCOMPARE(cutOff, (QStringList{"copy.talvo (samples: 30)", "crash.talvo (samples: 20)"}));
    }

    // A long output name, or the name of a log that failed, wraps in the status line
    // within the window's width: the window keeps its width and the line shows it whole.
    void statusLineWrapsInsteadOfWidening_data()
    {
        QTest::addColumn<bool>("batch");
        QTest::newRow("converted log") << false;
        QTest::newRow("batch with a failed log") << true;
    }
    void statusLineWrapsInsteadOfWidening()
    {
        QFETCH(bool, batch);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("bench_measurements_of_the_sensor_board"));
        QVERIFY(QDir().mkpath(folder));
        const QString log = folder + QStringLiteral("/capture_of_the_sensor_board_at_three_volts_and_20_degrees.talvo");
        writeLog(log, 0x01, 5, 10, created);
        MainWindow w;
        useCsv(w, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int width = w.width();
        if (batch) {
            writeFile(folder + QStringLiteral("/broken_capture_of_the_sensor_board_at_three_volts.talvo"),
                      QByteArray(100, '\0'));
            setFileDialogResponder([&](const FileDialogRequest&) { return QStringList{folder}; });
            // The batch ends with a box that names the failed log.
            setMessageBoxResponder([](QMessageBox&) { return int(QMessageBox::Ok); });
            child<QPushButton>(w, "pushButtonBatch")->click();
            QVERIFY(status(w).contains(QStringLiteral("broken_capture")));
        } else {
            child<QLineEdit>(w, "lineEditName")->setText(log);
            child<QPushButton>(w, "pushButtonStart")->click();
            QVERIFY(status(w).contains(QStringLiteral("20_degrees.csv")));
        }
        QCoreApplication::processEvents();
        QCOMPARE(w.width(), width);
        QVERIFY(w.minimumSizeHint().width() <= width);
        auto* line = child<QLabel>(w, "labelStatus");
        QVERIFY(line->geometry().right() < w.centralWidget()->width());
        const int need = line->heightForWidth(line->width());
        QVERIFY2(need > line->fontMetrics().height() * 3 / 2, qPrintable(QString::number(need)));
        QVERIFY2(line->height() >= need, qPrintable(QStringLiteral("%1 < %2").arg(line->height()).arg(need)));
    }

    // However many logs a batch leaves failed or cut off, the box stays within the screen:
    // each part lists at most twelve lines, the last of a longer list saying how many
    // more there are.
    void batchBoxStaysWithinTheScreen_data()
    {
        QTest::addColumn<int>("failedLogs");
        QTest::addColumn<int>("cutOffLogs");
        QTest::addColumn<QString>("failedMore"); // the last line of the part; empty when all are listed
        QTest::addColumn<QString>("cutOffMore");
        QTest::newRow("few") << 3 << 2 << QString() << QString();
        QTest::newRow("twelve of each") << 12 << 12 << QString() << QString();
        QTest::newRow("thirteen failed") << 13 << 1 << QStringLiteral("… and 2 more") << QString();
        QTest::newRow("hundreds") << 250 << 150 << QStringLiteral("… and 239 more")
                                  << QStringLiteral("… and 139 more");
    }
    void batchBoxStaysWithinTheScreen()
    {
        QFETCH(int, failedLogs);
        QFETCH(int, cutOffLogs);
        QFETCH(QString, failedMore);
        QFETCH(QString, cutOffMore);
        QTemporaryDir dir;
        const QByteArray cut = logBytes(header(0x01, 10), created, records(3, 10, 1)).left(512 + 2 * 16 + 7);
        QSet<QString> failedNames;
        QSet<QString> cutOffNames;
        for (int i = 0; i < failedLogs; ++i) {
            const QString name = QStringLiteral("broken%1.talvo").arg(i);
            QVERIFY(writeFile(dir.filePath(name), QByteArray(100, '\0')));
            failedNames << name + QStringLiteral(": ") + notALog;
        }
        for (int i = 0; i < cutOffLogs; ++i) {
            const QString name = QStringLiteral("crash%1.talvo").arg(i);
            QVERIFY(writeFile(dir.filePath(name), cut));
            cutOffNames << name + QStringLiteral(" (samples: 2)");
        }
        MainWindow w;
        useCsv(w, false);
        setFileDialogResponder([&](const FileDialogRequest&) { return QStringList{dir.path()}; });
        QString text;
        int height = 0;
        int screenHeight = 0;
        setMessageBoxResponder([&](QMessageBox& box) {
            text = box.text();
            height = box.sizeHint().height();
            screenHeight = box.screen()->availableGeometry().height();
            return int(QMessageBox::Ok);
        });
        child<QPushButton>(w, "pushButtonBatch")->click();

        QVERIFY2(height <= screenHeight, qPrintable(QStringLiteral("%1 > %2").arg(height).arg(screenHeight)));
        const QStringList parts = text.split(QStringLiteral("\n\n"));
        QCOMPARE(parts.size(), 2);
        const struct
        {
            QString heading;
            int logs;
            QString more;
            const QSet<QString>& names;
        } expected[] = {{QStringLiteral("These logs were not converted:"), failedLogs, failedMore, failedNames},
                        {QStringLiteral("These logs were cut off; their samples were converted:"), cutOffLogs,
                         cutOffMore, cutOffNames}};
        for (int p = 0; p < 2; ++p) {
            QStringList lines = parts.at(p).split(QLatin1Char('\n'));
            QCOMPARE(lines.takeFirst(), expected[p].heading);
            if (!expected[p].more.isEmpty())
                QCOMPARE(lines.takeLast(), expected[p].more);
            QCOMPARE(lines.size(), expected[p].more.isEmpty() ? expected[p].logs : 11);
            // Distinct logs of the batch, each with its reason or samples.
            QCOMPARE(QSet<QString>(lines.begin(), lines.end()).size(), lines.size());
            for (const QString& line : lines)
                QVERIFY2(expected[p].names.contains(line), qPrintable(line));
        }
    }

    void secondConversionWaitsForTheFirst()
    {
        writeLog(path("long.talvo"), 0x01, 200000, 1, created);
        writeLog(path("other.talvo"), 0x01, 5, 10, created);
        MainWindow w;
        useCsv(w, false);
        child<QLineEdit>(w, "lineEditName")->setText(path("long.talvo"));
        bool refused = false;
        bool startDisabled = false;
        QTimer::singleShot(0, this, [&] {
            startDisabled = !child<QPushButton>(w, "pushButtonStart")->isEnabled();
            refused = w.isConverting() && !w.convert(path("other.talvo"), QStringLiteral("again"));
        });
        child<QPushButton>(w, "pushButtonStart")->click();
        QVERIFY(refused);
        QVERIFY(startDisabled);
        QVERIFY(!QFile::exists(path("other.csv")));
        QVERIFY(QFile::exists(path("long.csv")));
    }

    // The language is kept, and Qt's own texts (the standard buttons of dialogs and file
    // choosers) follow it with the window's, back to English as well.
    void languageChoiceIsKept()
    {
        const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_uk.qm");
        QVERIFY2(QFileInfo::exists(file),
                 qPrintable(QStringLiteral("%1 is missing: install the package %2 (scripts/bootstrap)")
                                .arg(file, QLatin1String(qtTranslationsPackage))));
        {
            MainWindow w;
            QStringList cancel;
            QTimer::singleShot(0, this, [&cancel] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                auto* languages = dialog->findChild<QComboBox*>(QStringLiteral("comboBoxLanguages"));
                for (int index : {1, 0, 1}) {
                    languages->setCurrentIndex(index);
                    cancel << QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text();
                }
                dialog->findChild<QPushButton*>(QStringLiteral("pushButtonClose"))->click();
            });
            child<QToolButton>(w, "toolButtonSettings")->click();
            QVERIFY(w.windowTitle().endsWith(QStringLiteral(" v.2.0.5")));
            QCOMPARE(cancel, (QStringList{"Скасувати", "Cancel", "Скасувати"}));
        }
        Settings s;
        QCOMPARE(s.value("Main/language").toInt(), 1);
    }

    // Dates are written in the chosen language: the build date of the settings dialog
    // switches with the language while the dialog is open, and the start time of the
    // summary of a log picked afterwards follows it.
    void datesFollowTheLanguage()
    {
        writeLog(path("dated.talvo"), 0x07, 25, 1000, created);
        // The window looks for its translations beside the program; a test program lies
        // elsewhere, so the Ukrainian texts come in with the switch from here.
        QTranslator texts;
        QVERIFY(texts.load(QStringLiteral("talvo-converter_uk"), QStringLiteral(TALVO_BIN_DIR)));
        MainWindow w;
        QStringList versions;
        QTimer::singleShot(0, this, [&versions, &texts] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* languages = dialog->findChild<QComboBox*>(QStringLiteral("comboBoxLanguages"));
            auto* version = dialog->findChild<QLabel*>(QStringLiteral("label_VersionNumber"));
            versions << version->text();
            QCoreApplication::installTranslator(&texts);
            languages->setCurrentIndex(1);
            QCoreApplication::processEvents();
            versions << version->text();
            dialog->findChild<QPushButton*>(QStringLiteral("pushButtonClose"))->click();
        });
        child<QToolButton>(w, "toolButtonSettings")->click();
        QCOMPARE(versions.size(), 2);
        const QRegularExpression english(QStringLiteral(
            "^2\\.0\\.5 \\([1-9]\\d? (January|February|March|April|May|June|July|August|September|October"
            "|November|December) \\d{4}\\)$"));
        const QRegularExpression ukrainian(QStringLiteral(
            "^2\\.0\\.5 \\([1-9]\\d? (січня|лютого|березня|квітня|травня|червня|липня|серпня|вересня|жовтня"
            "|листопада|грудня) \\d{4}\\)$"));
        QVERIFY2(english.match(versions.at(0)).hasMatch(), qPrintable(versions.at(0)));
        QVERIFY2(ukrainian.match(versions.at(1)).hasMatch(), qPrintable(versions.at(1)));

        child<QLineEdit>(w, "lineEditName")->setText(path("dated.talvo"));
        QCOMPARE(child<QTextEdit>(w, "textEditInfo")->toPlainText(),
                 QStringLiteral("Версія формату файлу: 4\nЧас початку: 14 листопада 2023 22:13:20 UTC\n"
                                "Тривалість: 2.4 с\nКанали: 3\nЧастота дискретизації: 0.010 кГц\n"));
        QCoreApplication::removeTranslator(&texts);
    }

    // A language switch rewrites what the window already shows: the summary of the chosen
    // log and the result in the status line say the same in the new language, and again
    // in the old one when the user switches back.
    void shownTextsFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("happening");
        QTest::addColumn<QString>("duration"); // of the summary; empty when none is shown
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("ukrainian");
        QTest::newRow("failed conversion")
            << "blocked" << "0.029" << "<font color='red'>Oops! Something went wrong. Can't create output file</font>"
            << "<font color='red'>Ой! Щось пішло не так. Не вдається створити вихідний файл</font>";
        QTest::newRow("failed log of a batch")
            << "batch" << QString()
            << "<font color='red'>Oops! Something went wrong. run.talvo: " + notALog + "</font>"
            << "<font color='red'>Ой! Щось пішло не так. run.talvo: Файл пошкоджено або він має неправильний "
               "формат</font>";
        QTest::newRow("refused log") << "refused" << QString()
                                     << "<font color='red'>This log cannot be read: " + notALog + "</font>"
                                     << "<font color='red'>Цей журнал неможливо прочитати: Файл пошкоджено або він "
                                        "має неправильний формат</font>";
        QTest::newRow("cut-off log") << "cut off" << "0.019"
                                     << "<font color='orange'>This log was cut off: it holds 20 samples.</font>"
                                     << "<font color='orange'>Цей журнал обірвано; вибірок у ньому: 20.</font>";
        QTest::newRow("wrong file name") << "no file" << QString() << "<font color='red'>Wrong file name.</font>"
                                         << "<font color='red'>Неправильне ім'я файлу.</font>";
    }
    void shownTextsFollowTheLanguage()
    {
        QFETCH(QString, happening);
        QFETCH(QString, duration);
        QFETCH(QString, english);
        QFETCH(QString, ukrainian);
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("run.talvo"));
        const QByteArray whole = logBytes(header(0x01, 10), created, records(30, 10, 1));
        if (happening == QLatin1String("cut off"))
            QVERIFY(writeFile(log, whole.left(512 + 20 * 16 + 7)));
        else if (happening == QLatin1String("refused") || happening == QLatin1String("batch"))
            QVERIFY(writeFile(log, plainText()));
        else
            QVERIFY(writeFile(log, whole));
        if (happening == QLatin1String("blocked"))
            QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("run.csv/inside"))));
        // The window looks for its translations beside the program; a test program lies
        // elsewhere, so the Ukrainian texts come in with the switch from here.
        QTranslator texts;
        QVERIFY(texts.load(QStringLiteral("talvo-converter_uk"), QStringLiteral(TALVO_BIN_DIR)));
        MainWindow w;
        useCsv(w, false);
        setMessageBoxResponder([](QMessageBox&) { return int(QMessageBox::Ok); });
        if (happening == QLatin1String("batch")) {
            setFileDialogResponder([&](const FileDialogRequest&) { return QStringList{dir.path()}; });
            child<QPushButton>(w, "pushButtonBatch")->click();
        } else if (happening == QLatin1String("no file")) {
            child<QLineEdit>(w, "lineEditName")->setText(dir.filePath(QStringLiteral("gone.talvo")));
            child<QPushButton>(w, "pushButtonStart")->click();
        } else {
            child<QLineEdit>(w, "lineEditName")->setText(log);
            if (happening == QLatin1String("blocked"))
                child<QPushButton>(w, "pushButtonStart")->click();
        }
        auto* info = child<QTextEdit>(w, "textEditInfo");
        QCOMPARE(status(w), english);
        const QString englishSummary = info->toPlainText();
        QCOMPARE(englishSummary, duration.isEmpty() ? QString()
                                                    : QStringLiteral("File format version: 4\n"
                                                                     "Start time: 14 November 2023 22:13:20 UTC\n"
                                                                     "Duration: %1 sec\nChannels: 1\n"
                                                                     "Sample rate: 1.000kHz\n")
                                                          .arg(duration));

        auto switchTo = [&](int index) {
            QTimer::singleShot(0, this, [index] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->findChild<QComboBox*>(QStringLiteral("comboBoxLanguages"))->setCurrentIndex(index);
                dialog->findChild<QPushButton*>(QStringLiteral("pushButtonClose"))->click();
            });
            child<QToolButton>(w, "toolButtonSettings")->click();
        };
        QCoreApplication::installTranslator(&texts);
        switchTo(1);
        QCOMPARE(status(w), ukrainian);
        QCOMPARE(info->toPlainText(), duration.isEmpty() ? QString()
                                                         : QStringLiteral("Версія формату файлу: 4\n"
                                                                          "Час початку: 14 листопада 2023 22:13:20 UTC\n"
                                                                          "Тривалість: %1 с\nКанали: 1\n"
                                                                          "Частота дискретизації: 1.000 кГц\n")
                                                               .arg(duration));
        QCoreApplication::removeTranslator(&texts);
        switchTo(0);
        QCOMPARE(status(w), english);
        QCOMPARE(info->toPlainText(), englishSummary);
    }

    // In Ukrainian, the longest translation, every label and button of the window and
    // of the settings dialog shows whole at their default sizes.
    void ukrainianTextsFit()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("talvo-converter_uk"), QStringLiteral(TALVO_BIN_DIR)));
        QCoreApplication::installTranslator(&translator);
        MainWindow w;
        SettingsDialog settings;
        QStringList clipped;
        for (QWidget* top : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&settings)}) {
            top->show();
            QVERIFY(QTest::qWaitForWindowExposed(top));
            for (QWidget* widget : top->findChildren<QWidget*>()) {
                auto* label = qobject_cast<QLabel*>(widget);
                if ((!label && !qobject_cast<QAbstractButton*>(widget)) || !widget->isVisible())
                    continue;
                if (label && (label->wordWrap() || label->text().isEmpty()))
                    continue;
                const int need = widget->minimumSizeHint().expandedTo(widget->sizeHint()).width();
                if (widget->width() < need)
                    clipped << QStringLiteral("%1 (%2 < %3)").arg(widget->objectName()).arg(widget->width()).arg(need);
            }
        }
        QCoreApplication::removeTranslator(&translator);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
    }

    void ukrainianTranslationIsBuilt_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("translation");
        QTest::newRow("status") << "MainWindow" << "Oops! Something went wrong." << "Ой! Щось пішло не так.";
        QTest::newRow("settings") << "SettingsDialog" << "Language" << "Мова";
        // The logger's own words for a file that is no log.
        QTest::newRow("no log") << "MainWindow" << notALog << "Файл пошкоджено або він має неправильний формат";
        QTest::newRow("batch title") << "MainWindow" << "Batch conversion" << "Пакетне перетворення";
        QTest::newRow("failed logs") << "MainWindow" << "These logs were not converted:"
                                     << "Ці журнали не перетворено:";
        QTest::newRow("cut-off logs") << "MainWindow" << "These logs were cut off; their samples were converted:"
                                      << "Ці журнали обірвано; їхні вибірки перетворено:";
        QTest::newRow("cut-off log") << "MainWindow" << "%1 (samples: %2)" << "%1 (вибірок: %2)";
        QTest::newRow("more logs") << "MainWindow" << "… and %n more" << "… і ще %n";
    }
    void ukrainianTranslationIsBuilt()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("talvo-converter_uk"), QStringLiteral(TALVO_BIN_DIR)));
        QTEST(translator.translate(context.toLatin1().constData(), source.toUtf8().constData()), "translation");
    }
};

QTEST_MAIN(TestConverterWindow)
#include "tst_converter_window.moc"
