#include "Workbook.h"
#include "XlsxTestUtil.h"

#include <QtTest>

using namespace Xlsx;
using namespace XlsxTest;

namespace {

QDomElement ReadPart(const CWorkbook &book, const std::string &part, QByteArray *raw = nullptr)
{
    const QByteArray xml = ReadFile(book.TempTree().Root() + part);
    if (raw != nullptr)
        *raw = xml;
    QString error;
    const QDomDocument document = Parse(xml, &error);
    if (!error.isEmpty())
        qWarning() << QString::fromStdString(part) << error;
    return document.documentElement();
}

void AddTextSheet(CWorkbook &book, const char *title, const char *text)
{
    CWorksheet &sheet = book.NewWorksheet(CDualString(std::string(title)));
    sheet.OpenRow();
    sheet.PutCell(std::string(text));
    sheet.PutCell(1.5);
    sheet.CloseRow();
}

QStringList RelationshipIds(const QDomElement &relationships)
{
    QStringList ids;
    for (QDomElement e = relationships.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        ids << e.attribute("Id") + " " + e.attribute("Target");
    return ids;
}

QStringList ContentTypeEntries(const QDomElement &types)
{
    QStringList entries;
    for (QDomElement e = types.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        entries << e.tagName() + " " + e.attribute(e.tagName() == "Default" ? "Extension" : "PartName");
    return entries;
}

} // namespace

class TestXlsxPackage : public QObject
{
    Q_OBJECT
private slots:
    void converterWorkbook()
    {
        CWorkbook book;
        AddTextSheet(book, "0s-60s", "Time, sec");
        AddTextSheet(book, "60s-120s", "Time, sec");
        QVERIFY(book.SaveContentTypes());
        QVERIFY(book.SaveSharedStrings());
        QVERIFY(book.SaveWorkbook());

        QCOMPARE(ContentTypeEntries(ReadPart(book, "/[Content_Types].xml")),
                 QStringList({"Default rels", "Default xml", "Override /xl/workbook.xml",
                              "Override /xl/worksheets/sheet1.xml", "Override /xl/worksheets/sheet2.xml",
                              "Override /xl/theme/theme1.xml", "Override /xl/styles.xml",
                              "Override /xl/sharedStrings.xml", "Override /docProps/core.xml",
                              "Override /docProps/app.xml"}));
        QCOMPARE(RelationshipIds(ReadPart(book, "/xl/_rels/workbook.xml.rels")),
                 QStringList({"rId1 worksheets/sheet1.xml", "rId2 worksheets/sheet2.xml",
                              "rId3 sharedStrings.xml", "rId4 styles.xml", "rId5 theme/theme1.xml"}));
        QVERIFY(!QFile::exists(QString::fromStdString(book.TempTree().Root() + "/xl/calcChain.xml")));

        QByteArray raw;
        const QDomElement workbook = ReadPart(book, "/xl/workbook.xml", &raw);
        QCOMPARE(ChildNames(workbook), QStringList({"fileVersion", "workbookPr", "bookViews", "sheets", "calcPr"}));
        QVERIFY(raw.contains("<sheets><sheet name=\"0s-60s\" sheetId=\"1\" r:id=\"rId1\"/>"
                             "<sheet name=\"60s-120s\" sheetId=\"2\" r:id=\"rId2\"/></sheets>"));
        QVERIFY(raw.contains("<workbookView xWindow=\"270\" yWindow=\"630\" windowWidth=\"24615\" "
                             "windowHeight=\"11445\" activeTab=\"0\"/>"));

        const QDomElement sst = ReadPart(book, "/xl/sharedStrings.xml");
        QCOMPARE(sst.attribute("count"), QString("1"));
        QCOMPARE(sst.attribute("uniqueCount"), QString("1"));
        QCOMPARE(sst.elementsByTagName("si").count(), 1);
    }

    void workbookWithoutTexts()
    {
        CWorkbook book;
        CWorksheet &sheet = book.NewWorksheet(CDualString());
        sheet.OpenRow();
        sheet.PutCell(1.0);
        const size_t before = book.TempTree().Parts().size();
        QVERIFY(book.SaveSharedStrings());
        QCOMPARE(book.TempTree().Parts().size(), before);
        QVERIFY(book.SaveContentTypes());
        QVERIFY(book.SaveWorkbook());
        QVERIFY(!ContentTypeEntries(ReadPart(book, "/[Content_Types].xml")).contains("Override /xl/sharedStrings.xml"));
        QCOMPARE(RelationshipIds(ReadPart(book, "/xl/_rels/workbook.xml.rels")),
                 QStringList({"rId1 worksheets/sheet1.xml", "rId2 styles.xml", "rId3 theme/theme1.xml"}));
    }

    void formulasMakeACalculationChain()
    {
        CWorkbook book;
        book.NewWorksheet(CDualString());
        CWorksheet &second = book.NewWorksheet(CDualString());
        book.NewWorksheet(CDualString());
        second.OpenRow();
        second.OpenRow();
        second.PutCell(1.0);
        second.PutCell(std::string("=A2"));
        second.OpenRow();
        second.PutCell(std::string());
        second.PutCell(std::string());
        second.PutCell(std::string("=B2+1"));
        QVERIFY(book.SaveContentTypes());
        QVERIFY(book.SaveWorkbook());
        const QStringList entries = ContentTypeEntries(ReadPart(book, "/[Content_Types].xml"));
        QCOMPARE(entries.indexOf("Override /xl/calcChain.xml"), entries.indexOf("Override /xl/worksheets/sheet3.xml") + 1);
        QByteArray chain;
        ReadPart(book, "/xl/calcChain.xml", &chain);
        QVERIFY(chain.endsWith("<calcChain xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                               "<c r=\"B2\" i=\"2\"/><c r=\"C3\"/></calcChain>"));
        QCOMPARE(RelationshipIds(ReadPart(book, "/xl/_rels/workbook.xml.rels")).mid(3),
                 QStringList({"rId4 calcChain.xml", "rId5 styles.xml", "rId6 theme/theme1.xml"}));
    }

    void sharedStringsInOrderOfFirstUse()
    {
        CWorkbook book;
        CWorksheet &sheet = book.NewWorksheet(CDualString());
        sheet.OpenRow();
        for (int i = 0; i < 1000; ++i)
            sheet.PutCell(std::string("zeta"));
        sheet.PutCell(std::string("alpha & <beta>"));
        sheet.PutCell(std::string("  padded "));
        sheet.PutCell(std::string("bell\x07"));
        QVERIFY(book.SaveSharedStrings());
        QByteArray raw;
        const QDomElement sst = ReadPart(book, "/xl/sharedStrings.xml", &raw);
        QCOMPARE(sst.attribute("count"), QString("4"));
        QCOMPARE(sst.attribute("uniqueCount"), QString("4"));
        QVERIFY(raw.contains("<si><t>zeta</t></si><si><t>alpha &amp; &lt;beta&gt;</t></si>"
                             "<si><t xml:space=\"preserve\">  padded </t></si><si><t>bell_x0007_</t></si></sst>"));
    }

    void propertiesAndTitles()
    {
        CWorkbook book(CDualString(std::wstring(L"Tom & <Jerry>")));
        book.NewWorksheet(CDualString(std::string("A&B<C")));
        book.NewWorksheet(CDualString());
        book.NewWorksheet(CDualString(std::string("a&b<c")));
        book.SetSaveTime(1700000001);
        QVERIFY(book.SaveCore());
        QVERIFY(book.SaveApp());
        QVERIFY(book.SaveWorkbook());

        QByteArray core;
        const QDomElement props = ReadPart(book, "/docProps/core.xml", &core);
        QCOMPARE(ChildNames(props), QStringList({"dc:creator", "cp:lastModifiedBy", "dcterms:created", "dcterms:modified"}));
        QCOMPARE(props.firstChildElement("dc:creator").text(), QString("Tom & <Jerry>"));
        QVERIFY(core.contains("<dcterms:created xsi:type=\"dcterms:W3CDTF\">2023-11-14T22:13:21Z</dcterms:created>"
                              "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2023-11-14T22:13:21Z</dcterms:modified>"));

        QCOMPARE(RelationshipIds(ReadPart(book, "/_rels/.rels")),
                 QStringList({"rId3 docProps/app.xml", "rId2 docProps/core.xml", "rId1 xl/workbook.xml"}));

        QByteArray app;
        const QDomElement properties = ReadPart(book, "/docProps/app.xml", &app);
        QCOMPARE(ChildNames(properties), QStringList({"Application", "DocSecurity", "ScaleCrop", "HeadingPairs",
                                                      "TitlesOfParts", "Company", "LinksUpToDate", "SharedDoc",
                                                      "HyperlinksChanged", "AppVersion"}));
        QVERIFY(app.contains("<HeadingPairs><vt:vector size=\"2\" baseType=\"variant\"><vt:variant><vt:lpstr>Worksheets"
                             "</vt:lpstr></vt:variant><vt:variant><vt:i4>3</vt:i4></vt:variant></vt:vector></HeadingPairs>"
                             "<TitlesOfParts><vt:vector size=\"3\" baseType=\"lpstr\"><vt:lpstr>A&amp;B&lt;C</vt:lpstr>"
                             "<vt:lpstr>Sheet 2</vt:lpstr><vt:lpstr>a&amp;b&lt;c (2)</vt:lpstr></vt:vector></TitlesOfParts>"
                             "<Company></Company>"));
        QVERIFY(app.endsWith("<AppVersion>14.03</AppVersion></Properties>"));

        const QDomElement sheets = ReadPart(book, "/xl/workbook.xml").firstChildElement("sheets");
        QCOMPARE(AttributeValues(sheets, "sheet", "name"), QStringList({"A&B<C", "Sheet 2", "a&b<c (2)"}));
    }

    void uniqueTitles_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("title");
        QTest::newRow("free") << QStringList{"Sheet 1"} << "Data" << "Data";
        QTest::newRow("taken in another case") << QStringList{"data"} << "Data" << "Data (2)";
        QTest::newRow("next free number") << QStringList{"x", "x (2)", "X (3)"} << "x" << "x (4)";
        QTest::newRow("kept to 31 characters") << QStringList{QString(31, 'a')} << QString(31, 'a')
                                               << QString(27, 'a') + " (2)";
        QTest::newRow("non-ascii cut by characters") << QStringList{QString(31, QChar(0x0447))}
            << QString(31, QChar(0x0447)) << QString(27, QChar(0x0447)) + " (2)";
    }
    void uniqueTitles()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, wanted);
        QFETCH(QString, title);
        std::vector<CDualString> titles;
        for (const QString &t : taken)
            titles.emplace_back(t.toStdWString());
        const CDualString result = UniqueSheetTitle(CDualString(wanted.toStdWString()), titles);
        QCOMPARE(QString::fromStdString(result.narrow), title);
        QCOMPARE(QString::fromStdWString(result.wide), title);
    }

    void noSheetsNoWorkbook()
    {
        CWorkbook book;
        QVERIFY(!book.SaveWorkbook());
        QCOMPARE(ChildNames(ReadPart(book, "/xl/workbook.xml")), QStringList({"fileVersion", "workbookPr", "bookViews"}));
    }

    void author_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QByteArray>("username");
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QString>("author");
        QTest::newRow("given") << "Олена" << QByteArray("jdoe") << QByteArray("root") << "Олена";
        QTest::newRow("USERNAME") << "" << QByteArray("jdoe") << QByteArray("root") << "jdoe";
        QTest::newRow("USER") << "" << QByteArray() << QByteArray("root") << "root";
        QTest::newRow("unknown") << "" << QByteArray() << QByteArray() << "Unknown";
    }
    void author()
    {
        QFETCH(QString, given);
        QFETCH(QByteArray, username);
        QFETCH(QByteArray, user);
        QFETCH(QString, author);
        const QByteArray savedUser = qgetenv("USER"), savedLogname = qgetenv("LOGNAME"),
                         savedUsername = qgetenv("USERNAME");
        qputenv("USERNAME", username);
        qputenv("USER", user);
        qunsetenv("LOGNAME");
        CWorkbook book(CDualString(given.toStdWString()));
        qputenv("USERNAME", savedUsername);
        qputenv("USER", savedUser);
        qputenv("LOGNAME", savedLogname);
        QCOMPARE(QString::fromStdString(book.Author().narrow), author);
        QCOMPARE(QString::fromStdWString(book.Author().wide), author);
    }

    void themeIsTheGoldenPart()
    {
        CWorkbook first, second;
        QVERIFY(first.SaveTheme());
        QVERIFY(second.SaveTheme());
        const QByteArray theme = ReadFile(first.TempTree().Root() + "/xl/theme/theme1.xml");
        QCOMPARE(theme, ReadFile(QString(TALVO_TEST_DATA_DIR "/xlsx/theme1.xml")));
        QCOMPARE(theme, ReadFile(second.TempTree().Root() + "/xl/theme/theme1.xml"));
        QString error;
        const QDomElement root = Parse(theme, &error).documentElement();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(ChildNames(root), QStringList({"a:themeElements", "a:objectDefaults", "a:extraClrSchemeLst"}));
        const QDomElement fonts = root.firstChildElement("a:themeElements").firstChildElement("a:fontScheme");
        QCOMPARE(fonts.firstChildElement("a:majorFont").elementsByTagName("a:font").count(), 26);
        QVERIFY(theme.contains("<a:fillToRect l=\"50000\" t=\"-80000\" r=\"50000\" b=\"180000\"/>"));
        QVERIFY(theme.endsWith("</a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>"));
    }
};

QTEST_APPLESS_MAIN(TestXlsxPackage)
#include "tst_xlsxpackage.moc"
