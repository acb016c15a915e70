#pragma once

#include <QList>

// One averaging source of the battery-life calculator: its period on the capture's time
// axis and its average current. The main window fills the first four; the user types the
// fifth.
struct CalculatorInfo
{
    enum InfoType : int { ByMarkers = 0, VisibleArea = 1, WholePeriod = 2, WorkingCycle = 3, UserDefined = 4 };
    enum Status : int {
        Valid = 0,
        WrongValue = 1,
        CycleTooLong = 3,
        MarkersHidden = 4,
        MarkersTooClose = 5,
        EmptyLog = 6,
    };

    InfoType type = ByMarkers;
    int status = Valid;
    double start = 0; // seconds
    double end = 0;   // seconds
    double current = 0; // milliamperes
};

// The window of a working cycle: `cycle` seconds wide, centred on the middle of the
// whole measurement.
void setWorkingCycleWindow(CalculatorInfo& cycle, const CalculatorInfo& whole, double seconds);
