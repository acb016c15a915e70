#pragma once

// State flags of the logger, read and written on the GUI thread only.

// A measurement (analyzer run or supply log) is running.
extern bool measuringActive;
// A firmware image is being flashed: nothing else may be sent to the instrument.
extern bool firmwareUpdateActive;
// The connected device (or loaded log) is a supply; set from the serial-number prefix on
// every arrival and by loading a supply log.
extern bool powerSupplyConnected;
// The second supply model: cleared on every arrival, set only by loading its log.
extern bool power600Model;

// Either supply flag means the supplies' framing and descriptions apply.
inline bool powerMode()
{
    return powerSupplyConnected || power600Model;
}
