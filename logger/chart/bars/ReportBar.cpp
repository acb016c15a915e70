#include "ReportBar.h"

#include "ui_ReportBar.h"

#include "ColorsAgent.h"
#include "GLWidget.h"
#include "RangeStatistics.h"
#include "Settings.h"
#include "UnitFormat.h"

ReportBar::ReportBar(QWidget* parent)
    : QWidget(parent)
    , m_full(freshStatistics())
    , m_window(freshStatistics())
    , ui(new Ui::ReportBar)
{
    ui->setupUi(this);
}

ReportBar::~ReportBar()
{
    delete ui;
}

ReportBar::Row ReportBar::fullRow(int channel) const
{
    switch (channel) {
    case 0:
        return {ui->labelCh0, ui->labelMin0, ui->labelMax0, ui->labelAverage0};
    case 1:
        return {ui->labelCh1, ui->labelMin1, ui->labelMax1, ui->labelAverage1};
    default:
        return {ui->labelCh2, ui->labelMin2, ui->labelMax2, ui->labelAverage2};
    }
}

ReportBar::Row ReportBar::windowRow(int channel) const
{
    switch (channel) {
    case 0:
        return {ui->labelCh0_2, ui->labelMin0_2, ui->labelMax0_2, ui->labelAverage0_2};
    case 1:
        return {ui->labelCh1_2, ui->labelMin1_2, ui->labelMax1_2, ui->labelAverage1_2};
    default:
        return {ui->labelCh2_2, ui->labelMin2_2, ui->labelMax2_2, ui->labelAverage2_2};
    }
}

void ReportBar::storeVisibility()
{
    // A drag of the chart refreshes the bar on every mouse move: the settings file is
    // written only when the visibility is not the one already stored.
    const bool visible = isVisible();
    if (m_storedVisibility == visible)
        return;
    Settings().setValue(QStringLiteral("Main/report_bar"), visible);
    m_storedVisibility = visible;
}

void ReportBar::updateReport(GLWidget* chart, bool renew)
{
    if (renew) {
        storeVisibility();
        m_full = freshStatistics();
        m_window = freshStatistics();
        m_filled = false;
    }
    if (!chart)
        return;
    m_filled = true;
    m_full = chart->statistics;
    if (chart->plot) {
        m_window = freshStatistics();
        channelStatistics(chart, chart->plot->xAxis->range(), m_window);
    }
    updateLabels();
}

void ReportBar::fillRows(const ChannelStatistics& record, const Row* rows)
{
    for (int c = 0; c < LogFormat::statisticsChannels; ++c) {
        const ChannelStatistics::Channel& values = record.channel[c];
        const Row& row = rows[c];
        if (hasValues(values)) {
            const int scale = displayScale(values.maximum);
            row.minimum->setText(scaledValue(values.minimum, scale));
            row.maximum->setText(scaledValue(values.maximum, scale));
            row.average->setText(scaledValue(values.average, scale));
        } else {
            for (QLabel* label : {row.minimum, row.maximum, row.average})
                label->setText(QStringLiteral("0.0"));
        }
        row.head->setText(channelHead(c, values.maximum));
    }
}

void ReportBar::updateLabels()
{
    const Row full[] = {fullRow(0), fullRow(1), fullRow(2)};
    const Row window[] = {windowRow(0), windowRow(1), windowRow(2)};
    fillRows(m_full, full);
    fillRows(m_window, window);
    ui->labelFrame->setText(QStringLiteral("%1-%2").arg(formatTime(m_window.lowerKey, true, 3),
                                                        formatTime(m_window.latestKey, true, 3)));
}

void ReportBar::on_changeColorTheme(bool _dark)
{
    m_darkTheme = _dark;
    setStyleSheet(_dark ? QStringLiteral("QWidget QLabel { color: white; }")
                        : QStringLiteral("QWidget QLabel { color: black; }"));
}

void ReportBar::on_changeColors()
{
    ColorsAgent theme(m_darkTheme);
    for (int c = 0; c < LogFormat::statisticsChannels; ++c) {
        const QString sheet =
            QStringLiteral("QLabel { color: %1; }").arg(theme.color(ColorsAgent::Report, c).name());
        for (const Row& row : {fullRow(c), windowRow(c)})
            for (QLabel* label : {row.head, row.minimum, row.maximum, row.average})
                label->setStyleSheet(sheet);
    }
}

void ReportBar::refreshTexts()
{
    if (m_filled)
        updateLabels();
}

void ReportBar::on_translate()
{
    // The form's texts come back in the new language, its value labels with "0": the
    // figures of the tab shown are written over them again.
    ui->retranslateUi(this);
    refreshTexts();
}
