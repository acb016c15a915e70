#pragma once

// When a status response reloads the Control panel's output settings from the device:
// after a device-information reply (the first status of a connection) and after the
// user sent output settings. GUI thread only.
extern bool firstStatusPending;
extern bool controlSettingsSent;
