#include "ProgressDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestProgressDialog : public QObject
{
    Q_OBJECT
private slots:
    void freshDialog()
    {
        ProgressDialog dialog(0, 100);
        QCOMPARE(dialog.value(), 0);
        QVERIFY(dialog.text().isEmpty());
        QVERIFY(dialog.windowTitle().isEmpty());
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        dialog.setValue(40);
        dialog.setValue(400); // outside the range: ignored by the bar
        QCOMPARE(dialog.value(), 40);
        dialog.setText("Loading");
        QCOMPARE(dialog.text(), QStringLiteral("Loading"));
    }

    void escapeAndCloseKeepItOpen()
    {
        ProgressDialog dialog(0, 10);
        QSignalSpy canceled(&dialog, &ProgressDialog::canceled);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isVisible());
        QCOMPARE(canceled.count(), 0);

        auto* button = dialog.findChild<QPushButton*>("closeButton");
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("Close"));
        button->click();
        QCOMPARE(canceled.count(), 1);
        QVERIFY(dialog.isVisible()); // the caller hides it when its work has stopped
    }
};

QTEST_MAIN(TestProgressDialog)
#include "tst_progressdialog.moc"
