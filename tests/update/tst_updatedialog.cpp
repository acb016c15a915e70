// The firmware update dialog: images downloaded from a loopback server or read from a
// file, checked against the instrument on the simulated bus and flashed into its
// simulated bootloader.

#include "Downloader.h"
#include "HidTestSupport.h"
#include "MessageBoxes.h"
#include "UpdateDialog.h"
#include "UpdateServer.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(UpdateServer::Reply)
Q_DECLARE_METATYPE(UpdateServer::Mode)

namespace {

QByteArray firmwareImage(quint32 magic, int payload)
{
    QByteArray bytes(512 + payload, '\0');
    qToLittleEndian(magic, bytes.data());
    for (int i = 512; i < bytes.size(); ++i)
        bytes[i] = char((i * 13 + 5) & 0xFF);
    return bytes;
}

QByteArray flashed()
{
    return bytes(sim::flashedImage());
}

} // namespace

class TestUpdateDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<UpdateServer> server;
    std::unique_ptr<Downloader> downloader;
    HidDevice* hid = nullptr;
    QStringList boxes;

    // The firmware downloader after a check whose answer links to /files/fw.bin.
    void answerCheck(const UpdateServer::Reply& file)
    {
        UpdateServer::Reply info;
        info.body = "<UPDATE><VERSION>1.6.0</VERSION><LINK>" + server->base().toString().toUtf8()
                    + "/files/fw.bin</LINK></UPDATE>";
        server->setReply("/getfirmware", info);
        server->setReply("/files/fw.bin", file);
        QSignalSpy answered(downloader.get(), &Downloader::downloadInfoComplete);
        QCOMPARE(downloader->downloadInfo(server->base().resolved(QUrl("/getfirmware"))), 0);
        QVERIFY(answered.wait(30000));
    }

    static QString status(UpdateDialog& dialog) { return dialog.findChild<QLabel*>("statusLabel")->text(); }
    static int bar(UpdateDialog& dialog) { return dialog.findChild<QProgressBar*>("progressBar")->value(); }

private slots:
    void init()
    {
        server = std::make_unique<UpdateServer>();
        downloader = std::make_unique<Downloader>();
        hid = freshDevice();
        firmwareUpdateActive = false;
        boxes.clear();
        setMessageBoxResponder([this](QMessageBox& box) {
            boxes << box.windowTitle() + ": " + box.text();
            return int(QMessageBox::Ok);
        });
    }
    void cleanup()
    {
        setMessageBoxResponder(nullptr);
        hid->stop();
        delete hid;
        downloader.reset();
        server.reset();
    }

    void downloadedImageIsFlashed_data()
    {
        QTest::addColumn<UpdateServer::Mode>("mode");
        QTest::newRow("at once") << UpdateServer::Mode::Answer;
        // Each piece comes well within the stall time, the whole takes longer than it.
        QTest::newRow("slowly") << UpdateServer::Mode::Slow;
    }
    void downloadedImageIsFlashed()
    {
        QFETCH(UpdateServer::Mode, mode);
        sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        const QByteArray image = firmwareImage(0xA9BACBDC, 1000);
        answerCheck({200, "application/octet-stream", image, mode});
        // Only the slow reply needs a stall time shorter than its whole (two thirds of it,
        // still many times the time between its pieces); a reply that comes at once keeps
        // the stall time a busy machine may need to deliver it.
        if (mode == UpdateServer::Mode::Slow)
            downloader->setTimeout(UpdateServer::slowPieceMs * UpdateServer::slowPieces * 2 / 3);
        QSignalSpy percent(hid, &HidDevice::updatePercentChanged);

        UpdateDialog dialog(downloader.get(), true, nullptr);
        QVERIFY(!dialog.findChild<QPushButton*>("updateBtn")->isVisibleTo(&dialog));
        QCOMPARE(status(dialog), QString("Downloading, please wait..."));
        QSignalSpy downloaded(downloader.get(), &Downloader::downloadFileComplete);
        QVERIFY(downloaded.wait(30000));

        // The status line says why when nothing was flashed.
        QCOMPARE(status(dialog), QString("Successfully updated"));
        QCOMPARE(flashed(), image.mid(512));
        QCOMPARE(bar(dialog), 100);
        QVERIFY(percent.count() > 3);
        QCOMPARE(percent.last().at(0).toInt(), 100);
        QVERIFY(!firmwareUpdateActive);
        QVERIFY(boxes.isEmpty());
    }

    void badDownloadsAreNotFlashed_data()
    {
        QTest::addColumn<UpdateServer::Reply>("file");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("box");

        const QByteArray good = firmwareImage(0xA9BACBDC, 1000);
        QTest::newRow("truncated") << UpdateServer::Reply{200, "application/octet-stream", good,
                                                          UpdateServer::Mode::Truncated}
                                   << "" << "";
        QTest::newRow("stalled") << UpdateServer::Reply{200, "application/octet-stream", good,
                                                        UpdateServer::Mode::Silent}
                                 << "The update server stopped answering." << "";
        QTest::newRow("web page") << UpdateServer::Reply{200, "text/html", "<html><body>No file</body></html>",
                                                         UpdateServer::Mode::Answer}
                                  << "Server does not have firmware file." << "";
        QTest::newRow("not found") << UpdateServer::Reply{404, "text/plain", "gone", UpdateServer::Mode::Answer}
                                   << "" << "";
        QTest::newRow("header only") << UpdateServer::Reply{200, "application/octet-stream",
                                                            firmwareImage(0xA9BACBDC, 0), UpdateServer::Mode::Answer}
                                     << "Firmware file too short." << "";
        QTest::newRow("image of a supply") << UpdateServer::Reply{200, "application/octet-stream",
                                                                  firmwareImage(0x20230710, 1000),
                                                                  UpdateServer::Mode::Answer}
                                           << "Downloading, please wait..."
                                           << "Warning: Firmware file has wrong format";
    }
    void badDownloadsAreNotFlashed()
    {
        QFETCH(UpdateServer::Reply, file);
        QFETCH(QString, shown);
        QFETCH(QString, box);
        const int analyzer = sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        answerCheck(file);
        // Only the silent server is to time out; every other reply keeps the stall time a
        // busy machine needs to deliver it.
        if (file.mode == UpdateServer::Mode::Silent)
            downloader->setTimeout(300);
        sim::clearWritten(analyzer);

        UpdateDialog dialog(downloader.get(), true, nullptr);
        QSignalSpy downloaded(downloader.get(), &Downloader::downloadFileComplete);
        QVERIFY(downloaded.wait(30000));

        QVERIFY(sim::bootloaderCommands().empty());
        QVERIFY(sim::written(analyzer).empty());
        QVERIFY(hid->isOpen());
        QVERIFY(!firmwareUpdateActive);
        QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList{box});
        if (shown.isEmpty())
            QVERIFY(!status(dialog).isEmpty() && status(dialog) != "Downloading, please wait...");
        else
            QCOMPARE(status(dialog), shown);
    }

    void fileIsCheckedAgainstTheInstrument_data()
    {
        QTest::addColumn<QString>("instrument");
        QTest::addColumn<bool>("supplyLogLoaded");
        QTest::addColumn<quint32>("magic");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("box");

        QTest::newRow("analyzer image, analyzer") << "analyzer" << false << 0xA9BACBDCu << "Successfully updated"
                                                  << "";
        QTest::newRow("analyzer image, supply log open")
            << "analyzer" << true << 0xA9BACBDCu << "Successfully updated" << "";
        QTest::newRow("analyzer image, supply") << "supply" << false << 0xA9BACBDCu << ""
                                                << "Warning: Firmware file has wrong format";
        QTest::newRow("supply image, supply") << "supply" << false << 0x20230710u << "Successfully updated" << "";
        QTest::newRow("analyzer image, its bootloader") << "bootloader" << false << 0xA9BACBDCu
                                                        << "Successfully updated" << "";
        QTest::newRow("no instrument") << "none" << false << 0xA9BACBDCu << "No instrument is connected." << "";
        QTest::newRow("missing file") << "analyzer" << false << 0u << "Can't read firmware file" << "";
    }
    void fileIsCheckedAgainstTheInstrument()
    {
        QFETCH(QString, instrument);
        QFETCH(bool, supplyLogLoaded);
        QFETCH(quint32, magic);
        QFETCH(QString, shown);
        QFETCH(QString, box);
        if (instrument != "none")
            sim::plug(instrument == "analyzer" ? sim::Kind::Analyzer
                      : instrument == "supply" ? sim::Kind::Supply
                                               : sim::Kind::Bootloader);
        hid->checkTimerTick();
        powerSupplyConnected = instrument == "supply" || supplyLogLoaded;
        QTemporaryDir dir;
        const QString path = dir.filePath("fw.bin");
        const QByteArray image = firmwareImage(magic, 200);
        if (magic != 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(image);
        }

        UpdateDialog dialog(path, true, nullptr);
        QCOMPARE(status(dialog), QString());
        QTRY_VERIFY_WITH_TIMEOUT(!status(dialog).isEmpty() || !boxes.isEmpty(), 30000);

        QCOMPARE(status(dialog), shown);
        QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(flashed(), shown == "Successfully updated" ? image.mid(512) : QByteArray());
    }

    // An answer without a file to download never reaches the network: the dialog says so
    // in the program's words, not the network's ("Protocol "" is unknown").
    void answersWithoutAFileAreNotDownloaded_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("garbage") << QByteArray("\x01\x02 not XML at all");
        QTest::newRow("no link") << QByteArray("<UPDATE><VERSION>1.6.0</VERSION></UPDATE>");
        QTest::newRow("empty link") << QByteArray("<UPDATE><VERSION>1.6.0</VERSION><LINK></LINK></UPDATE>");
        QTest::newRow("link without a scheme") << QByteArray("<UPDATE><LINK>files/fw.bin</LINK></UPDATE>");
        QTest::newRow("link to another protocol") << QByteArray("<UPDATE><LINK>ftp://127.0.0.1/fw.bin</LINK></UPDATE>");
    }
    void answersWithoutAFileAreNotDownloaded()
    {
        QFETCH(QByteArray, body);
        sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        server->setReply("/getfirmware", {200, "text/xml", body, UpdateServer::Mode::Answer});
        if (body.startsWith('\x01'))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Wrong XML content: "));
        QSignalSpy answered(downloader.get(), &Downloader::downloadInfoComplete);
        QCOMPARE(downloader->downloadInfo(server->base().resolved(QUrl("/getfirmware"))), 0);
        QVERIFY(answered.wait(30000));
        QVERIFY(!downloader->hasFileLink());

        QSignalSpy downloaded(downloader.get(), &Downloader::downloadFileComplete);
        UpdateDialog dialog(downloader.get(), true, nullptr);
        QVERIFY(downloaded.wait(30000));
        QCOMPARE(status(dialog), QString("The update server gave no firmware to download."));
        QCOMPARE(server->requests.size(), 1);
        QVERIFY(sim::bootloaderCommands().empty());
        QVERIFY(boxes.isEmpty());
    }

    void closeWhileDownloading()
    {
        sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        answerCheck({200, "application/octet-stream", firmwareImage(0xA9BACBDC, 100), UpdateServer::Mode::Hold});
        auto dialog = std::make_unique<UpdateDialog>(downloader.get(), true, nullptr);
        dialog->show();
        QSignalSpy terminated(dialog.get(), &UpdateDialog::updateFirmwareTerminated);
        QTRY_COMPARE_WITH_TIMEOUT(server->requests.size(), 2, 30000);

        QTest::mouseClick(dialog->findChild<QPushButton*>("cancelBtn"), Qt::LeftButton);
        QCOMPARE(terminated.count(), 1);
        QVERIFY(!dialog->isVisible());

        QSignalSpy downloaded(downloader.get(), &Downloader::downloadFileComplete);
        server->release("/files/fw.bin");
        QVERIFY(downloaded.wait(30000));
        QVERIFY(sim::bootloaderCommands().empty());
    }
};

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
