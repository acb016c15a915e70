#include "ColorsAgent.h"
#include "Languages.h"
#include "Settings.h"

#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("A"));
    }
    void init() { QFile::remove(Settings::filePath()); }

    void pathAndFolder()
    {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QCOMPARE(Settings::folder(), base + "/Korvanite/A/");
        QCOMPARE(Settings::filePath(), base + "/Korvanite/A/A.ini");
        {
            Settings s;
            QCOMPARE(s.fileName(), Settings::filePath());
            QCOMPARE(s.format(), QSettings::IniFormat);
            QCOMPARE(s.value("Main/missing", 42).toInt(), 42); // missing file → defaults
            s.setValue("Main/save-path", "x");
        }
        QVERIFY(QFile::exists(Settings::filePath()));
        Settings again;
        QCOMPARE(again.value("Main/save-path").toString(), QStringLiteral("x"));
    }

    void languageTable_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::newRow("English") << 0 << "English" << "en";
        QTest::newRow("Ukrainian") << 1 << QString::fromUtf8("Українська") << "uk";
        QTest::newRow("stored index too large") << 7 << "English" << "en";
        QTest::newRow("stored index negative") << -1 << "English" << "en";
    }
    void languageTable()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, code);
        QCOMPARE(languageName(index), name);
        QCOMPARE(languageCode(index), code);
    }

    void colourDefaultsAndKeys_data()
    {
        QTest::addColumn<int>("dark");
        QTest::newRow("light") << 0;
        QTest::newRow("dark") << 1;
    }
    void colourDefaultsAndKeys()
    {
        QFETCH(int, dark);
        const QString group = QStringLiteral("Options/") + (dark ? "Dark" : "Light");
        {
            ColorsAgent agent(dark);
            for (int kind = 0; kind < 3; ++kind)
                QCOMPARE(agent.colorSet(kind), (QList<QColor>{Qt::red, Qt::blue, Qt::green}));
            QCOMPARE(agent.background(), QColor(Qt::white));
        }
        // A fresh file gets the ten keys of the theme, nothing of the other theme.
        Settings s;
        s.beginGroup(group);
        QCOMPARE(s.childKeys().size(), 10);
        for (const char* key : {"channel_0", "channel_1", "channel_2", "report_0", "report_1", "report_2",
                                "mouse_0", "mouse_1", "mouse_2", "background"})
            QVERIFY2(s.contains(key), key);
        QCOMPARE(s.value("channel_1").toString(), QStringLiteral("#0000ff"));
        QCOMPARE(s.value("background").toString(), QStringLiteral("#ffffff"));
        s.endGroup();
        QCOMPARE(s.childGroups(), QStringList{"Options"});
        s.beginGroup("Options");
        QCOMPARE(s.childGroups(), QStringList{dark ? "Dark" : "Light"});
    }

    void colourEditsPersistAndUnchangedAgentsWriteNothing()
    {
        { ColorsAgent first(0); } // stores the defaults
        {
            auto* editor = new ColorsAgent(0);
            auto* bystander = new ColorsAgent(0);
            editor->color(ColorsAgent::Report, 2) = QColor("#123456");
            editor->background() = QColor("#202020");
            delete editor;
            // The bystander goes last but changed nothing, so the edit survives.
            delete bystander;
        }
        ColorsAgent reader(0);
        QCOMPARE(reader.color(ColorsAgent::Report, 2), QColor("#123456"));
        QCOMPARE(reader.background(), QColor("#202020"));

        const QDateTime before = QFileInfo(Settings::filePath()).lastModified();
        QTest::qWait(20);
        QFile f(Settings::filePath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray contents = f.readAll();
        f.close();
        { ColorsAgent unchanged(0); }
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), contents);
        QCOMPARE(QFileInfo(Settings::filePath()).lastModified(), before);
    }

    // A hand-edited, cut-off or foreign file: every value read through the two helpers
    // is one the program can use, else the caller's fallback.
    void editedValues_data()
    {
        QTest::addColumn<QVariant>("stored"); // invalid: the key is missing
        QTest::addColumn<qint64>("minimum");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<qint64>("read");     // the fallback is 20
        QTest::newRow("missing") << QVariant() << qint64(0) << qint64(100) << qint64(20);
        QTest::newRow("in range") << QVariant(QStringLiteral("42")) << qint64(0) << qint64(100) << qint64(42);
        QTest::newRow("the bounds themselves") << QVariant(QStringLiteral("100")) << qint64(0) << qint64(100)
                                               << qint64(100);
        QTest::newRow("negative") << QVariant(QStringLiteral("-5")) << qint64(0) << qint64(100) << qint64(20);
        QTest::newRow("huge") << QVariant(QStringLiteral("1000000000")) << qint64(0) << qint64(100) << qint64(20);
        QTest::newRow("past 64 bits") << QVariant(QStringLiteral("99999999999999999999")) << qint64(0)
                                      << qint64(100) << qint64(20);
        QTest::newRow("text") << QVariant(QStringLiteral("abc")) << qint64(0) << qint64(100) << qint64(20);
        QTest::newRow("number then text") << QVariant(QStringLiteral("12abc")) << qint64(0) << qint64(100)
                                          << qint64(20);
        QTest::newRow("empty") << QVariant(QString()) << qint64(0) << qint64(100) << qint64(20);
        QTest::newRow("fraction") << QVariant(QStringLiteral("2.5")) << qint64(0) << qint64(100) << qint64(20);
        QTest::newRow("list") << QVariant(QStringList{"1", "2"}) << qint64(0) << qint64(100) << qint64(20);
        QTest::newRow("64-bit time") << QVariant(QStringLiteral("1700000000000")) << qint64(0)
                                     << qint64(1800000000000) << qint64(1700000000000);
    }
    void editedValues()
    {
        QFETCH(QVariant, stored);
        QFETCH(qint64, minimum);
        QFETCH(qint64, maximum);
        {
            Settings s;
            if (stored.isValid())
                s.setValue("Main/value", stored);
        }
        const Settings s;
        QTEST(boundedValue(s, QStringLiteral("Main/value"), 20, minimum, maximum), "read");
    }

    void editedColours_data()
    {
        QTest::addColumn<QString>("stored"); // null: the key is missing
        QTest::addColumn<QColor>("read");    // the fallback is red
        QTest::newRow("missing") << QString() << QColor(Qt::red);
        QTest::newRow("hex") << "#123456" << QColor("#123456");
        QTest::newRow("SVG name") << "navy" << QColor("navy");
        QTest::newRow("no colour") << "banana" << QColor(Qt::red);
        QTest::newRow("cut-off hex") << "#12" << QColor(Qt::red);
        QTest::newRow("empty") << "" << QColor(Qt::red);
    }
    void editedColours()
    {
        QFETCH(QString, stored);
        {
            Settings s;
            if (!stored.isNull())
                s.setValue("Main/colour", stored);
        }
        const Settings s;
        QTEST(colorValue(s, QStringLiteral("Main/colour"), Qt::red), "read");
    }

    // A stored text that names no colour gives that entry's default, which is also what
    // the theme writes back: not an invalid colour that draws and is stored as black.
    void colourInvalidStoredText()
    {
        {
            Settings s;
            s.setValue("Options/Light/mouse_0", "not a colour");
            s.setValue("Options/Light/channel_1", "#12");
            s.setValue("Options/Light/background", "banana");
        }
        {
            ColorsAgent agent(0);
            QCOMPARE(agent.color(ColorsAgent::MouseHint, 0), QColor(Qt::red));
            QCOMPARE(agent.color(ColorsAgent::Chart, 1), QColor(Qt::blue));
            QCOMPARE(agent.background(), QColor(Qt::white));
            agent.save();
        }
        Settings s;
        QCOMPARE(s.value("Options/Light/mouse_0").toString(), QStringLiteral("#ff0000"));
        QCOMPARE(s.value("Options/Light/channel_1").toString(), QStringLiteral("#0000ff"));
        QCOMPARE(s.value("Options/Light/background").toString(), QStringLiteral("#ffffff"));
    }

    void colourChannelRule_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("column");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("2") << 2 << 2;
        QTest::newRow("3 wraps to first") << 3 << 0;
        QTest::newRow("4 is 4 mod 3") << 4 << 1;
        QTest::newRow("negative → first") << -1 << 0;
        QTest::newRow("-2 → first") << -2 << 0;
    }
    void colourChannelRule()
    {
        QFETCH(int, channel);
        QFETCH(int, column);
        ColorsAgent agent(1);
        agent.colorSet(0) = {QColor("#000001"), QColor("#000002"), QColor("#000003")};
        QCOMPARE(&agent.color(0, channel), &agent.colorSet(0)[column]);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
