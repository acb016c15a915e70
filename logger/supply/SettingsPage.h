#pragma once

// The supply's settings page as plain values, one per widget, and how they come from and
// go into the settings report. The page copies these values into its widgets and back;
// which byte and bit holds what stays here.

#include "PowerPackets.h"
#include "SupplySettings.h"

#include <QList>

namespace SupplySettings {

struct PageFields
{
    // Power bits
    bool longTouch = false;
    bool restoreOutput = false;
    bool autoOffLow = false;
    bool autoOn = false;
    bool autoOff = false;
    // Display bits
    bool showTimeOff = false;
    bool digitalWatch = false;
    bool celsius = false;
    bool clock24h = false;
    // Screen bits
    bool inTurn = false;
    bool total = false;
    bool main = false;
    bool aux = false;
    bool user = false;

    double offAmperes = 0.0;
    int offDelayMinutes = 0;
    int onHour = 0;
    int onMinute = 0;
    int offHour = 0;
    int offMinute = 0;
    // Index into dateFormats(); below 0 when the list shows none.
    int dateFormat = 0;
    int pageSeconds = 0;
    // The parameter ids of each page's cells, in pageBits order.
    QList<int> cells[pageCount];
    int trim12V = 0;
};

// The fields as the report holds them, each byte as it is, also one no widget can show.
PageFields pageFields(const PowerGetPacket& report);

// A fresh settings report of the fields and the computer's current UTC offset. A date
// format the list does not show takes fallbackDateFormat; the 12 V trim is written for the
// second model only.
void writePageFields(PowerGetPacket& report, const PageFields& fields, bool power600, quint8 fallbackDateFormat);

// A report of zeros: what the page holds before the supply has said anything.
PowerGetPacket unknownSettings();

// The report the page showed last and what its widgets read right after showing it, so
// that reading the page gives the supply's own bytes for every field the user left alone.
class ShownPage
{
public:
    void remember(const PowerGetPacket& shown, const PageFields& widgetsAfterShowing, bool power600);
    void read(PowerGetPacket& report, const PageFields& widgets, bool power600) const;

private:
    PowerGetPacket m_shown;
    PowerGetPacket m_shownRead;
};

} // namespace SupplySettings
