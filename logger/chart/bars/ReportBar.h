#pragma once

#include "LogRecord.h"

#include <QWidget>

#include <optional>

class GLWidget;
class QLabel;

namespace Ui {
class ReportBar;
}

// The statistics bar under the chart tabs: minimum, maximum and average of channel #0
// (current) and channels #1 and #2 (voltages), on the left for the whole measurement of
// the current chart tab and on the right for the time window the chart displays, headed
// by that window's span. It keeps the values of its last refresh; the main window asks
// it to refresh whenever the tab, its data or its displayed range change.
class ReportBar : public QWidget
{
    Q_OBJECT
public:
    explicit ReportBar(QWidget* parent = nullptr);
    ~ReportBar() override;

    // Refreshes both halves from the chart tab. With renew the records start afresh and
    // the bar's visibility is kept in the settings ("Main"/"report_bar"; written only when
    // it changed). A null chart leaves the labels as they are.
    void updateReport(GLWidget* chart, bool renew);
    // Writes the two records into the labels.
    void updateLabels();
    // Writes the figures of the last refresh from a chart again, in the language and
    // time format of now; before any such refresh the form's texts stay.
    void refreshTexts();

    const ChannelStatistics& fullStatistics() const { return m_full; }
    const ChannelStatistics& windowStatistics() const { return m_window; }

public slots:
    void on_changeColorTheme(bool _dark);
    void on_changeColors();
    void on_translate();

private:
    struct Row
    {
        QLabel* head;
        QLabel* minimum;
        QLabel* maximum;
        QLabel* average;
    };
    void fillRows(const ChannelStatistics& record, const Row* rows);
    Row fullRow(int channel) const;
    Row windowRow(int channel) const;
    void storeVisibility();

    ChannelStatistics m_full;
    ChannelStatistics m_window;
    bool m_darkTheme = false;
    Ui::ReportBar* ui;
    // The records hold a chart's figures (not the fresh ones of a refresh without a chart).
    bool m_filled = false;
    // The visibility last written to the settings; unknown until the first write.
    std::optional<bool> m_storedVisibility;
};
