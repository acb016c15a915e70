#pragma once

#include "LogRecord.h"

#include <QDialog>
#include <QMap>

namespace Ui {
class NavigationSettings;
}

// The "Decimation" dialog of the navigation bar: which channel the overview follows and
// the threshold at which it counts as high (channel 0 in milliamperes, channels 1 and 2
// in millivolts). Each channel keeps its own threshold while the user switches between
// them; the three are stored under "Options"/"thresholds" when the choice is taken and
// again when the dialog goes, so an edited threshold is kept also after Cancel.
class NavigationSettings : public QDialog
{
    Q_OBJECT
public:
    struct Selection
    {
        double threshold = 0;
        int position = 0;
        int channel = 0;
    };

    // Offers the channels of the log's 8-bit channel mask; `thresholds` are the log's
    // three thresholds, overridden by a complete stored set; `current` is checked.
    NavigationSettings(const SwapFileHeader& header, const double thresholds[3],
                       const Selection& current, QWidget* parent = nullptr);
    ~NavigationSettings() override;

    // The user's choice; also stores the thresholds.
    Selection selection();

    // "25,1000,3200": the three thresholds in their shortest form.
    static QString thresholdsText(const double thresholds[3]);

protected:
    void changeEvent(QEvent* event) override;

private:
    int checkedChannel() const;
    void storeThresholds() const;

    QMap<int, int> m_positions;
    double m_thresholds[LogFormat::statisticsChannels];
    Ui::NavigationSettings* ui;
};
