#include "DarkPalette.h"

#include <QtTest>

class TestDarkPalette : public QObject
{
    Q_OBJECT
private slots:
    void roles_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QColor>("active");
        QTest::addColumn<QColor>("disabled");
        const QColor grey(53, 53, 53), dim(128, 128, 128), link(42, 130, 218);
        QTest::newRow("Window") << int(QPalette::Window) << grey << grey;
        QTest::newRow("Base") << int(QPalette::Base) << QColor(25, 25, 25) << QColor(25, 25, 25);
        QTest::newRow("ToolTipText") << int(QPalette::ToolTipText) << QColor(Qt::black) << QColor(Qt::black);
        QTest::newRow("BrightText") << int(QPalette::BrightText) << QColor(Qt::red) << QColor(Qt::red);
        QTest::newRow("Highlight") << int(QPalette::Highlight) << link << link;
        QTest::newRow("Link") << int(QPalette::Link) << link << link;
        // Only the disabled group dims its texts and flattens Light.
        QTest::newRow("ButtonText") << int(QPalette::ButtonText) << QColor(Qt::white) << dim;
        QTest::newRow("WindowText") << int(QPalette::WindowText) << QColor(Qt::white) << dim;
        QTest::newRow("Text") << int(QPalette::Text) << QColor(Qt::white) << dim;
        QTest::newRow("Light") << int(QPalette::Light) << QPalette().color(QPalette::Active, QPalette::Light) << grey;
    }
    void roles()
    {
        QFETCH(int, role);
        QFETCH(QColor, active);
        QFETCH(QColor, disabled);
        const QPalette p = darkPalette();
        const auto r = QPalette::ColorRole(role);
        QCOMPARE(p.color(QPalette::Active, r), active);
        QCOMPARE(p.color(QPalette::Inactive, r), active);
        QCOMPARE(p.color(QPalette::Disabled, r), disabled);
        QCOMPARE(p.brush(QPalette::Disabled, r).style(), Qt::SolidPattern);
        QCOMPARE(p.color(QPalette::Active, r).alpha(), 255);
    }
};

QTEST_MAIN(TestDarkPalette)
#include "tst_darkpalette.moc"
