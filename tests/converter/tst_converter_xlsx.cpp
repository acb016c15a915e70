#include "Book.h"
#include "MainWindow.h"
#include "ReaderErrors.h"
#include "Settings.h"
#include "SwapFile.h"
#include "TestLogs.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestLogs;

namespace {
constexpr qint64 created = 1700000000123; // 2023-11-14 22:13:20.123 UTC

// The workbook as a spreadsheet program reads it: sheet titles in order, each with its
// rows of cell values. Read-only mode takes the sheet's size from what the sheet
// declares, so a wrong declaration shows as missing rows or columns.
QJsonArray readBack(const QString& path)
{
    static const char* script = R"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
sheets = []
for ws in book.worksheets:
    sheets.append([ws.title, [list(r) for r in ws.iter_rows(values_only=True)]])
print(json.dumps(sheets))
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(script), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

QStringList titles(const QJsonArray& book)
{
    QStringList list;
    for (const QJsonValue& sheet : book)
        list << sheet.toArray().at(0).toString();
    return list;
}

QJsonArray rowsOf(const QJsonArray& book, int sheet)
{
    return book.at(sheet).toArray().at(1).toArray();
}

ConvertOptions bookOptions(int sheetSize, int maxSheets, bool names, bool relative = true)
{
    ConvertOptions o;
    o.xlsx = true;
    o.sheetSize = sheetSize;
    o.maxSheets = maxSheets;
    o.addCellNames = names;
    o.relativeTime = relative;
    o.duration = -1;
    o.version = 4;
    o.startTimeMs = created;
    return o;
}
} // namespace

class TestConverterXlsx : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // The package a conversion writes with the given number of save workers.
    QByteArray packageBytes(const QString& log, const ConvertOptions& options, unsigned workers)
    {
        SwapFile reader;
        Book book;
        book.workbook()->SetSaveWorkers(workers);
        // The package carries the moment of its save: one fixed moment for both.
        book.workbook()->SetSaveTime(created / 1000);
        const QString out = path(QStringLiteral("workers-%1.xlsx").arg(workers));
        QFile file(out);
        if (!reader.toXlsx(log, options, book.workbook()) || !book.save(out) || !file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    QJsonArray convert(const QString& log, const ConvertOptions& options, bool expected = true)
    {
        SwapFile reader;
        Book book;
        const bool converted = reader.toXlsx(log, options, book.workbook());
        if (converted != expected)
            return {};
        const QString out = path(QStringLiteral("out.xlsx"));
        return book.save(out) ? readBack(out) : QJsonArray();
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("talvo-converter"));
        QCoreApplication::setApplicationVersion(QStringLiteral("2.0.5"));
    }

    // 10 records per second, keys 0.0 .. 4.9; sheets of 2 s. The record that passes a
    // sheet's end stays on it.
    void sheetsSplitAtTheirSpan()
    {
        const SwapFileHeader h = header(0x05, 1000);
        QVERIFY(writeFile(path("even.talvo"), logBytes(h, created, records(50, 1000, 2))));
        const QJsonArray book = convert(path("even.talvo"), bookOptions(2, 10, true));
        QCOMPARE(titles(book), (QStringList{"0s-2s", "2s-4s", "4s-6s"}));
        const QJsonArray first = rowsOf(book, 0);
        QCOMPARE(first.at(0).toArray(), (QJsonArray{"Time, sec", QString("#0, %1A").arg(QChar(0x03BC)), "#2, mv"}));
        QCOMPARE(first.size(), 1 + 22);
        QCOMPARE(first.at(1).toArray(), (QJsonArray{0.0, 0.25, 1.25}));
        QCOMPARE(first.last().toArray().at(0).toDouble(), 2.1);
        const QJsonArray second = rowsOf(book, 1);
        QCOMPARE(second.size(), 20); // no column-name row on later sheets
        QCOMPARE(second.first().toArray().at(0).toDouble(), 2.2);
        QCOMPARE(second.last().toArray().at(0).toDouble(), 4.1);
        QCOMPARE(rowsOf(book, 2).size(), 8);
        QCOMPARE(rowsOf(book, 2).last().toArray(), (QJsonArray{4.9, 49.25, 50.25}));
    }

    // Samples 20..49 lost: keys 0.0..1.9, then 5.0..12.9. The gap moves the rows to the
    // span of their key; no title repeats and nothing after the gap is lost.
    void gapOpensTheSpanOfItsKey()
    {
        QVERIFY(writeFile(path("gap.talvo"), logBytes(header(0x01, 1000), created, records(100, 1000, 1, 20, 50))));
        const QJsonArray book = convert(path("gap.talvo"), bookOptions(2, 10, false));
        QCOMPARE(titles(book), (QStringList{"0s-2s", "4s-6s", "6s-8s", "8s-10s", "10s-12s", "12s-14s"}));
        QCOMPARE(rowsOf(book, 0).last().toArray().at(0).toDouble(), 5.0);
        QCOMPARE(rowsOf(book, 1).first().toArray().at(0).toDouble(), 5.1);
        int rows = 0;
        for (int s = 0; s < book.size(); ++s)
            rows += int(rowsOf(book, s).size());
        QCOMPARE(rows, 100);
    }

    // One record a second: the record that passes 100 s is 101 s, and the next sheet is
    // titled from it; its end stays at 200 s.
    void slowRateTitlesFromTheCrossingRecord()
    {
        writeLog(path("slow.talvo"), 0x01, 250, 10000, created);
        const QJsonArray book = convert(path("slow.talvo"), bookOptions(100, 10, false));
        QCOMPARE(titles(book), (QStringList{"0s-100s", "101s-201s", "201s-301s"}));
        QCOMPARE(rowsOf(book, 0).size(), 102);
        QCOMPARE(rowsOf(book, 1).first().toArray().at(0).toDouble(), 102.0);
        QCOMPARE(rowsOf(book, 1).last().toArray().at(0).toDouble(), 201.0);
        QCOMPARE(rowsOf(book, 2).size(), 48);
    }

    void sheetLimitEndsTheConversion()
    {
        writeLog(path("limit.talvo"), 0x01, 50, 1000, created);
        const QJsonArray book = convert(path("limit.talvo"), bookOptions(2, 1, false));
        QCOMPARE(titles(book), QStringList{"0s-2s"});
        QCOMPARE(rowsOf(book, 0).size(), 22);
    }

    // A worksheet holds 1,048,576 rows at most. A span wider than the window offers
    // (1000 s at 10 kHz) fills one sheet to the last row and is refused one row later.
    void rowLimitOfASheet_data()
    {
        QTest::addColumn<bool>("names");
        QTest::addColumn<bool>("converted");
        QTest::newRow("every row fits") << false << true;
        QTest::newRow("column names push the last record past the limit") << true << false;
    }
    void rowLimitOfASheet()
    {
        QFETCH(bool, names);
        QFETCH(bool, converted);
        const QString log = path("long.talvo");
        if (!QFile::exists(log))
            writeLog(log, 0x01, 1048576, 1, created);
        SwapFile reader;
        QSignalSpy errors(&reader, &SwapFile::swapFileError);
        Book book;
        QCOMPARE(reader.toXlsx(log, bookOptions(1000, 10, names), book.workbook()), converted);
        QCOMPARE(errors.size(), converted ? 0 : 1);
        if (!converted)
            QCOMPARE(errors.first().first().toInt(), int(TooManyRows));
    }

    void clockTimeCells()
    {
        writeLog(path("clock.talvo"), 0x01, 3, 10, created);
        ConvertOptions options = bookOptions(100, 10, false, false);
        options.startSec = 0;
        const QJsonArray book = convert(path("clock.talvo"), options);
        QCOMPARE(titles(book), QStringList{"0s-100s"});
        QCOMPARE(rowsOf(book, 0),
                 (QJsonArray{QJsonArray{"22:13:20:0123", 0.25}, QJsonArray{"22:13:20:0124", 0.26},
                             QJsonArray{"22:13:20:0125", 0.27}}));
    }

    // An output is a file like any other the user makes: a new one gets the usual
    // permissions, a replaced one keeps those it had.
    void outputPermissions_data()
    {
        QTest::addColumn<bool>("xlsx");
        QTest::newRow("workbook") << true;
        QTest::newRow("csv") << false;
    }
    void outputPermissions()
    {
        QFETCH(bool, xlsx);
        QFile::remove(Settings::filePath());
        QTemporaryDir dir;
        writeLog(dir.filePath("perm.talvo"), 0x01, 5, 10, created);
        QFile reference(dir.filePath("reference"));
        QVERIFY(reference.open(QIODevice::WriteOnly));
        const QString output = dir.filePath(xlsx ? "perm.xlsx" : "perm.csv");
        MainWindow w;
        w.findChild<QRadioButton*>(xlsx ? "radioButtonXlsx" : "radioButtonCsv")->setChecked(true);
        w.findChild<QLineEdit*>("lineEditName")->setText(dir.filePath("perm.talvo"));
        w.findChild<QPushButton*>("pushButtonStart")->click();
        QVERIFY(QFile::exists(output));
        QCOMPARE(QFile::permissions(output), reference.permissions());

        const QFile::Permissions shared = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                          | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(output, shared));
        w.findChild<QPushButton*>("pushButtonStart")->click();
        QCOMPARE(QFile::permissions(output), shared);
    }

    // Sheets compressed on several workers, finished sheets while the next ones fill, give
    // the very package one worker gives. Logs at 1 kHz, sheets of some 3000 rows.
    void sameWorkbookOnAnyNumberOfWorkers_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("gapFrom");
        QTest::addColumn<int>("gapTo");
        QTest::addColumn<int>("sheetSize");
        QTest::addColumn<int>("maxSheets");
        QTest::addColumn<bool>("relative");
        QTest::addColumn<int>("sheets");
        QTest::newRow("one sheet") << 6000 << -1 << -1 << 100 << 10 << true << 1;
        QTest::newRow("several sheets") << 12000 << -1 << -1 << 3 << 10 << true << 4;
        QTest::newRow("a gap") << 12000 << 2000 << 8500 << 2 << 10 << true << 7;
        QTest::newRow("a sheet limit") << 12000 << -1 << -1 << 2 << 3 << true << 3;
        QTest::newRow("clock time") << 9000 << -1 << -1 << 3 << 10 << false << 3;
    }

    void sameWorkbookOnAnyNumberOfWorkers()
    {
        QFETCH(int, records);
        QFETCH(int, gapFrom);
        QFETCH(int, gapTo);
        QFETCH(int, sheetSize);
        QFETCH(int, maxSheets);
        QFETCH(bool, relative);
        QFETCH(int, sheets);
        const QString log = path(QStringLiteral("workers.talvo"));
        QVERIFY(writeFile(log, logBytes(header(0x07, 10), created, TestLogs::records(records, 10, 3, gapFrom, gapTo))));
        const ConvertOptions options = bookOptions(sheetSize, maxSheets, true, relative);
        const QByteArray one = packageBytes(log, options, 1);
        const QByteArray several = packageBytes(log, options, 4);
        QVERIFY(!one.isEmpty());
        QCOMPARE(several.size(), one.size());
        QVERIFY(several == one);
        QCOMPARE(readBack(path(QStringLiteral("workers-4.xlsx"))).size(), sheets);
    }

    // A cancel while the save compresses on its workers leaves no output and no
    // temporary file behind.
    void cancelWhileSavingOnWorkers()
    {
        QFile::remove(Settings::filePath());
        QTemporaryDir dir;
        writeLog(dir.filePath("long.talvo"), 0x07, 60000, 10, created);
        MainWindow w;
        w.findChild<QRadioButton*>("radioButtonXlsx")->setChecked(true);
        w.findChild<QLineEdit*>("lineEditLength")->setText("-1");
        w.findChild<QSpinBox*>("spinBoxSheetSize")->setValue(6);
        w.findChild<QSpinBox*>("spinBoxMaxSheets")->setValue(20);
        w.findChild<QLineEdit*>("lineEditName")->setText(dir.filePath("long.talvo"));
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [] {
            for (QWidget* t : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QProgressDialog*>(t))
                    if (dialog->isVisible() && dialog->labelText() == "Saving..." && dialog->value() > 0)
                        dialog->findChild<QPushButton*>()->click();
        });
        watcher.start(0);
        w.findChild<QPushButton*>("pushButtonStart")->click();
        QCOMPARE(w.findChild<QLabel*>("labelStatus")->text(), QStringLiteral("<font color='blue'>Canceled.</font>"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"long.talvo"});
        QCOMPARE(QDir(QDir::tempPath()).entryList({"xlsx_*"}, QDir::AllEntries | QDir::Hidden), QStringList());
    }

    void windowWritesAndCancelsWorkbooks()
    {
        QFile::remove(Settings::filePath());
        QTemporaryDir dir;
        writeLog(dir.filePath("run.2024.talvo"), 0x07, 30, 1000, created);
        writeLog(dir.filePath("big.talvo"), 0x01, 300000, 1, created);
        writeFile(dir.filePath("big.xlsx"), "earlier output");
        MainWindow w;
        w.findChild<QRadioButton*>("radioButtonXlsx")->setChecked(true);
        w.findChild<QLineEdit*>("lineEditLength")->setText("-1");
        auto* name = w.findChild<QLineEdit*>("lineEditName");
        auto* status = w.findChild<QLabel*>("labelStatus");

        name->setText(dir.filePath("run.2024.talvo"));
        w.findChild<QPushButton*>("pushButtonStart")->click();
        QCOMPARE(status->text(), QString("<font color='green'>%1</font>").arg(dir.filePath("run.2024.xlsx")));
        QCOMPARE(titles(readBack(dir.filePath("run.2024.xlsx"))), QStringList{"0s-100s"});

        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [] {
            for (QWidget* t : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QProgressDialog*>(t))
                    if (dialog->isVisible() && dialog->value() >= 30)
                        dialog->findChild<QPushButton*>()->click();
        });
        watcher.start(0);
        name->setText(dir.filePath("big.talvo"));
        w.findChild<QPushButton*>("pushButtonStart")->click();
        QCOMPARE(status->text(), QStringLiteral("<font color='blue'>Canceled.</font>"));
        QFile earlier(dir.filePath("big.xlsx"));
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier output"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
    }
};

QTEST_MAIN(TestConverterXlsx)
#include "tst_converter_xlsx.moc"
