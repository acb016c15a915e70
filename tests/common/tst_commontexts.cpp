#include "MessageBoxes.h"
#include "ProgressDialog.h"
#include "UnitFormat.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {
using BoxHelper = int (*)(QWidget*, const QString&, const QString&, QMessageBox::StandardButtons,
                          QMessageBox::StandardButton);

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QImage icon;
    QStringList buttonTexts;
};

// Answers the next box with `answer` and records what it showed.
SeenBox answerBox(BoxHelper helper, QMessageBox::StandardButtons buttons,
                  QMessageBox::StandardButton defaultButton, int answer, int* result)
{
    SeenBox seen;
    setMessageBoxResponder([&](QMessageBox& box) {
        seen.title = box.windowTitle();
        seen.text = box.text();
        seen.buttons = box.standardButtons();
        seen.defaultButton = box.defaultButton() ? box.standardButton(box.defaultButton()) : QMessageBox::NoButton;
        seen.icon = box.iconPixmap().toImage();
        for (QAbstractButton* button : box.buttons())
            seen.buttonTexts << button->text();
        return answer;
    });
    *result = helper(nullptr, QStringLiteral("Title"), QStringLiteral("Question?"), buttons, defaultButton);
    setMessageBoxResponder(nullptr);
    return seen;
}
} // namespace

Q_DECLARE_METATYPE(BoxHelper)

class TestCommonTexts : public QObject
{
    Q_OBJECT
private slots:
    void messageBoxes_data()
    {
        QTest::addColumn<BoxHelper>("helper");
        QTest::addColumn<QString>("iconFile");
        QTest::newRow("alert") << BoxHelper(alertBox) << ":/res/alert.png";
        QTest::newRow("information") << BoxHelper(informationBox) << ":/res/information.png";
        QTest::newRow("warning") << BoxHelper(warningBox) << ":/res/warning.png";
    }
    void messageBoxes()
    {
        QFETCH(BoxHelper, helper);
        QFETCH(QString, iconFile);
        int result = 0;
        const SeenBox seen = answerBox(helper, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                       QMessageBox::No, QMessageBox::Cancel, &result);
        QCOMPARE(result, int(QMessageBox::Cancel));
        QCOMPARE(seen.title, QStringLiteral("Title"));
        QCOMPARE(seen.text, QStringLiteral("Question?"));
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(seen.defaultButton, QMessageBox::No);
        QCOMPARE(seen.icon.size(), QSize(32, 32));
        constexpr QImage::Format format = QImage::Format_ARGB32_Premultiplied;
        const QImage own = QImage(iconFile).convertToFormat(format).scaled(32, 32, Qt::KeepAspectRatio,
                                                                          Qt::SmoothTransformation);
        QVERIFY2(!own.isNull(), qPrintable(iconFile));
        QCOMPARE(seen.icon.convertToFormat(format), own);
        // Untranslated, the buttons read as Qt labels them.
        QVERIFY(seen.buttonTexts.contains(QStringLiteral("&Yes")));
        QVERIFY(seen.buttonTexts.contains(QStringLiteral("Cancel")));
    }

    // Every text of the common services shows in Ukrainian once the program's
    // Ukrainian translation is installed.
    void ukrainianTexts()
    {
        QTranslator translator;
        QVERIFY2(translator.load(QStringLiteral("QtLanguage_uk"), QStringLiteral(TALVO_BIN_DIR)),
                 "QtLanguage_uk.qm is built next to the programs");
        QCoreApplication::installTranslator(&translator);

        int result = 0;
        const SeenBox yesNo = answerBox(warningBox, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                        QMessageBox::Yes, QMessageBox::Yes, &result);
        QCOMPARE(QSet<QString>(yesNo.buttonTexts.begin(), yesNo.buttonTexts.end()),
                 (QSet<QString>{QString::fromUtf8("&Так"), QString::fromUtf8("&Ні"),
                                QString::fromUtf8("Скасувати")}));
        const SeenBox ok = answerBox(informationBox, QMessageBox::Ok, QMessageBox::NoButton,
                                     QMessageBox::Ok, &result);
        QCOMPARE(ok.buttonTexts, QStringList{QString::fromUtf8("Гаразд")});

        timeFormatMode = 1;
        QCOMPARE(secondsText(0.5, true, 2), QString::fromUtf8("500.0мс"));
        QCOMPARE(formatTime(2.0, true, 2), QString::fromUtf8("2.00с"));
        QCOMPARE(secondsText(0.00005, true, 2), QString::fromUtf8("50μс"));
        QCOMPARE(sampleRateText(1), QString::fromUtf8("(10.000 кГц)"));
        // Units keep the micro sign and the blank of a unit without prefix.
        QCOMPARE(QStringList({currentUnit(1), currentUnit(1000), currentUnit(1000000), voltageUnit(1), voltageUnit(1000)}),
                 QString::fromUtf8("μА|мА| А|мВ| В").split(QLatin1Char('|')));
        QList<QString> labels;
        QMap<int, QString> anchors;
        timeTickLabels(0.001, {0.0, 0.001}, labels, anchors, QStringLiteral("<"), 0.0);
        QCOMPARE(labels.value(1), QString::fromUtf8("+1мс"));

        ProgressDialog dialog(0, 10);
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&dialog, &change);
        auto* close = dialog.findChild<QPushButton*>(QStringLiteral("closeButton"));
        QVERIFY(close);
        QCOMPARE(close->text(), QString::fromUtf8("Закрити"));

        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(secondsText(0.5, true, 2), QStringLiteral("500.0ms"));
        QCOMPARE(QStringList({currentUnit(1), currentUnit(1000), currentUnit(1000000), voltageUnit(1), voltageUnit(1000)}),
                 QString::fromUtf8("μA|mA| A|mV| V").split(QLatin1Char('|')));
    }
};

QTEST_MAIN(TestCommonTexts)
#include "tst_commontexts.moc"
