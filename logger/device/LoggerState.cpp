#include "LoggerState.h"

bool measuringActive = false;
bool firmwareUpdateActive = false;
bool powerSupplyConnected = false;
bool power600Model = false;
