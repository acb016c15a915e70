#pragma once

// Default device descriptions: the instrument's identity and channel list as JSON
// documents, loaded into DeviceInfo::instance() and channelTable through the same parsers
// an instrument's own description would use. Keys: "DeviceInfo" {"upid", "version",
// "info", "channel-count"} and "Channels" [{"channel", "info", "baseNumber", "dataType",
// "minExponent", "lower", "upper", "pecision"}].

#include <QJsonObject>
#include <QList>

#include <functional>

class DeviceInfo;

// The analyzer's description: three channels (current in μA, two voltages in mV).
QJsonObject analyzerDescription();
// The supplies' description: channels 0 to 7, and 8 to 13 for the second model.
QJsonObject powerDescription(bool secondModel);

// The channel numbers a description's "Channels" give, in its order.
QList<int> describedChannels(const QJsonObject& description);

// Fills the identity from a "DeviceInfo" object.
void parseDeviceInfo(DeviceInfo& info, const QJsonObject& device);
// Stores one channel description per element of "Channels" in channelTable.
void parseChannels(const QJsonObject& description);

// The analyzer's description into the global records; other table entries stay.
void createDefaults();
// A fresh identity and table from the supplies' description (the model chosen by
// power600Model); the supply panel's channel list stays as it is.
void loadPowerDescription();
// The same, then the supply panel rebuilds its channel list.
void createDefaultsPower();

// How createDefaultsPower reaches the supply panel: the main window registers the call of
// its panel's channel refill here. An empty function (the default) skips the refill.
void setPowerChannelsRefill(std::function<void()> refill);
