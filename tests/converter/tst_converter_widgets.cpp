#include "BusyIndicator.h"
#include "ClickableLabel.h"
#include "LengthValidator.h"
#include "SettingsDialog.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestConverterWidgets : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion(QStringLiteral("2.0.5")); }

    void lengthValidator_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("state");
        QTest::newRow("-1") << "-1" << int(QValidator::Acceptable);
        QTest::newRow("0") << "0" << int(QValidator::Acceptable);
        QTest::newRow("top") << "10000000" << int(QValidator::Acceptable);
        QTest::newRow("empty") << "" << int(QValidator::Intermediate);
        QTest::newRow("lone minus") << "-" << int(QValidator::Intermediate);
        QTest::newRow("-2") << "-2" << int(QValidator::Invalid);
        QTest::newRow("-5") << "-5" << int(QValidator::Invalid);
        QTest::newRow("above top") << "20000000" << int(QValidator::Invalid);
        QTest::newRow("letters") << "1a" << int(QValidator::Invalid);
    }
    void lengthValidator()
    {
        QFETCH(QString, input);
        QFETCH(int, state);
        LengthValidator validator(-1, 10000000);
        int position = int(input.size());
        QCOMPARE(int(validator.validate(input, position)), state);
    }

    void clickableLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::newRow("finished output") << "<font color='green'>/tmp/a.csv</font>" << int(Qt::PointingHandCursor);
        QTest::newRow("failure") << "<font color='red'>Oops</font>" << int(Qt::ArrowCursor);
        QTest::newRow("cancel") << "<font color='blue'>Canceled.</font>" << int(Qt::ArrowCursor);
    }
    void clickableLabel()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        ClickableLabel label;
        label.setText(text);
        label.show();
        QString clickedText;
        connect(&label, &ClickableLabel::clicked, this, [&](QString& t) { clickedText = t; });
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(&label, &enter);
        QCOMPARE(int(label.cursor().shape()), cursor);
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(clickedText, text);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&label, &leave);
        QCOMPARE(label.cursor().shape(), Qt::ArrowCursor);
    }

    void busyIndicator()
    {
        BusyIndicator busy;
        busy.resize(busy.sizeHint());
        QCOMPARE(busy.sizeHint(), QSize(20, 20));
        QCOMPARE(busy.heightForWidth(33), 33);
        auto painted = [&busy] {
            QImage image(busy.size(), QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            busy.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
            int coloured = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    coloured += qAlpha(image.pixel(x, y)) > 0;
            return coloured;
        };
        QCOMPARE(painted(), 0); // stopped and not displayed when stopped
        busy.setDisplayedWhenStopped(true);
        QVERIFY(painted() > 20);

        busy.setAnimationDelay(5);
        QVERIFY(!busy.isAnimated()); // a stopped indicator only stores the delay
        QCOMPARE(busy.property("delay").toInt(), 5);
        busy.startAnimation();
        QVERIFY(busy.isAnimated());
        QTRY_VERIFY_WITH_TIMEOUT(busy.angle() >= 60, 30000);
        busy.setAnimationDelay(10);
        QVERIFY(busy.isAnimated());
        busy.stopAnimation();
        QVERIFY(!busy.isAnimated());

        QCOMPARE(capsuleGeometry(32).capsuleWidth, int(capsuleGeometry(32).capsuleHeight * 0.35));
        QCOMPARE(capsuleGeometry(33).capsuleWidth, int(capsuleGeometry(33).capsuleHeight * 0.23));
        QCOMPARE(capsuleGeometry(33).outerRadius, 16);
        QCOMPARE(capsuleGeometry(33).innerRadius, 6);
    }

    void settingsDialog()
    {
        SettingsDialog dialog;
        QSignalSpy changes(&dialog, &SettingsDialog::languageChanged);
        dialog.setLanguages({QStringLiteral("English"), QStringLiteral("Українська")}, 1);
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("comboBoxLanguages"));
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(changes.size(), 2); // filling the list and selecting the entry
        combo->setCurrentIndex(0);
        QCOMPARE(changes.last().first().toInt(), 0);

        auto* version = dialog.findChild<QLabel*>(QStringLiteral("label_VersionNumber"));
        auto* notice = dialog.findChild<QLabel*>(QStringLiteral("label_Copyright"));
        QVERIFY(version->text().startsWith(QStringLiteral("2.0.5 (")));
        QVERIFY(notice->text().contains(QChar(0x00A9)));
        QEvent languageChange(QEvent::LanguageChange);
        QApplication::sendEvent(&dialog, &languageChange);
        QVERIFY(version->text().startsWith(QStringLiteral("2.0.5 (")));
        QVERIFY(notice->text().contains(QChar(0x00A9)));
        QVERIFY(!notice->text().contains(QStringLiteral("%1")));

        QTimer::singleShot(0, &dialog, [&] { dialog.findChild<QPushButton*>(QStringLiteral("pushButtonClose"))->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(versionText(QStringLiteral("2.0.5"), "Mar  1 2024"), QStringLiteral("2.0.5 (Mar  1 2024)"));
    }
};

QTEST_MAIN(TestConverterWidgets)
#include "tst_converter_widgets.moc"
