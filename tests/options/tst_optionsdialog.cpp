// The options dialog with an isolated settings file: what opening it does and does not do,
// the colour themes and kinds, and the supply's settings page against the simulated
// supply (reading and filling the settings report, the writes, the close check, JSON).

#include "../hid/HidTestSupport.h"
#include "../update/UpdateServer.h"

#include "ColorChooser.h"
#include "ColorsAgent.h"
#include "DeviceInfo.h"
#include "Downloader.h"
#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "OptionsDialog.h"
#include "PowerDisplay.h"
#include "Settings.h"
#include "SupplySettings.h"
#include "UpdateDialog.h"
#include "Updater.h"
#include "UnitFormat.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QGroupBox>
#include <QTranslator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace SupplySettings;

// Data bytes of a settings report: (data byte, value).
using SettingBytes = QList<QPair<int, int>>;

namespace {
template<typename T>
T* child(QObject* parent, const char* name)
{
    T* widget = parent->findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

void clearSettings()
{
    Settings settings;
    settings.clear();
    settings.sync();
}

// A supply settings report as the supply sends it.
PowerGetPacket settingsReport(const SettingBytes& dataBytes)
{
    PowerGetPacket report;
    for (const auto& [d, value] : dataBytes)
        setDataByte(report, d, quint8(value));
    return report;
}

// The message boxes shown, answered with one button.
struct Boxes
{
    explicit Boxes(int answer = QMessageBox::No)
    {
        setMessageBoxResponder([this, answer](QMessageBox& box) {
            texts << box.text();
            return answer;
        });
    }
    ~Boxes() { setMessageBoxResponder({}); }
    QStringList texts;
};
} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT

    HidDevice* hid = nullptr;
    int supply = -1;

    // The supply's answers as the main window hands them over: settings, then data.
    void exchange(OptionsDialog& dialog)
    {
        ReceivedReports received(hid);
        PowerGetPacket settingsRequest;
        hid->sendReport(settingsRequest);
        sim::advance(5);
        hid->hidRead();
        PowerDataPacket dataRequest;
        hid->sendReport(dataRequest);
        sim::advance(5);
        hid->hidRead();
        for (const QByteArray& r : received.reports) {
            const PowerPacket packet(r.constData(), int(r.size()));
            if (packet.byteAt(2) == PowerCode::Settings) {
                PowerGetPacket settings(packet);
                dialog.on_paketReceived(settings);
            } else if (packet.byteAt(2) == PowerCode::DeviceData) {
                PowerDataPacket data(packet);
                dialog.on_paketDataReceived(data);
            }
        }
    }

    QList<QByteArray> settingsWrites() const
    {
        QList<QByteArray> writes;
        for (const auto& w : sim::written(supply))
            if (w.size() > 2 && w[1] == 0x07 && w[3] == 0x0B)
                writes << bytes(w).mid(1); // the report id byte first, as on the wire
            else if (w.size() > 2 && w[0] == 0x07 && w[2] == 0x0B)
                writes << bytes(w);
        return writes;
    }

    void plugSupply(bool open = true)
    {
        hid = freshDevice();
        supply = sim::plug(sim::Kind::Supply);
        if (open)
            QVERIFY(hid->searchDevice(true));
        powerSupplyConnected = true;
    }

private slots:
    void init()
    {
        clearSettings();
        powerSupplyConnected = false;
        power600Model = false;
        timeFormatMode = 1;
    }
    void cleanup()
    {
        if (hid)
            hid->stop();
        powerSupplyConnected = false;
        power600Model = false;
        setColorChooserResponder({});
        setFileDialogResponder({});
    }

    void openingShowsDefaultsAndChangesNothing()
    {
        {
            OptionsDialog dialog(nullptr, nullptr);
            dialog.setLanguages({"English", "Українська"}, 1);
            QSignalSpy language(&dialog, &OptionsDialog::languageChanged);
            QSignalSpy time(&dialog, &OptionsDialog::timeFormatChanged);
            QSignalSpy theme(&dialog, &OptionsDialog::changeColorTheme);
            QSignalSpy autoFw(&dialog, &OptionsDialog::autoFWUpdatesChecked);
            dialog.show();
            QCoreApplication::processEvents();

            QVERIFY(child<QRadioButton>(&dialog, "radioButtonLight")->isChecked());
            QVERIFY(child<QRadioButton>(&dialog, "radioButtonSeconds")->isChecked());
            QVERIFY(child<QCheckBox>(&dialog, "checkAutoUpdateFirm")->isChecked());
            QVERIFY(child<QCheckBox>(&dialog, "checkAutoUpdateSoft")->isChecked());
            QCOMPARE(child<QLineEdit>(&dialog, "browseLine")->text(), QString("Choose file"));
            QVERIFY(!child<QPushButton>(&dialog, "btnUpdateFirm")->isEnabled());
            QCOMPARE(child<QComboBox>(&dialog, "comboBoxLanguages")->currentIndex(), 1);
            auto* tabs = child<QTabWidget>(&dialog, "tabWidget");
            QCOMPARE(tabs->currentIndex(), 0);
            QVERIFY(!tabs->isTabVisible(1));
            QVERIFY(child<QWidget>(&dialog, "labelFWVersionAvailable")->isHidden());
            QVERIFY(child<QWidget>(&dialog, "buttonSWDownload")->isHidden());

            QCOMPARE(language.count() + time.count() + theme.count() + autoFw.count(), 0);
            QVERIFY(!QFile::exists(Settings::filePath()));
        }
        // Closing stores the dialog's choices.
        Settings settings;
        QCOMPARE(settings.value("Options/dark-color").toBool(), false);
        QCOMPARE(settings.value("Update/auto-check-firm").toBool(), true);
        QVERIFY(settings.contains("Options/Light/channel_0"));
    }

    void storedChoicesAreShown()
    {
        {
            Settings settings;
            settings.setValue("Options/dark-color", true);
            settings.setValue("Options/native-time", true);
            settings.setValue("Update/auto-check-soft", false);
            settings.setValue("Update/has-new-fw", true);
            settings.setValue("Update/update-path-fw", "/nowhere/firmware.bin");
        }
        OptionsDialog dialog(nullptr, nullptr);
        dialog.show();
        QVERIFY(child<QRadioButton>(&dialog, "radioButtonDark")->isChecked());
        QVERIFY(child<QRadioButton>(&dialog, "radioButtonTime")->isChecked());
        QVERIFY(!child<QCheckBox>(&dialog, "checkAutoUpdateSoft")->isChecked());
        QVERIFY(!child<QWidget>(&dialog, "labelFWVersionAvailable")->isHidden());
        // A stored path enables flashing even when the file has gone.
        QVERIFY(child<QPushButton>(&dialog, "btnUpdateFirm")->isEnabled());
        QCOMPARE(child<QLineEdit>(&dialog, "browseLine")->text(), QString("/nowhere/firmware.bin"));
    }

    void timeFormatAndAutoChecks()
    {
        OptionsDialog dialog(nullptr, nullptr);
        QSignalSpy time(&dialog, &OptionsDialog::timeFormatChanged);
        QSignalSpy autoSw(&dialog, &OptionsDialog::autoSWUpdatesChecked);
        child<QRadioButton>(&dialog, "radioButtonTime")->setChecked(true);
        QCOMPARE(timeFormatMode, 2);
        QCOMPARE(time.count(), 1);
        child<QCheckBox>(&dialog, "checkAutoUpdateSoft")->setChecked(false);
        QCOMPARE(autoSw.count(), 1);
        QCOMPARE(autoSw.at(0).at(0).toBool(), false);
        QCOMPARE(Settings().value("Update/auto-check-soft").toBool(), false);

        dialog.on_newFWAvailable(false);
        dialog.show();
        QVERIFY(child<QWidget>(&dialog, "labelFWVersionAvailable")->isHidden());
        QVERIFY(!child<QWidget>(&dialog, "buttonFWDetails")->isHidden());
        // No answer named a firmware file: there is nothing to update from.
        QVERIFY(child<QWidget>(&dialog, "buttonFWUpdate")->isHidden());
        QCOMPARE(child<QPushButton>(&dialog, "btnCheckUpdateFirm")->text(), QString("Check"));
        child<QPushButton>(&dialog, "btnCheckUpdateSoft")->click();
        QCOMPARE(child<QPushButton>(&dialog, "btnCheckUpdateSoft")->text(), QString("Checking"));
    }

    void firmwarePaneNamesTheInstrument_data()
    {
        QTest::addColumn<quint32>("serial");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("serialText");
        QTest::newRow("analyzer") << quint32(500100123) << "talvo" << "500100123";
        QTest::newRow("short serial padded") << quint32(12345) << "other" << "000012345";
        QTest::newRow("another maker's prefix") << quint32(500300001) << "other" << "500300001";
    }
    void firmwarePaneNamesTheInstrument()
    {
        QFETCH(quint32, serial);
        QFETCH(QString, model);
        QFETCH(QString, serialText);
        DeviceInfo::resetInstance();
        DeviceInfo::instance().setBigEndian32(4, serial);
        DeviceInfo::instance().setByte(2, 105);
        OptionsDialog dialog(nullptr, nullptr);
        QCOMPARE(child<QLabel>(&dialog, "modelLabel")->text(), model);
        QCOMPARE(child<QLabel>(&dialog, "serialLabel")->text(), serialText);
        QCOMPARE(child<QLabel>(&dialog, "firmwareVersion")->text(), QString("2.05"));
        DeviceInfo::resetInstance();
    }

    void updatePaneAsksTheUpdatersDownloaders()
    {
        Updater updater(nullptr);
        OptionsDialog dialog(&updater, nullptr);
        Boxes boxes;
        child<QPushButton>(&dialog, "buttonFWDetails")->click();
        child<QPushButton>(&dialog, "buttonSWDetails")->click();
        // No answer named a file yet: nothing to hand to the browser.
        child<QPushButton>(&dialog, "buttonSWDownload")->click();
        QCOMPARE(boxes.texts, QStringList({updater.firmwareDownloader()->info(), updater.softwareDownloader()->info(),
                                           "File name is empty. Nothing to download."}));
    }

    // Only an answer that names a file to download offers the firmware "Update" button;
    // after any other the details say what the server gave.
    void firmwareUpdateIsOfferedOnlyWithALink_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("offered");
        QTest::newRow("garbage") << QByteArray("\x01\x02 not XML at all") << false;
        QTest::newRow("no link") << QByteArray("<UPDATE><VERSION>9.0.0</VERSION></UPDATE>") << false;
        QTest::newRow("link without a scheme") << QByteArray("<UPDATE><VERSION>9.0.0</VERSION><LINK>fw.bin</LINK></UPDATE>")
                                               << false;
        QTest::newRow("link to a file") << QByteArray("<UPDATE><VERSION>9.0.0</VERSION>"
                                                      "<LINK>http://127.0.0.1/files/fw.bin</LINK></UPDATE>")
                                        << true;
    }
    void firmwareUpdateIsOfferedOnlyWithALink()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, offered);
        UpdateServer server;
        server.setReply("/getfirmware", {200, "text/xml", body, UpdateServer::Mode::Answer});
        qputenv("TALVO_UPDATE_SERVER", server.base().toString().toUtf8());
        Settings().setValue("Update/auto-check-soft", false);
        Updater updater(nullptr);
        OptionsDialog dialog(&updater, nullptr);
        connect(&updater, &Updater::newFWAvailable, &dialog, &OptionsDialog::on_newFWAvailable);
        QSignalSpy answered(&updater, &Updater::newFWAvailable);
        if (body.startsWith('\x01'))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Wrong XML content: "));
        dialog.show();
        updater.on_checkUpdatesFW(QString());
        QVERIFY(answered.wait(30000));
        qunsetenv("TALVO_UPDATE_SERVER");
        QVERIFY(!child<QWidget>(&dialog, "buttonFWDetails")->isHidden());
        QCOMPARE(!child<QWidget>(&dialog, "buttonFWUpdate")->isHidden(), offered);
    }

    void softwareVersionSurvivesALanguageChange()
    {
        QCoreApplication::setApplicationVersion("2.3.4");
        OptionsDialog dialog(nullptr, nullptr);
        QCOMPARE(child<QLabel>(&dialog, "softwareVersion")->text(), QString("2.3.4"));
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&dialog, &change);
        QCOMPARE(child<QLabel>(&dialog, "softwareVersion")->text(), QString("2.3.4"));
    }

    void flashingFromAFileRunsTheUpdateDialog()
    {
        Settings().setValue("Update/update-path-fw", "/nowhere/firmware.bin");
        OptionsDialog dialog(nullptr, nullptr);
        QString shownFile;
        std::unique_ptr<QSignalSpy> updateGone;
        QTimer::singleShot(0, &dialog, [&] {
            auto* update = qobject_cast<UpdateDialog*>(QApplication::activeModalWidget());
            QVERIFY(update);
            shownFile = update->windowTitle();
            updateGone = std::make_unique<QSignalSpy>(update, &QObject::destroyed);
            update->close();
        });
        child<QPushButton>(&dialog, "btnUpdateFirm")->click();
        QVERIFY(!shownFile.isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
        // The finished dialog goes, and Qt's own watchers of it (a style sheet's) hear it go.
        QVERIFY(updateGone);
        QTRY_COMPARE_WITH_TIMEOUT(updateGone->count(), 1, 30000);
        // The cancelled chooser takes the path back and disables flashing.
        setFileDialogResponder([](const FileDialogRequest&) { return QStringList(); });
        child<QPushButton>(&dialog, "btnBrowse")->click();
        QVERIFY(!child<QPushButton>(&dialog, "btnUpdateFirm")->isEnabled());
        QCOMPARE(child<QLineEdit>(&dialog, "browseLine")->text(), QString("Choose file"));
    }

    void switchingTheThemeKeepsEachThemesColours()
    {
        {
            Settings settings;
            settings.setValue("Options/Dark/channel_0", "#112233");
        }
        OptionsDialog dialog(nullptr, nullptr);
        setColorChooserResponder([](const QColor&) { return QColor("#abcdef"); });
        child<QPushButton>(&dialog, "btnColor1")->click(); // a light-theme edit, not previewed
        QSignalSpy theme(&dialog, &OptionsDialog::changeColorTheme);
        QSignalSpy colors(&dialog, &OptionsDialog::changeColors);
        child<QRadioButton>(&dialog, "radioButtonDark")->setChecked(true);
        QCOMPARE(theme.count(), 1);
        QCOMPARE(theme.at(0).at(0).toBool(), true);
        QCOMPARE(colors.count(), 1);
        QVERIFY(child<QPushButton>(&dialog, "btnColor0")->styleSheet().contains("#112233"));
        // The theme left behind was saved with its edit.
        QCOMPARE(ColorsAgent(false).color(ColorsAgent::Chart, 1), QColor("#abcdef"));
    }

    void colourKinds_data()
    {
        QTest::addColumn<QString>("applyTo");
        QTest::addColumn<QList<bool>>("changed"); // chart, report, mouse hint
        QTest::newRow("All") << "radioButtonAll" << QList<bool>{true, true, true};
        QTest::newRow("Chart") << "radioButtonChart" << QList<bool>{true, false, false};
        QTest::newRow("Report") << "radioButtonReport" << QList<bool>{false, true, false};
        QTest::newRow("Mouse hint") << "radioButtonMouse" << QList<bool>{false, false, true};
    }
    void colourKinds()
    {
        QFETCH(QString, applyTo);
        QFETCH(QList<bool>, changed);
        const ColorsAgent before(false);
        const QColor chosen("#abcdef");
        OptionsDialog dialog(nullptr, nullptr);
        child<QRadioButton>(&dialog, qPrintable(applyTo))->setChecked(true);
        setColorChooserResponder([&](const QColor&) { return chosen; });
        child<QPushButton>(&dialog, "btnColor2")->click();
        QVERIFY(child<QPushButton>(&dialog, "btnColor2")->styleSheet().contains(chosen.name()));
        QSignalSpy colors(&dialog, &OptionsDialog::changeColors);
        child<QPushButton>(&dialog, "btnPreview")->click();
        QCOMPARE(colors.count(), 1);
        ColorsAgent after(false);
        for (int kind = 0; kind < 3; ++kind) {
            QCOMPARE(after.color(kind, 2) == chosen, changed.at(kind));
            QCOMPARE(after.color(kind, 1), const_cast<ColorsAgent&>(before).color(kind, 1));
        }
        // A cancelled chooser changes nothing.
        setColorChooserResponder([](const QColor&) { return QColor(); });
        child<QPushButton>(&dialog, "btnColorBkg")->click();
        QCOMPARE(ColorsAgent(false).background(), const_cast<ColorsAgent&>(before).background());
    }

    void devicePageIsShownOnlyForAnOpenSupply_data()
    {
        QTest::addColumn<bool>("supplyMode");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("shown");
        QTest::newRow("analyzer") << false << true << false;
        QTest::newRow("supply, not open") << true << false << false;
        QTest::newRow("supply, open") << true << true << true;
    }
    void devicePageIsShownOnlyForAnOpenSupply()
    {
        QFETCH(bool, supplyMode);
        QFETCH(bool, open);
        QFETCH(bool, shown);
        plugSupply(open);
        powerSupplyConnected = supplyMode;
        OptionsDialog dialog(nullptr, nullptr);
        auto* tabs = child<QTabWidget>(&dialog, "tabWidget");
        QCOMPARE(tabs->isTabVisible(1), shown);
        QCOMPARE(tabs->currentIndex(), shown ? 1 : 0);
        QCOMPARE(dialog.deviceSettingsShown(), shown);
        dialog.show();
        QCOMPARE(child<QWidget>(&dialog, "groupBoxColors")->isVisible(), !supplyMode);
        if (shown) {
            // Nothing may be written before the supply has said what it holds.
            for (const char* name : {"pushButtonApply_2", "pushButtonSave_2", "pushButtonSync_2", "pushButtonDefaults_2"})
                QVERIFY(!child<QPushButton>(&dialog, name)->isEnabled());
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(dialog.currentSettings().constData()), 64), QByteArray(64, '\0'));
        }
    }

    void fillAndReadRoundTrip_data()
    {
        QTest::addColumn<SettingBytes>("data");
        QTest::addColumn<bool>("power600");
        QTest::addColumn<bool>("fahrenheitBox");
        QTest::addColumn<double>("amperes");
        QTest::newRow("every bit, Celsius") << SettingBytes{{0, 0x1F}, {1, 0x0F}, {2, 0x1F}, {3, 25}, {4, 200}, {6, 23}, {7, 59},
                                                     {8, 0}, {9, 1}, {10, 3}, {19, 255}, {20, 1}, {21, 2}, {22, 13},
                                                     {23, 3}, {24, 4}, {25, 10}, {26, 14}, {27, 15}, {28, 16},
                                                     {29, 11}, {30, 12}, {31, 0}}
                                            << false << false << 2.5;
        QTest::newRow("nothing set, Fahrenheit") << SettingBytes{{19, 1}} << false << true << 0.0;
        QTest::newRow("25.5 A, classic watch") << SettingBytes{{1, 0x01}, {3, 255}, {19, 5}} << false << true << 25.5;
        QTest::newRow("second model trim") << SettingBytes{{1, 0x04}, {3, 1}, {19, 5}, {32, 128}} << true << false << 0.1;
    }
    void fillAndReadRoundTrip()
    {
        QFETCH(SettingBytes, data);
        QFETCH(bool, power600);
        QFETCH(bool, fahrenheitBox);
        QFETCH(double, amperes);
        plugSupply();
        power600Model = power600;
        OptionsDialog dialog(nullptr, nullptr);
        PowerGetPacket received = settingsReport(data);
        dialog.on_paketReceived(received);
        PowerDataPacket noData;
        dialog.on_paketDataReceived(noData);

        QCOMPARE(child<QCheckBox>(&dialog, "checkBoxF_2")->isChecked(), fahrenheitBox);
        QCOMPARE(child<QDoubleSpinBox>(&dialog, "doubleSpinBoxAmpers_2")->value(), amperes);
        QCOMPARE(child<QSpinBox>(&dialog, "spinBoxTune12")->value(), power600 ? 128 : 0);
        QCOMPARE(child<PowerDisplay>(&dialog, "labelShowAux_2")->cells,
                 pageCells(received, Aux));
        // The previews show temperatures the way the supply does.
        QCOMPARE(dialog.supplyData().celsius, !fahrenheitBox);

        PowerGetPacket read;
        dialog.readDeviceSettings(read);
        QCOMPARE(read.toByteArray().left(3), QByteArray::fromHex("07400a"));
        QCOMPARE(pageSettings(read, power600), pageSettings(received, power600));
        QCOMPARE(qint8(dataByte(read, UtcOffset)),
                 utcOffsetHours(QDateTime::currentDateTime().offsetFromUtc()));
        QCOMPARE(int(dataByte(read, Trim12V)), power600 ? 128 : 0);
        QCOMPARE(read.toByteArray().mid(3 + 33), QByteArray(64 - 36, '\0'));
    }

    // At the dialog's default size the supply's page needs no sideways scrolling, and every
    // group, label, button and preview text on it shows whole, in either language.
    void devicePageFits_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("power600");
        QTest::newRow("English") << "en" << false;
        QTest::newRow("Ukrainian") << "uk" << false;
        QTest::newRow("English, 12 V trim") << "en" << true;
        QTest::newRow("Ukrainian, 12 V trim") << "uk" << true;
    }
    void devicePageFits()
    {
        QFETCH(QString, language);
        QFETCH(bool, power600);
        QTranslator translator;
        QVERIFY(translator.load("QtLanguage_" + language, TALVO_BIN_DIR));
        QCoreApplication::installTranslator(&translator);
        plugSupply();
        power600Model = power600;
        OptionsDialog dialog(nullptr, nullptr);
        // The longest texts the previews show: dates, limits and the mains in every cell.
        PowerGetPacket settings = settingsReport({{FirstPage, 1}, {FirstPage + 1, 13}, {FirstPage + 2, 1},
                                                  {FirstPage + 3, 7}, {FirstPage + 4, 8}, {FirstPage + 5, 7},
                                                  {FirstPage + 6, 15}, {FirstPage + 7, 19}, {FirstPage + 8, 21},
                                                  {FirstPage + 9, 5}, {FirstPage + 10, 1}, {FirstPage + 11, 13}});
        dialog.on_paketReceived(settings);
        PowerDataPacket data;
        for (int offset = 3; offset < 64; ++offset)
            data.setByte(offset, 0xEE);
        data.setBigEndian32(24, quint32(QDateTime(QDate(2026, 12, 28), QTime(23, 58)).toSecsSinceEpoch()));
        dialog.on_paketDataReceived(data);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCoreApplication::processEvents();
        QCoreApplication::removeTranslator(&translator);

        QStringList clipped;
        auto* scroll = child<QScrollArea>(&dialog, "scrollArea");
        if (scroll->horizontalScrollBar()->isVisible())
            clipped << "horizontal scroll bar";
        const QRect viewport = scroll->viewport()->rect();
        for (QGroupBox* group : scroll->widget()->findChildren<QGroupBox*>()) {
            const QRect shown(group->mapTo(scroll->viewport(), QPoint(0, 0)), group->size());
            if (group->isVisible() && (shown.left() < viewport.left() || shown.right() > viewport.right()))
                clipped << group->objectName() + " cut at the side";
        }
        for (QWidget* widget : scroll->widget()->findChildren<QWidget*>()) {
            auto* label = qobject_cast<QLabel*>(widget);
            if ((!label && !qobject_cast<QAbstractButton*>(widget)) || !widget->isVisible()
                || qobject_cast<PowerDisplay*>(widget))
                continue;
            if (label && (label->wordWrap() || label->text().isEmpty()))
                continue;
            const int need = widget->minimumSizeHint().expandedTo(widget->sizeHint()).width();
            if (widget->width() < need)
                clipped << QString("%1 (%2 < %3)").arg(widget->objectName()).arg(widget->width()).arg(need);
        }
        for (PowerDisplay* preview : dialog.findChildren<PowerDisplay*>())
            if (!preview->textsFit())
                clipped << preview->objectName() + " text";
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(", ")));
    }

    void displayOptionsReachThePreviewsAndClocks()
    {
        plugSupply();
        OptionsDialog dialog(nullptr, nullptr);
        // The date format in use from the start, so the previews' date is never blank.
        QCOMPARE(dialog.supplyData().dateFormat, QString("dd/MM/yyyy"));
        child<QCheckBox>(&dialog, "checkBox24h_2")->click();
        QVERIFY(!dialog.supplyData().clock24h);
        QCOMPARE(child<QDateTimeEdit>(&dialog, "dateTimeEditSyncPC_2")->displayFormat(), QString("hh:mm ap dd/MM/yyyy"));
        QCOMPARE(child<QDateTimeEdit>(&dialog, "dateTimeEditOn_2")->displayFormat(), QString("hh:mm ap "));
        child<QComboBox>(&dialog, "comboBoxDateFormatPC_2")->setCurrentIndex(3);
        QCOMPARE(dialog.supplyData().dateFormat, QString("MM/dd/yyyy"));
        QCOMPARE(child<QDateTimeEdit>(&dialog, "dateTimeEditSyncDevice_2")->displayFormat(), QString("hh:mm ap MM/dd/yyyy"));
        child<QCheckBox>(&dialog, "checkBoxF_2")->click();
        QVERIFY(!dialog.supplyData().celsius);

        // A language change puts the form's texts back but keeps these choices.
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&dialog, &change);
        QCOMPARE(child<QDateTimeEdit>(&dialog, "dateTimeEditSyncPC_2")->displayFormat(), QString("hh:mm ap MM/dd/yyyy"));
        QCOMPARE(child<QCheckBox>(&dialog, "checkBoxF_2")->text(), QString("Temperature, %1F").arg(QChar(0x00B0)));
        QCOMPARE(child<QLineEdit>(&dialog, "browseLine")->text(), QString("Choose file"));
    }

    void writesReachTheSupplyWithOneFlagEach()
    {
        plugSupply();
        OptionsDialog dialog(nullptr, nullptr);
        exchange(dialog);
        QVERIFY(child<QPushButton>(&dialog, "pushButtonApply_2")->isEnabled());
        sim::clearWritten(supply);
        const QByteArray received = dialog.currentSettings().toByteArray();

        child<QPushButton>(&dialog, "pushButtonApply_2")->click();
        child<QPushButton>(&dialog, "pushButtonSave_2")->click();
        child<QPushButton>(&dialog, "pushButtonSync_2")->click();
        child<QPushButton>(&dialog, "pushButtonDefaults_2")->click();
        const QList<QByteArray> writes = settingsWrites();
        QCOMPARE(writes.size(), 4);
        const int flags[] = {Apply, Save, SetClock, RestoreDefaults};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(writes.at(i).left(3), QByteArray::fromHex("07400b"));
            QCOMPARE(int(quint8(writes.at(i).at(57))), flags[i]);
        }
        const quint32 clock = PowerPacket(writes.at(2).constData(), 64).bigEndian32(58);
        QVERIFY(qAbs(qint64(clock) - QDateTime::currentSecsSinceEpoch()) < 5);
        // Restore Defaults sends the settings as the supply last sent them.
        QCOMPARE(writes.at(3).mid(3, 54), received.mid(3, 54));
    }

    void writesToAGoneSupplyAreRefused()
    {
        plugSupply();
        OptionsDialog dialog(nullptr, nullptr);
        exchange(dialog);
        hid->stop();
        sim::clearWritten(supply);
        Boxes boxes;
        child<QPushButton>(&dialog, "pushButtonApply_2")->click();
        child<QPushButton>(&dialog, "pushButtonSave_2")->click();
        QCOMPARE(boxes.texts, QStringList({"Device disconnected", "Device disconnected"}));
        QVERIFY(sim::written(supply).empty());
    }

    void closeCheck_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<bool>("asked");
        QTest::newRow("no page") << "no page" << false << false;
        QTest::newRow("no reply") << "no reply" << false << false;
        QTest::newRow("unchanged") << "unchanged" << false << false;
        QTest::newRow("changed, close button") << "changed" << false << true;
        QTest::newRow("changed, Escape") << "changed" << true << true;
        QTest::newRow("unchanged after a save") << "saved" << false << false;
    }
    void closeCheck()
    {
        QFETCH(QString, state);
        QFETCH(bool, escape);
        QFETCH(bool, asked);
        plugSupply();
        if (state == "no page")
            powerSupplyConnected = false;
        OptionsDialog dialog(nullptr, nullptr);
        if (state != "no page" && state != "no reply")
            exchange(dialog);
        if (state == "changed" || state == "saved")
            child<QCheckBox>(&dialog, "checkBoxLongtouch_2")->click();
        if (state == "saved") {
            child<QPushButton>(&dialog, "pushButtonSave_2")->click();
            // The supply echoes the write; the main window asks for the settings again.
            exchange(dialog);
        }
        sim::clearWritten(supply);
        Boxes boxes(QMessageBox::Yes);
        dialog.show();
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(boxes.texts, asked ? QStringList{"Settings are not saved. Save now?"} : QStringList{});
        // Yes saves; nothing else is ever written on closing.
        const QList<QByteArray> writes = settingsWrites();
        QCOMPARE(writes.size(), asked ? 1 : 0);
        if (asked)
            QCOMPARE(int(quint8(writes.at(0).at(57))), int(Save));
        QVERIFY(sim::written(supply).size() == size_t(writes.size()));
    }

    // Values a widget cannot show: a page time of 0 s (the box starts at 1), hour 24 and
    // minute 60 (a time edit shows midnight), date format 4 (the list has four), parameter
    // ids the program does not know. The page keeps them as the supply sent them.
    void unshowableValues_data()
    {
        QTest::addColumn<SettingBytes>("unshowable");
        QTest::newRow("page time 0") << SettingBytes{{PageSeconds, 0}};
        QTest::newRow("switch-on hour 24") << SettingBytes{{OnHour, 24}, {OnMinute, 15}};
        QTest::newRow("switch-off minute 60") << SettingBytes{{OffHour, 22}, {OffMinute, 60}};
        QTest::newRow("date format 4") << SettingBytes{{DateFormat, 4}};
        QTest::newRow("TOTAL ids 255") << SettingBytes{{FirstPage, 255}, {FirstPage + 1, 255}, {FirstPage + 2, 255}};
        QTest::newRow("POWER ids 22") << SettingBytes{{FirstPage + 3, 22}, {FirstPage + 4, 3}, {FirstPage + 5, 200}};
        QTest::newRow("AUX ids 255") << SettingBytes{{FirstPage + 6, 255}, {FirstPage + 7, 255}, {FirstPage + 8, 255}};
        QTest::newRow("SITE ids 255") << SettingBytes{{FirstPage + 9, 255}, {FirstPage + 10, 255}, {FirstPage + 11, 255}};
    }
    void unshowableValues()
    {
        QFETCH(SettingBytes, unshowable);
        plugSupply();
        SettingBytes data{{PowerBits, 0x08}, {DisplayBits, 0x0F}, {ScreenBits, 0x1F}, {OffCurrent, 12}, {OffDelay, 3},
                          {OnHour, 6}, {OnMinute, 30}, {OffHour, 23}, {OffMinute, 5}, {DateFormat, 2},
                          {PageSeconds, 7}, {FirstPage, 1}, {FirstPage + 3, 3}, {FirstPage + 6, 14}, {FirstPage + 9, 13}};
        data += unshowable;
        const PowerGetPacket sent = settingsReport(data);
        auto open = [&](OptionsDialog& dialog) {
            PowerGetPacket received = sent;
            dialog.on_paketReceived(received);
            PowerDataPacket noData;
            dialog.on_paketDataReceived(noData);
        };
        auto writtenPage = [&] {
            const QList<QByteArray> writes = settingsWrites();
            return writes.size() == 1 ? pageSettings(PowerGetPacket(PowerPacket(writes.at(0).constData(), 64)), false)
                                      : QByteArray();
        };

        // Opened and closed: nothing asked, nothing written.
        {
            OptionsDialog dialog(nullptr, nullptr);
            open(dialog);
            sim::clearWritten(supply);
            Boxes boxes(QMessageBox::Yes);
            dialog.show();
            dialog.close();
            QCOMPARE(boxes.texts, QStringList{});
            QVERIFY(sim::written(supply).empty());
        }

        OptionsDialog dialog(nullptr, nullptr);
        open(dialog);
        // Export, import of that file, export again: the same bytes each time.
        QTemporaryDir dir;
        const QString first = dir.filePath("first.json");
        const QString second = dir.filePath("second.json");
        QString target = first;
        setFileDialogResponder([&](const FileDialogRequest&) { return QStringList{target}; });
        child<QPushButton>(&dialog, "pushButtonExport_2")->click();
        auto fileText = [](const QString& name) {
            QFile file(name);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QCOMPARE(QJsonDocument::fromJson(fileText(first)).object(), toJson(sent));
        {
            Boxes boxes;
            child<QPushButton>(&dialog, "pushButtonImport_2")->click();
            QCOMPARE(boxes.texts, QStringList{});
        }
        QCOMPARE(pageSettings(dialog.currentSettings(), false), pageSettings(sent, false));
        target = second;
        child<QPushButton>(&dialog, "pushButtonExport_2")->click();
        QCOMPARE(fileText(second), fileText(first));

        // A change by the user is asked about, and Yes writes that change alone.
        child<QCheckBox>(&dialog, "checkBoxLongtouch_2")->click();
        sim::clearWritten(supply);
        Boxes boxes(QMessageBox::Yes);
        dialog.show();
        dialog.close();
        QCOMPARE(boxes.texts, QStringList{"Settings are not saved. Save now?"});
        PowerGetPacket expected = sent;
        setDataByte(expected, PowerBits, quint8(dataByte(sent, PowerBits) | LongTouch));
        QCOMPARE(writtenPage().mid(3), pageSettings(expected, false).mid(3));
    }

    void jsonFiles()
    {
        plugSupply();
        OptionsDialog dialog(nullptr, nullptr);
        exchange(dialog);
        QTemporaryDir dir;
        const QString file = dir.filePath("supply.json");
        setFileDialogResponder([&](const FileDialogRequest&) { return QStringList{file}; });
        child<QPushButton>(&dialog, "pushButtonExport_2")->click();
        QFile exported(file);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QJsonObject object = QJsonDocument::fromJson(exported.readAll()).object();
        QCOMPARE(object, settingsToJsonOf(dialog));
        QCOMPARE(Settings().value("Main/save-path").toString(), dir.path());
        // The file read back through the dialog gives the page's bytes; what a file does
        // not hold (the UTC offset, the 12 V trim) keeps the report's values.
        {
            PowerGetPacket page;
            dialog.readDeviceSettings(page);
            PowerGetPacket back = settingsReport({{UtcOffset, 0xFD}, {Trim12V, 0x5A}, {PowerBits, 0xFF}});
            QString error;
            QVERIFY2(OptionsDialog::settingsFromJson(back, object, &error), qPrintable(error));
            QCOMPARE(pageSettings(back, false), pageSettings(page, false));
            QCOMPARE(dataByte(back, UtcOffset), quint8(0xFD));
            QCOMPARE(dataByte(back, Trim12V), quint8(0x5A));
            // A value that does not fit its byte refuses the file and leaves the report.
            const QByteArray before = back.toByteArray();
            QVERIFY(!OptionsDialog::settingsFromJson(back, QJsonObject{{"site", QJsonArray{256}}}, &error));
            QVERIFY(!error.isEmpty());
            QCOMPARE(back.toByteArray(), before);
        }

        auto writeFile = [&](const QByteArray& text) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text);
        };
        // A good file fills the page and its previews, and nothing is sent.
        sim::clearWritten(supply);
        writeFile(R"({"auto_off_ampers": 42, "bitmap2": "1000", "total": [5, 6]})");
        child<QPushButton>(&dialog, "pushButtonImport_2")->click();
        QCOMPARE(child<QDoubleSpinBox>(&dialog, "doubleSpinBoxAmpers_2")->value(), 4.2);
        QVERIFY(child<QCheckBox>(&dialog, "checkBoxF_2")->isChecked());
        QCOMPARE(child<PowerDisplay>(&dialog, "labelShowTotal_2")->cells.mid(0, 2), QList<int>({5, 6}));
        QVERIFY(sim::written(supply).empty());

        // Refused files say so and leave the page as it was.
        const QByteArray before = dialog.currentSettings().toByteArray();
        for (const QByteArray& text : {QByteArray("[1, 2]"), QByteArray("{\"site\": [256]}"), QByteArray("{oops")}) {
            writeFile(text);
            Boxes boxes;
            child<QPushButton>(&dialog, "pushButtonImport_2")->click();
            QCOMPARE(boxes.texts.size(), 1);
            QCOMPARE(dialog.currentSettings().toByteArray(), before);
        }

        // An export that cannot be written says so.
        const QString unwritable = dir.filePath("missing/folder/supply.json");
        setFileDialogResponder([&](const FileDialogRequest&) { return QStringList{unwritable}; });
        Boxes boxes;
        child<QPushButton>(&dialog, "pushButtonExport_2")->click();
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY(!QFile::exists(unwritable));
    }

private:
    static QJsonObject settingsToJsonOf(OptionsDialog& dialog)
    {
        PowerGetPacket read;
        dialog.readDeviceSettings(read);
        return OptionsDialog::settingsToJson(read);
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
