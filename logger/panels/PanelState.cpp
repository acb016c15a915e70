#include "PanelState.h"

bool firstStatusPending = false;
bool controlSettingsSent = false;
