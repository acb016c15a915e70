#include "NavigationSettings.h"

#include "ui_NavigationSettings.h"

#include "RecordLayout.h"
#include "Settings.h"

#include <QEvent>

namespace {
const QString thresholdsKey = QStringLiteral("Options/thresholds");
}

NavigationSettings::NavigationSettings(const SwapFileHeader& header, const double thresholds[3],
                                       const Selection& current, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::NavigationSettings)
{
    ui->setupUi(this);
    for (int c = 0; c < LogFormat::statisticsChannels; ++c)
        m_thresholds[c] = thresholds[c];
    // Parts of the stored text that no overview can use keep the file's thresholds.
    RecordLayout::parseThresholds(
        Settings().value(thresholdsKey, QStringLiteral("25,1000,3200")).toString(), m_thresholds);

    QRadioButton* const buttons[] = {ui->radioButton0, ui->radioButton1, ui->radioButton2};
    for (int c = 0; c < LogFormat::statisticsChannels; ++c) {
        connect(buttons[c], &QRadioButton::toggled, this, [this, c](bool on) {
            if (!on)
                return;
            ui->labelUnit->setText(c == 0 ? tr("mA") : tr("mV"));
            ui->doubleSpinBox->setValue(m_thresholds[c]);
        });
    }
    connect(ui->doubleSpinBox, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        const int c = checkedChannel();
        if (c >= 0)
            m_thresholds[c] = value;
    });

    int position = -1;
    for (int c = 0; c < LogFormat::statisticsChannels; ++c) {
        const bool recorded = header.channelMask & (1u << c);
        buttons[c]->setEnabled(recorded);
        if (recorded)
            m_positions.insert(c, ++position);
    }

    if (current.channel >= 0 && current.channel < LogFormat::statisticsChannels)
        buttons[current.channel]->setChecked(true);
    ui->doubleSpinBox->setValue(current.threshold);
}

NavigationSettings::~NavigationSettings()
{
    storeThresholds();
    delete ui;
}

int NavigationSettings::checkedChannel() const
{
    if (ui->radioButton0->isChecked())
        return 0;
    if (ui->radioButton1->isChecked())
        return 1;
    if (ui->radioButton2->isChecked())
        return 2;
    return -1;
}

NavigationSettings::Selection NavigationSettings::selection()
{
    Selection s;
    s.channel = ui->radioButton0->isChecked() ? 0 : ui->radioButton1->isChecked() ? 1 : 2;
    s.position = m_positions.value(s.channel, 0);
    s.threshold = ui->doubleSpinBox->value();
    m_thresholds[s.channel] = s.threshold;
    storeThresholds();
    return s;
}

QString NavigationSettings::thresholdsText(const double thresholds[3])
{
    return QStringLiteral("%1,%2,%3")
        .arg(QString::number(thresholds[0], 'g', -1), QString::number(thresholds[1], 'g', -1),
             QString::number(thresholds[2], 'g', -1));
}

void NavigationSettings::storeThresholds() const
{
    Settings().setValue(thresholdsKey, thresholdsText(m_thresholds));
}

void NavigationSettings::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
