#include "TempTree.h"
#include "XmlStream.h"
#include "XlsxTestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace Xlsx;
using XlsxTest::ReadFile;

namespace {

const QByteArray kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

using Script = std::function<void(CXmlStream &)>;

} // namespace

Q_DECLARE_METATYPE(Script)

class TestXlsxStream : public QObject
{
    Q_OBJECT
private slots:
    void elements_data()
    {
        QTest::addColumn<Script>("script");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("empty element") << Script([](CXmlStream &x) {
            x.BeginElement("a");
            x.Attribute("x", int32_t(1));
            x.EndElement();
        }) << QByteArray("<a x=\"1\"/>");
        QTest::newRow("text child") << Script([](CXmlStream &x) {
            x.BeginElement("a");
            x.TextElement("b", "t");
            x.EndElement();
        }) << QByteArray("<a><b>t</b></a>");
        QTest::newRow("closed by Close") << Script([](CXmlStream &x) {
            x.BeginElement("a");
            x.BeginElement("b");
        }) << QByteArray("<a><b/></a>");
        QTest::newRow("number types") << Script([](CXmlStream &x) {
            x.BeginElement("n");
            x.Attribute("i", int32_t(-80000));
            x.Attribute("u", uint32_t(4294967295u));
            x.Attribute("w", uint64_t(18446744073709551615ull));
            x.Attribute("d", 0.25);
            x.IntElement("v", 42);
            x.EndElement();
        }) << QByteArray("<n i=\"-80000\" u=\"4294967295\" w=\"18446744073709551615\" d=\"0.25\"><v>42</v></n>");
        QTest::newRow("open tag completed by caller") << Script([](CXmlStream &x) {
            x.BeginElement("a");
            x.OpenTag("b");
            x.Raw("/>");
            x.EndElement();
        }) << QByteArray("<a><b/></a>");
        QTest::newRow("escaped and raw attributes") << Script([](CXmlStream &x) {
            x.BeginElement("a");
            x.Attribute("e", std::string("x&y<z\"'>"));
            x.AttributeRaw("r", "x&y");
            x.EndElement();
        }) << QByteArray("<a e=\"x&amp;y&lt;z&quot;&apos;&gt;\" r=\"x&y\"/>");
        QTest::newRow("text element escaped") << Script([](CXmlStream &x) {
            x.TextElement("dc:creator", "Tom & <Jerry>");
        }) << QByteArray("<dc:creator>Tom &amp; &lt;Jerry&gt;</dc:creator>");
        // Characters XML cannot carry take the spreadsheet's own form; a text that
        // already looks like that form keeps its underscore; line ends and tabs
        // survive attribute normalisation as character references.
        QTest::newRow("control characters") << Script([](CXmlStream &x) {
            x.WriteEscaped(std::string("a\x01" "b\x1f" "c\td\ne\rf\0g", 13));
        }) << QByteArray("a_x0001_b_x001F_c&#9;d&#10;e&#13;f_x0000_g");
        QTest::newRow("literal escape form") << Script([](CXmlStream &x) {
            x.WriteEscaped("_x0041_ _x12_ a_b");
        }) << QByteArray("_x005F_x0041_ _x12_ a_b");
        QTest::newRow("non-characters and utf8") << Script([](CXmlStream &x) {
            x.WriteEscaped("\xce\xbc\xef\xbf\xbe\xef\xbf\xbf\xef\xbf\xbd\xf0\x9f\x94\x8b");
        }) << QByteArray("\xce\xbc_xFFFE__xFFFF_\xef\xbf\xbd\xf0\x9f\x94\x8b");
    }
    void elements()
    {
        QFETCH(Script, script);
        QFETCH(QByteArray, body);
        QTemporaryDir dir;
        const std::string path = dir.filePath("part.xml").toStdString();
        {
            CXmlStream xml(path);
            script(xml);
            QVERIFY(xml.Close());
        }
        QCOMPARE(ReadFile(path), kDeclaration + body);
    }

    void largePartIsComplete()
    {
        // Well beyond the stream's buffer, so that flushing in the middle is exercised.
        QTemporaryDir dir;
        const std::string path = dir.filePath("big.xml").toStdString();
        CXmlStream xml(path);
        xml.BeginElement("r");
        for (int i = 0; i < 20000; ++i)
            xml.IntElement("v", uint64_t(i));
        QVERIFY(xml.Close());
        const QByteArray data = ReadFile(path);
        QVERIFY(data.endsWith("<v>19998</v><v>19999</v></r>"));
        QVERIFY(XlsxTest::Parse(data).documentElement().childNodes().count() == 20000);
    }

    void failuresAreReported()
    {
        CXmlStream missing("/nonexistent-folder/part.xml");
        missing.BeginElement("a");
        QVERIFY(!missing.IsOpen());
        QVERIFY(!missing.Close());

        // A full disk: the data is lost at the flush, and Close says so.
        CXmlStream full("/dev/full");
        QVERIFY(full.IsOpen());
        full.BeginElement("a");
        QVERIFY(!full.Close());
    }

    void tempTreeMakesAndRemovesEverything()
    {
        QTemporaryDir base;
        CTempTree tree(base.path().toStdString() + "/");
        QVERIFY(tree.Root().empty());
        const std::string sheet = tree.RegisterPart("/xl/worksheets/sheet1.xml");
        const std::string root = tree.Root();
        QVERIFY(QString::fromStdString(root).startsWith(base.path() + "/xlsx_"));
        QCOMPARE(sheet, root + "/xl/worksheets/sheet1.xml");
        QVERIFY(QFileInfo(QString::fromStdString(root)).permissions() == (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser));
        QVERIFY(QDir(QString::fromStdString(root + "/xl/worksheets")).exists());
        tree.RegisterPart("/xl/worksheets/sheet1.xml");
        tree.RegisterPart("/[Content_Types].xml");
        QCOMPARE(tree.Parts(), (std::vector<std::string>{"/xl/worksheets/sheet1.xml", "/[Content_Types].xml"}));

        // Folders that exist already are fine and recorded by nobody.
        QVERIFY(tree.MakeDirs(root + "/xl/worksheets/sheet2.xml"));

        for (const std::string &part : tree.Parts())
            QVERIFY(QFile(QString::fromStdString(root + part)).open(QIODevice::WriteOnly));
        QVERIFY(QFile::exists(QString::fromStdString(root + "/[Content_Types].xml")));

        // A second tree under the same base gets a folder of its own.
        CTempTree other(base.path().toStdString());
        other.RegisterPart("/a.xml");
        QVERIFY(other.Root() != root);

        tree.RemoveAll();
        other.RemoveAll();
        QVERIFY(tree.Parts().empty());
        QCOMPARE(QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    void tempTreeWithoutBaseFolder()
    {
        CTempTree tree("/nonexistent-folder");
        QCOMPARE(tree.RegisterPart("/xl/styles.xml"), std::string());
        QVERIFY(tree.Parts().empty());
    }
};

QTEST_APPLESS_MAIN(TestXlsxStream)
#include "tst_xlsxstream.moc"
