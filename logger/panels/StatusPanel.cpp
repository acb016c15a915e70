#include "StatusPanel.h"
#include "ui_StatusPanel.h"

#include "LoggerState.h"
#include "MeasureAll.h"
#include "StatusControl.h"
#include "StatusReadings.h"
#include "UnitFormat.h"

#include <QEvent>
#include <QIcon>

#include <cmath>

namespace {
constexpr quint8 outEnableBit = 0x08;
constexpr quint8 trigBit = 0x10;
constexpr quint8 syncBit = 0x20;
constexpr quint8 vbatBit = 0x40;
constexpr quint8 vusbBit = 0x80;
// The low three bits of a measurement report's pin byte carry its channel mask.
constexpr quint8 pinBitsMask = 0xF8;
} // namespace

StatusPanel::StatusPanel(QWidget* parent)
    : Panel(parent)
    , ui(new Ui::StatusPanel)
{
    ui->setupUi(this);
}

StatusPanel::~StatusPanel()
{
    delete ui;
}

void StatusPanel::loadIndicatorIcons()
{
    const QSize size(16, 16);
    redIcon = QIcon(QStringLiteral(":/res/bullet_ball_red.png")).pixmap(size);
    greyIcon = QIcon(QStringLiteral(":/res/bullet_ball_grey.png")).pixmap(size);
    // FLAG has no status bit of its own: it keeps the grey ball, at the others' size.
    ui->iconFLAG->setPixmap(greyIcon);
    indicatorsShown = false;
}

void StatusPanel::setIndicator(QLabel* indicator, quint8 bit, bool red)
{
    if (indicatorsShown && ((shownBits ^ indicatorBits) & bit) == 0)
        return;
    indicator->setPixmap(red ? redIcon : greyIcon);
}

void StatusPanel::showIndicators()
{
    setIndicator(ui->iconOUT, outEnableBit, indicatorBits & outEnableBit);
    setIndicator(ui->iconTRIG, trigBit, !(indicatorBits & trigBit));
    setIndicator(ui->iconSYNC, syncBit, indicatorBits & syncBit);
    setIndicator(ui->iconVBAT, vbatBit, indicatorBits & vbatBit);
    setIndicator(ui->iconVUSB, vusbBit, indicatorBits & vusbBit);
    shownBits = indicatorBits;
    indicatorsShown = true;
}

void StatusPanel::update(MeasureAll& measure)
{
    indicatorBits = measure.pinState() & pinBitsMask;
    showIndicators();
}

void StatusPanel::update(StatusControlResponse& response)
{
    if (measuringActive)
        return;
    indicatorBits = response.pinState();
    showIndicators();

    // The response carries milliamperes; the panel shows the current in its best unit.
    const double current = double(response.value(0)) * 1000;
    ui->textChannel0->setText(readingText(current));
    if (std::isfinite(current))
        ui->labelChannel0->setText(
            captionWithUnit(ui->labelChannel0->text(), currentUnit(prefixMagnitude(current))));

    QLabel* const values[] = {ui->textChannel1, ui->textChannel2};
    QLabel* const captions[] = {ui->labelChannel1, ui->labelChannel2};
    for (int i = 0; i < 2; ++i) {
        const double millivolts = response.value(i + 1);
        values[i]->setText(readingText(millivolts));
        if (!std::isfinite(millivolts))
            continue;
        QString caption = captionWithUnit(captions[i]->text(), voltageUnit(prefixMagnitude(millivolts)));
        if (i == 1)
            caption.replace(QStringLiteral("#1"), QStringLiteral("#2"));
        captions[i]->setText(caption);
    }

    const double vin = double(response.vin()) / 1000;
    ui->textVin->setText(std::isfinite(vin) ? QString::number(vin, 'f', 2) : QStringLiteral("--"));
}

void StatusPanel::setChannelTexts(const QString& caption0, const QString& caption1, const QString& caption2,
                                  const QString& value0, const QString& value1, const QString& value2)
{
    const QString captions[] = {caption0, caption1, caption2};
    const QString values[] = {value0, value1, value2};
    QLabel* const captionLabels[] = {ui->labelChannel0, ui->labelChannel1, ui->labelChannel2};
    QLabel* const valueLabels[] = {ui->textChannel0, ui->textChannel1, ui->textChannel2};
    for (int i = 0; i < 3; ++i) {
        if (!captions[i].isEmpty())
            captionLabels[i]->setText(captions[i]);
        if (!values[i].isEmpty())
            valueLabels[i]->setText(values[i]);
    }
}

void StatusPanel::setPanelEnabled(bool enable)
{
    if (!enable) {
        for (QLabel* value : {ui->textChannel0, ui->textChannel1, ui->textChannel2, ui->textVin})
            value->setText(QStringLiteral("--"));
    }
    ui->groupBox->setEnabled(true);
    ui->groupBox_2->setEnabled(true);
}

void StatusPanel::retranslate()
{
    ui->retranslateUi(this);
}

void StatusPanel::changeEvent(QEvent* event)
{
    Panel::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}
