#include "MarqueeLabel.h"
#include "OverCurrentBanner.h"
#include "PopUp.h"

#include <QtTest>

// The pop-up's fades and timers, and the scrolling line's messages and passes.
class TestNotifications : public QObject
{
    Q_OBJECT
private:
    static QPropertyAnimation* fade(PopUp& popUp) { return popUp.findChild<QPropertyAnimation*>(); }
    static QTimer* hideTimer(PopUp& popUp) { return popUp.findChild<QTimer*>(); }
    static void finishFade(PopUp& popUp) { fade(popUp)->setCurrentTime(fade(popUp)->duration()); }

    // Repaints until the current pass ends; the number of ticks it took.
    static int runPass(MarqueeLabel& label)
    {
        int ticks = 0;
        while (!label.isPaused() && ticks < 10000) {
            label.repaint();
            ++ticks;
        }
        return ticks;
    }

private slots:
    void popUpFadesAndHides()
    {
        PopUp popUp;
        popUp.show();
        QVERIFY(popUp.isVisible());
        QCOMPARE(fade(popUp)->duration(), PopUp::fadeInMs);
        QCOMPARE(fade(popUp)->endValue().toFloat(), 1.0f);
        QVERIFY(hideTimer(popUp)->isActive());
        QCOMPARE(hideTimer(popUp)->interval(), 2000);

        // The end of a fade-in asks to hide, which a visible pop-up ignores.
        finishFade(popUp);
        QCOMPARE(popUp.getPopupOpacity(), 1.0f);
        QVERIFY(popUp.isVisible());
        popUp.hide();
        QVERIFY(popUp.isVisible());

        // The display time ends in a fade-out, whose end closes the window.
        hideTimer(popUp)->start(0);
        QTRY_COMPARE_WITH_TIMEOUT(fade(popUp)->duration(), PopUp::fadeOutMs, 30000);
        QVERIFY(!hideTimer(popUp)->isActive());
        QVERIFY(popUp.isVisible());
        finishFade(popUp);
        QCOMPARE(popUp.getPopupOpacity(), 0.0f);
        QVERIFY(!popUp.isVisible());

        // A plain show starts no display time.
        popUp.focusShow();
        QVERIFY(popUp.isVisible());
        QVERIFY(!hideTimer(popUp)->isActive());
        popUp.focusHide();
        QVERIFY(!popUp.isVisible());
    }

    void popUpTextFollowsTheCursor()
    {
        PopUp popUp;
        QCursor::setPos(200, 100);
        popUp.setPopupText(QString());
        QVERIFY(popUp.isVisible());
        QCOMPARE(popUp.pos(), QCursor::pos() + QPoint(1, 1));
        QCOMPARE(fade(popUp)->state(), QAbstractAnimation::Running);
        popUp.setPopupText(QStringLiteral("<b>1.5 mA</b>"));
        QCOMPARE(popUp.getPopupText(), QStringLiteral("<b>1.5 mA</b>"));
        popUp.setTextColor(QStringLiteral("#000000"));
        QCOMPARE(popUp.labelStyleSheet(),
                 QStringLiteral("QLabel { color : #000000;margin-top: 6px;margin-bottom: 6px;margin-left: 10px;margin-right: 10px; }"));
        QCOMPARE(popUp.findChild<QLabel*>()->styleSheet(), popUp.labelStyleSheet());
    }

    void marqueeLoading_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("count");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("not JSON") << QByteArray("{\"messages\": [") << false << 1 << QColor();
        QTest::newRow("no array") << QByteArray("{\"other\": 1}") << true << 1 << QColor();
        QTest::newRow("empty array") << QByteArray("{\"messages\": []}") << true << 1 << QColor();
        QTest::newRow("bare hex colour") << QByteArray("{\"messages\": [{\"message\": \"b\", \"textcolor\": \"dddd00\"}]}")
                                         << true << 2 << QColor(0xdd, 0xdd, 0x00);
        QTest::newRow("hash colour") << QByteArray("{\"messages\": [{\"message\": \"b\", \"textcolor\": \"#102030\"}]}")
                                     << true << 2 << QColor(0x10, 0x20, 0x30);
        QTest::newRow("no colour") << QByteArray("{\"messages\": [{\"message\": \"b\", \"textcolor\": \"nocolour\"}]}")
                                   << true << 2 << QColor(Qt::transparent);
    }
    void marqueeLoading()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, result);
        QFETCH(int, count);
        QFETCH(QColor, colour);
        MarqueeLabel label;
        QVERIFY(label.load("{\"messages\": [{\"message\": \"a\", \"linkto\": \"x\", \"speed\": 3, \"timeoutafter\": 2}]}"));
        QCOMPARE(label.load(json), result);
        QCOMPARE(label.messages.size(), count);
        const MarqueeMessage& first = label.messages.first();
        QCOMPARE(first.message, QStringLiteral("a"));
        QCOMPARE(first.link, QStringLiteral("x"));
        QCOMPARE(first.speed, 3);
        QCOMPARE(first.timeoutAfter, 2);
        QCOMPARE(label.text(), QStringLiteral("a")); // starts again from the first
        QCOMPARE(label.isScrolling(), true);
        if (count > 1) {
            QCOMPARE(label.messages.last().textColor, colour);
            QCOMPARE(label.messages.last().speed, 1);
        }
    }

    void marqueeCyclesAndSurvivesEmptying()
    {
        QWidget host;
        MarqueeLabel label(&host);
        label.setGeometry(0, 0, 100, 20);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QVERIFY(label.load("{\"messages\": [{\"message\": \"first\", \"speed\": 20, \"linkto\": \"L1\"},"
                           "{\"message\": \"second\", \"speed\": 20}]}"));
        QCOMPARE(label.position(), 100);
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
        QSignalSpy clicks(&label, &MarqueeLabel::clicked);
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.first().first().toString(), QStringLiteral("L1"));

        const int textWidth = label.fontMetrics().horizontalAdvance(QStringLiteral("first"));
        QCOMPARE(runPass(label), (100 + textWidth + 19) / 20);
        QVERIFY(!label.isScrolling());
        QTest::mouseClick(&label, Qt::LeftButton); // nothing while paused
        QCOMPARE(clicks.size(), 1);
        // Stopped during the pause, the line stands; started again, it goes on.
        label.stop();
        QCoreApplication::processEvents();
        QCOMPARE(label.currentIndex(), 0);
        label.start();
        QCOMPARE(label.currentIndex(), 1);
        QVERIFY(label.isScrolling());
        QCOMPARE(label.text(), QStringLiteral("second"));
        QCOMPARE(label.cursor().shape(), Qt::ArrowCursor);
        runPass(label);
        QTRY_COMPARE_WITH_TIMEOUT(label.currentIndex(), 0, 30000); // the loop starts again
        QCOMPARE(label.text(), QStringLiteral("first"));

        // The list emptied from outside during a pause: the next step stops, it does not
        // read past the end.
        runPass(label);
        label.messages.clear();
        QCoreApplication::processEvents();
        QVERIFY(!label.isScrolling());
        label.start();
        label.repaint(); // a plain label now
        QCOMPARE(label.text(), QStringLiteral("first"));
    }

    void clearedBannerScrollsAgain()
    {
        MarqueeLabel banner;
        QVERIFY(banner.load(overCurrentBannerJson()));
        const MarqueeMessage& message = banner.messages.first();
        QCOMPARE(message.message, QStringLiteral("     Attention! The current has exceeded 1A.     "));
        QCOMPARE(message.speed, 2);
        QCOMPARE(message.textColor, QColor(0xdd, 0xdd, 0x00));
        banner.start();
        banner.clear();
        banner.stop();
        QVERIFY(!banner.isScrolling());
        QVERIFY(banner.messages.isEmpty());
        QVERIFY(banner.load(overCurrentBannerJson()));
        banner.start();
        QVERIFY(banner.isScrolling());
        QVERIFY(banner.isVisible());
    }
};

QTEST_MAIN(TestNotifications)
#include "tst_notifications.moc"
