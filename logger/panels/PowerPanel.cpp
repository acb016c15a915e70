#include "PowerPanel.h"
#include "ui_PowerPanel.h"

#include "ChannelInfo.h"
#include "LogRecord.h"
#include "LoggerState.h"
#include "PowerPackets.h"
#include "Settings.h"
#include "SupplyCommands.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QIcon>
#include <QTimer>

namespace {
const char* const fixedRates[] = {"10", "20", "50", "100", "200", "500", "1000"};

QPixmap ledPixmap(const QString& path)
{
    return QIcon(path).pixmap(32, 32).scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QString rateItemText(int rate)
{
    return QStringLiteral(" %1 %2").arg(rate).arg(QCoreApplication::translate("MainWindow", "Hz"));
}
} // namespace

PowerPanel::PowerPanel(QWidget* parent)
    : Panel(parent)
    , ui(new Ui::PowerPanel)
    , m_green(ledPixmap(QStringLiteral(":/res/bullet_ball_green.png")))
    , m_grey(ledPixmap(QStringLiteral(":/res/bullet_ball_grey.png")))
    , m_pollTimer(new QTimer(this))
{
    ui->setupUi(this);
    retranslate();
    const bool dark = Settings().value(QStringLiteral("Options/dark-color"), false).toBool();

    connect(ui->checkBoxCustom, &QCheckBox::stateChanged, this,
            [this](int state) { setRateMode(state == Qt::Checked); });
    connect(ui->listWidget, &QListWidget::itemChanged, this, &PowerPanel::limitChannels);
    connect(ui->btnStart, &QPushButton::clicked, this, &PowerPanel::startLog);
    connect(ui->btnStop, &QPushButton::clicked, this, &PowerPanel::stopLog);
    connect(ui->btnCheckPower, &QPushButton::clicked, this, &PowerPanel::pollPowerState);
    connect(m_pollTimer, &QTimer::timeout, this, &PowerPanel::pollPowerState);
    // A typed rate that the log cannot date exactly becomes the closest one it can.
    connect(ui->spinBoxSampleRate, &QSpinBox::editingFinished, this, [this] {
        ui->spinBoxSampleRate->setValue(nearestSupplyRate(ui->spinBoxSampleRate->value()));
    });

    m_pollTimer->setInterval(pollIntervalMs);
    on_changeColorTheme(dark);
    ui->btnCheckPower->setEnabled(false);
    ui->btnStart->setEnabled(false);
    ui->btnStop->setEnabled(true);
    ui->iconPWR->setPixmap(m_grey);
    QTimer::singleShot(500, this, [this] { m_pollTimer->start(); });
}

PowerPanel::~PowerPanel()
{
    delete ui;
}

void PowerPanel::retranslate()
{
    ui->retranslateUi(this);
    // The degree sign is not part of the translated text.
    ui->checkBoxTemperature->setText(QStringLiteral("\u00B0, ") + ui->checkBoxTemperature->text());
}

void PowerPanel::changeEvent(QEvent* event)
{
    Panel::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    retranslate();
    for (int i = 0; i < ui->comboBoxSampleRate->count(); ++i)
        ui->comboBoxSampleRate->setItemText(i, rateItemText(ui->comboBoxSampleRate->itemData(i).toInt()));
}

void PowerPanel::fillChannels()
{
    const QSignalBlocker blocker(ui->listWidget);
    while (ui->listWidget->count() > 0)
        delete ui->listWidget->takeItem(0);
    for (auto it = channelTable.cbegin(); it != channelTable.cend(); ++it) {
        const QStringList fields = it.value().infoText().split(QLatin1Char(','));
        const QString name = fields.size() >= 2 ? fields.at(1) : QString();
        auto* item = new QListWidgetItem(QStringLiteral("#%1: %2").arg(it.key()).arg(name), ui->listWidget);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, int(it.key()));
    }
    fillSampleRates();
}

void PowerPanel::fillSampleRates()
{
    ui->comboBoxSampleRate->clear();
    for (const char* rate : fixedRates)
        ui->comboBoxSampleRate->addItem(rateItemText(QString::fromLatin1(rate).toInt()), QString::fromLatin1(rate));
    ui->comboBoxSampleRate->setCurrentIndex(0);
}

QList<int> PowerPanel::selectedChannels() const
{
    QList<int> rows;
    for (int row = 0; row < ui->listWidget->count(); ++row)
        if (ui->listWidget->item(row)->checkState() == Qt::Checked)
            rows << row;
    return rows;
}

bool PowerPanel::isCustomRate() const
{
    return ui->checkBoxCustom->isChecked();
}

bool PowerPanel::isFahrenheit() const
{
    return ui->checkBoxTemperature->isChecked();
}

QString PowerPanel::currentRate()
{
    if (!isCustomRate())
        return ui->comboBoxSampleRate->currentData().toString();
    // A rate still being typed has not been corrected yet.
    ui->spinBoxSampleRate->setValue(nearestSupplyRate(ui->spinBoxSampleRate->value()));
    return QString::number(ui->spinBoxSampleRate->value());
}

void PowerPanel::startLog()
{
    const QList<int> channels = selectedChannels();
    if (channels.isEmpty() || measuringActive)
        return;
    ui->btnStart->setEnabled(false);
    ui->btnCheckPower->setEnabled(false);
    ui->checkBoxTemperature->setEnabled(false);
    logRate = currentRate();
    logChannels = channels;
    // The run counts as started before the main window hears of it, so that a start it
    // refuses at once is undone by logFailed and not overwritten afterwards.
    measuringActive = true;
    emit startPowerLog(powerLogCommand(logRate, channels));
}

void PowerPanel::stopLog()
{
    // Start and Power come back with the supply's answer; the temperature scale when the
    // run has really ended, so that no log mixes two scales.
    emit stopPowerLog(PowerCommand::Stop);
}

void PowerPanel::pollPowerState()
{
    if (!measuringActive)
        emit requestPowerStatus(PowerCommand::Status);
}

void PowerPanel::setRateMode(bool custom)
{
    ui->comboBoxSampleRate->setEnabled(!custom);
    ui->spinBoxSampleRate->setEnabled(custom);
}

void PowerPanel::limitChannels(QListWidgetItem* item)
{
    if (!item || item->checkState() == Qt::Unchecked)
        return;
    int checked = 0;
    for (int row = 0; row < ui->listWidget->count(); ++row)
        if (ui->listWidget->item(row)->checkState() == Qt::Checked)
            ++checked;
    if (checked > maxChannels) {
        const QSignalBlocker blocker(ui->listWidget);
        item->setCheckState(Qt::Unchecked);
    }
}

void PowerPanel::setPowerState(bool on)
{
    // A late answer to a poll sent just before a start must not offer a second start.
    ui->btnStart->setEnabled(on && !measuringActive);
    ui->btnCheckPower->setEnabled(true);
    ui->iconPWR->setPixmap(on ? m_green : m_grey);
}

void PowerPanel::logFailed(const QString& reply)
{
    ui->btnStart->setEnabled(true);
    ui->btnCheckPower->setEnabled(true);
    measuringActive = false;
    qDebug().noquote() << "PowerPanel::logFailed: " + reply;
}

void PowerPanel::enableButtons()
{
    ui->btnStart->setEnabled(true);
    ui->btnCheckPower->setEnabled(true);
}

void PowerPanel::runFinished()
{
    ui->checkBoxTemperature->setEnabled(true);
}

void PowerPanel::on_changeColorTheme(bool dark)
{
    QIcon stop;
    QIcon play;
    if (dark) {
        stop.addFile(QStringLiteral(":/res/stop-white.png"), QSize(), QIcon::Normal);
        stop.addFile(QStringLiteral(":/res/stop-gray.png"), QSize(), QIcon::Disabled);
        play.addFile(QStringLiteral(":/res/play-white.png"), QSize(), QIcon::Normal);
        play.addFile(QStringLiteral(":/res/play-gray.png"), QSize(), QIcon::Disabled);
    } else {
        stop.addFile(QStringLiteral(":/res/stop-black.png"), QSize(), QIcon::Normal);
        play.addFile(QStringLiteral(":/res/play-black.png"), QSize(), QIcon::Normal);
    }
    ui->btnStop->setIcon(stop);
    ui->btnStart->setIcon(play);
}

void PowerPanel::applyLogSettings(const SwapFileHeader& header)
{
    ui->checkBoxTemperature->setChecked(header.fahrenheit == 1);

    // The header may claim more channels than its list holds; only the list is read.
    const bool secondModel = power600Model;
    const quint8* numbers = secondModel ? header.channelNumbers32 : header.channelNumbers;
    const int capacity = secondModel ? int(sizeof header.channelNumbers32) : int(sizeof header.channelNumbers);
    const int count = qMin(int(header.channelCount), capacity);
    QList<int> rows;
    for (int i = 0; i < count; ++i)
        rows << numbers[i];
    {
        const QSignalBlocker blocker(ui->listWidget);
        for (int row = 0; row < ui->listWidget->count(); ++row)
            ui->listWidget->item(row)->setCheckState(rows.contains(row) ? Qt::Checked : Qt::Unchecked);
    }

    // A period of 0 or less comes from a damaged header and says nothing about the rate.
    const qint16 period = qint16(header.samplePeriod);
    if (period <= 0)
        return;
    const int rate = int(10000.0 / period);
    if (header.customRate == 1) {
        ui->checkBoxCustom->setChecked(true);
        ui->spinBoxSampleRate->setValue(rate);
    } else {
        const int index = ui->comboBoxSampleRate->findText(rateItemText(rate));
        if (index >= 0)
            ui->comboBoxSampleRate->setCurrentIndex(index);
    }
}

Power600Panel::Power600Panel(QWidget* parent)
    : PowerPanel(parent)
{
}

void Power600Panel::fillChannels()
{
    PowerPanel::fillChannels();
}
