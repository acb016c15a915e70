#include "Workbook.h"
#include "XlsxTestUtil.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace Xlsx;

namespace {

std::vector<double> g_progress;
void RecordProgress(double fraction)
{
    g_progress.push_back(fraction);
}

CWorkbook *g_cancelling = nullptr;
void CancelAtFirstProgress(double fraction)
{
    g_progress.push_back(fraction);
    if (g_cancelling)
        g_cancelling->CancelSave();
}

QStringList g_messages;
void RecordMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages << text;
}

// Runs a checker script with the system Python and returns what it printed as JSON.
QJsonValue RunPython(const QString &script, const QStringList &arguments)
{
    QProcess python;
    python.start("/usr/bin/python3", QStringList{"-c", script} + arguments);
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return QJsonValue();
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object().value("result");
}

const char *const kOpenpyxlScript = R"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for ws in book.worksheets:
    rows = []
    for row in ws.iter_rows():
        rows.append([[c.value, c.data_type] for c in row])
    sheets.append({"title": ws.title, "rows": rows})
cell = book.worksheets[0]["A2"]
print(json.dumps({"result": {
    "sheets": sheets,
    "creator": book.properties.creator,
    "lastModifiedBy": book.properties.lastModifiedBy,
    "created": book.properties.created.isoformat(),
    "modified": book.properties.modified.isoformat(),
    "numberFormat": cell.number_format,
    "font": [cell.font.name, cell.font.sz]}}))
)";

const char *const kZipScript = R"(
import json, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    times = sorted({"%04d-%02d-%02d %02d:%02d:%02d" % i.date_time for i in z.infolist()})
    core = z.read("docProps/core.xml").decode() if "docProps/core.xml" in z.namelist() else ""
    print(json.dumps({"result": {"names": z.namelist(), "bad": z.testzip(), "times": times, "core": core}}))
)";

// What workbooks left in the temporary folder (the test's own output folders live there too).
QStringList TemporaryEntries()
{
    return QDir(qEnvironmentVariable("TEMP")).entryList({"xlsx_*"}, QDir::AllEntries | QDir::Hidden);
}

// 2023-11-14 22:13:21 UTC, odd so that the entries' two-second steps show.
constexpr int64_t kSaveTime = 1700000001;

// The archive's date and time of kSaveTime: local time, seconds in two-second steps.
QString SaveTimeInZip()
{
    QDateTime local = QDateTime::fromSecsSinceEpoch(kSaveTime, Qt::LocalTime);
    local = local.addSecs(-(local.time().second() % 2));
    return local.toString("yyyy-MM-dd hh:mm:ss");
}

QStringList ToStrings(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &v : value.toArray())
        list << v.toString();
    return list;
}

} // namespace

class TestXlsxWorkbook : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        g_progress.clear();
        g_messages.clear();
    }

    void spreadsheetReadsTheWorkbook()
    {
        QTemporaryDir out;
        const QString path = out.filePath("book.xlsx");
        const std::wstring emoji = L"\U0001F50B battery";
        qint64 before = 0;
        qint64 after = 0;
        {
            CWorkbook book(CDualString(std::wstring(L"Tom & <Jerry>")));
            CWorksheet &first = book.NewWorksheet(CDualString(std::string("0s-60s")));
            first.OpenRow();
            for (const std::wstring &text : {std::wstring(L"A & B"), std::wstring(L"x<y"),
                                             std::wstring(L"#0, \u03bcA"), std::wstring(L"bell\u0007!"),
                                             emoji, std::wstring(L" padded "), std::wstring(L"_x0041_")})
                first.PutCell(ToUtf8(text));
            first.OpenRow();
            first.PutCell(0.1);
            first.PutCell(1.0 / 3);
            first.PutCell(-2.5e-300);
            first.PutCell(1e21);
            first.PutCell(std::nan(""));
            first.PutCell(7.0);
            CWorksheet &second = book.NewWorksheet(CDualString(std::wstring(L"\u0427\u0430\u0441 & <t>")));
            second.OpenRow();
            second.PutCell(std::string("A & B"));
            before = QDateTime::currentSecsSinceEpoch();
            QVERIFY(book.Save(path.toStdString()));
            after = QDateTime::currentSecsSinceEpoch();
        }
        const QJsonObject result = RunPython(kOpenpyxlScript, {path}).toObject();
        QVERIFY(!result.isEmpty());
        const QJsonArray sheets = result.value("sheets").toArray();
        QCOMPARE(sheets.size(), 2);
        QCOMPARE(sheets[0].toObject().value("title").toString(), QString("0s-60s"));
        QCOMPARE(sheets[1].toObject().value("title").toString(), QString::fromWCharArray(L"\u0427\u0430\u0441 & <t>"));

        const QJsonArray rows = sheets[0].toObject().value("rows").toArray();
        QCOMPARE(rows.size(), 2);
        // The checker hands a control character back in the spreadsheet's "_xHHHH_"
        // form, and a text that merely looks like that form unchanged.
        const QJsonArray texts = rows[0].toArray();
        const QStringList expectedTexts{"A & B", "x<y", QString::fromWCharArray(L"#0, \u03bcA"),
                                        "bell_x0007_!", QString::fromStdWString(emoji), " padded ",
                                        "_x0041_"};
        QCOMPARE(texts.size(), expectedTexts.size());
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(texts[i].toArray()[0].toString(), expectedTexts[i]);
            QCOMPARE(texts[i].toArray()[1].toString(), QString("s"));
        }
        const QJsonArray numbers = rows[1].toArray();
        const double expectedNumbers[] = {0.1, 1.0 / 3, -2.5e-300, 1e21};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(numbers[i].toArray()[0].toDouble(), expectedNumbers[i]);
            QCOMPARE(numbers[i].toArray()[1].toString(), QString("n"));
        }
        QVERIFY(numbers[4].toArray()[0].isNull()); // not a number: an empty cell
        QCOMPARE(numbers[5].toArray()[0].toDouble(), 7.0);

        QCOMPARE(result.value("creator").toString(), QString("Tom & <Jerry>"));
        QCOMPARE(result.value("lastModifiedBy").toString(), QString("Tom & <Jerry>"));
        // Without a time given, the save's own moment.
        QDateTime created = QDateTime::fromString(result.value("created").toString(), Qt::ISODate);
        created.setTimeSpec(Qt::UTC);
        QVERIFY2(created.toSecsSinceEpoch() >= before && created.toSecsSinceEpoch() <= after,
                 qPrintable(result.value("created").toString()));
        QCOMPARE(result.value("modified").toString(), result.value("created").toString());
        QCOMPARE(result.value("numberFormat").toString(), QString("0.00"));
        QCOMPARE(result.value("font").toArray()[0].toString(), QString("Calibri"));
        QCOMPARE(result.value("font").toArray()[1].toDouble(), 11.0);
        QCOMPARE(TemporaryEntries(), QStringList());
    }

    void packageLayoutAndProgress()
    {
        QTemporaryDir out;
        const QString path = out.filePath("book.xlsx");
        const QtMessageHandler previous = qInstallMessageHandler(RecordMessage);
        {
            CWorkbook book;
            book.SetProgressCallback(RecordProgress);
            book.SetSaveTime(kSaveTime);
            for (const char *title : {"0s-60s", "60s-120s"}) {
                CWorksheet &sheet = book.NewWorksheet(CDualString(std::string(title)));
                sheet.OpenRow();
                sheet.PutCell(std::string("Time, sec"));
                sheet.OpenRow();
                sheet.PutCell(1.0);
            }
            QVERIFY(book.Save(path.toStdString()));
        }
        qInstallMessageHandler(previous);

        const QJsonObject zip = RunPython(kZipScript, {path}).toObject();
        QVERIFY(zip.value("bad").isNull());
        QCOMPARE(ToStrings(zip.value("names")),
                 QStringList({"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml", "docProps/core.xml",
                              "_rels/.rels", "docProps/app.xml", "[Content_Types].xml", "xl/theme/theme1.xml",
                              "xl/sharedStrings.xml", "xl/styles.xml", "xl/_rels/workbook.xml.rels",
                              "xl/workbook.xml"}));
        QCOMPARE(ToStrings(zip.value("times")), QStringList(SaveTimeInZip()));
        QVERIFY(zip.value("core").toString().contains(
            "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2023-11-14T22:13:21Z</dcterms:created>"
            "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2023-11-14T22:13:21Z</dcterms:modified>"));
        QCOMPARE(g_progress.size(), size_t(11));
        for (size_t i = 0; i < g_progress.size(); ++i)
            QCOMPARE(g_progress[i], double(i + 1) / 11);
        QVERIFY(g_progress.back() == 1.0);

        QCOMPARE(g_messages.filter(QRegularExpression("^CWorkbook::Save ZipAdd \\d+ \\d+$")).size(), 11);
        QCOMPARE(g_messages.filter(QRegularExpression("^CWorkbook::Save ZipAdd \\d+$")).size(), 1);
        QStringList steps;
        for (const QString &message : g_messages)
            if (!message.startsWith("CWorkbook::Save ZipAdd"))
                steps << message.section(' ', 1, 1);
        QCOMPARE(steps, QStringList({"start", "core", "m_worksheets", "other", "CreateZip", "CloseZip"}));
        QCOMPARE(TemporaryEntries(), QStringList());
    }

    // Large parts compressed on worker threads: the finished sheets while others fill,
    // the rest during the save. A worker whose scratch file cannot be written fails the
    // save; a cancel from the progress callback stops the
    // workers; nothing is left behind either way.
    void compressionOnWorkers_data()
    {
        QTest::addColumn<unsigned>("workers");
        QTest::addColumn<bool>("scratchFails");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("saved");
        QTest::newRow("in turn") << 1u << false << false << true;
        QTest::newRow("workers") << 4u << false << false << true;
        QTest::newRow("worker cannot write") << 4u << true << false << false;
        QTest::newRow("cancelled") << 4u << false << true << false;
    }

    void compressionOnWorkers()
    {
        QFETCH(unsigned, workers);
        QFETCH(bool, scratchFails);
        QFETCH(bool, cancel);
        QFETCH(bool, saved);
        if (scratchFails && !QFile::exists("/dev/full"))
            QSKIP("no /dev/full here");
        QTemporaryDir out;
        const QString path = out.filePath("book.xlsx");
        {
            CWorkbook book;
            book.SetSaveWorkers(workers);
            book.SetSaveTime(kSaveTime);
            g_cancelling = cancel ? &book : nullptr;
            book.SetProgressCallback(cancel ? CancelAtFirstProgress : RecordProgress);
            std::vector<CWorksheet *> sheets;
            for (int s = 0; s < 3; ++s)
                sheets.push_back(&book.NewWorksheet(CDualString()));
            if (scratchFails)
                QVERIFY(QFile::link("/dev/full", QString::fromStdString(book.TempTree().Root()
                                                                        + "/xl/worksheets/sheet2.xml.deflate")));
            for (int s = 0; s < 3; ++s) {
                for (int row = 0; row < 3000; ++row) {
                    sheets[size_t(s)]->OpenRow();
                    for (int column = 0; column < 4; ++column)
                        sheets[size_t(s)]->PutCell(row * 0.0001 + column * 1.5 + s);
                }
                // The last sheet is left to Save where the save is to fail.
                if (s < 2 || saved)
                    book.CompleteWorksheet(*sheets[size_t(s)]);
            }
            QCOMPARE(book.Save(path.toStdString()), saved);
            g_cancelling = nullptr;
            QVERIFY(!book.Save(out.filePath("again.xlsx").toStdString()));
        }
        QCOMPARE(QFile::exists(path), saved);
        QCOMPARE(TemporaryEntries(), QStringList());
        if (!saved)
            return;
        const QJsonObject zip = RunPython(kZipScript, {path}).toObject();
        QVERIFY(zip.value("bad").isNull());
        QCOMPARE(ToStrings(zip.value("names")).mid(0, 3),
                 QStringList({"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml", "xl/worksheets/sheet3.xml"}));
        // Entries compressed ahead carry the save's moment as those added in turn do.
        QCOMPARE(ToStrings(zip.value("times")), QStringList(SaveTimeInZip()));
        // Progress never goes back and ends exactly at 1.
        QVERIFY(g_progress.size() >= 10);
        QVERIFY(std::is_sorted(g_progress.begin(), g_progress.end()));
        QVERIFY(g_progress.back() == 1.0);
        QVERIFY(g_progress[g_progress.size() - 2] < 1.0);
    }

    void failedSavesLeaveNothingBehind()
    {
        QTemporaryDir out;
        const QString existing = out.filePath("existing.xlsx");
        {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("previous workbook");
        }

        {
            // The target folder does not exist.
            CWorkbook book;
            book.NewWorksheet(CDualString()).PutCell(1.0);
            QVERIFY(!book.Save(out.filePath("missing/book.xlsx").toStdString()));
            QCOMPARE(TemporaryEntries(), QStringList());
        }
        {
            // A part that cannot be written completely: the disk is full (or, where
            // there is no full device, the part's name is taken by a folder).
            CWorkbook book;
            book.NewWorksheet(CDualString()).PutCell(1.0);
            const QString styles = QString::fromStdString(book.TempTree().Root() + "/xl/styles.xml");
            QVERIFY(QFile::exists("/dev/full") ? QFile::link("/dev/full", styles) : QDir().mkdir(styles));
            QVERIFY(!book.Save(existing.toStdString()));
            QCOMPARE(TemporaryEntries(), QStringList());
        }
        {
            // A part file vanishes before it is packed: the second add fails.
            CWorkbook book;
            book.SetProgressCallback(RecordProgress);
            book.NewWorksheet(CDualString()).PutCell(1.0);
            book.NewWorksheet(CDualString()).PutCell(2.0);
            QVERIFY(QFile::remove(QString::fromStdString(book.TempTree().Root() + "/xl/worksheets/sheet2.xml")));
            QVERIFY(!book.Save(existing.toStdString()));
            QCOMPARE(g_progress, std::vector<double>{1.0 / 10}); // two sheets without texts: 10 parts
            QCOMPARE(TemporaryEntries(), QStringList());
        }
        {
            // No sheet at all, and a second save of a saved workbook.
            CWorkbook empty;
            QVERIFY(!empty.Save(out.filePath("empty.xlsx").toStdString()));
            CWorkbook book;
            book.NewWorksheet(CDualString()).PutCell(1.0);
            QVERIFY(book.Save(out.filePath("once.xlsx").toStdString()));
            QVERIFY(!book.Save(out.filePath("twice.xlsx").toStdString()));
            QCOMPARE(TemporaryEntries(), QStringList());
        }
        QCOMPARE(XlsxTest::ReadFile(existing), QByteArray("previous workbook"));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList({"existing.xlsx", "once.xlsx"}));
    }
};

QTEST_APPLESS_MAIN(TestXlsxWorkbook)
#include "tst_xlsxworkbook.moc"
