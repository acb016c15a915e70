// The panel base: how a panel stands as a window of its own.
#include "Panel.h"

#include <QtTest>

class TestPanel : public QObject
{
    Q_OBJECT
private slots:
    void panelIsAToolWindow()
    {
        Panel panel(nullptr);
        QCOMPARE(int(panel.windowFlags()), int(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint));
        QCOMPARE(int(panel.windowFlags()), 0x200100B);
        QVERIFY(panel.testAttribute(Qt::WA_ShowWithoutActivating));
    }
};

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
