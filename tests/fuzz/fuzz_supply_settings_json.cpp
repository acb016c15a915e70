// A supply settings file imported into the settings report. A file that is refused
// leaves the report exactly as it was and says why; a file that is taken gives settings
// that survive their own export and import unchanged.

#include "FuzzSupport.h"

#include "SupplySettings.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cstring>

namespace {

// A settings reply as the supply sends it, every data byte set and every value within
// what a file may hold (a page id above 21 would make its own export unreadable).
PowerGetPacket settingsReply()
{
    quint8 bytes[Packet::bufferSize] = {PowerCode::ReportId, PowerCode::Length, PowerCode::Settings};
    for (int i = 3; i < Packet::bufferSize; ++i)
        bytes[i] = quint8(i % 22);
    return PowerGetPacket(PowerPacket(bytes, Packet::bufferSize));
}

bool sameBytes(const Packet& a, const Packet& b)
{
    return std::memcmp(a.constData(), b.constData(), Packet::bufferSize) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QJsonParseError parseError;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), int(size)), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return 0;

    const PowerGetPacket before = settingsReply();
    PowerGetPacket report = before;
    QString error;
    if (!SupplySettings::fromJson(report, document.object(), &error)) {
        FUZZ_CHECK(sameBytes(report, before));
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    const QJsonObject exported = SupplySettings::toJson(report);
    PowerGetPacket again = settingsReply();
    FUZZ_CHECK(SupplySettings::fromJson(again, exported, &error));
    FUZZ_CHECK(SupplySettings::toJson(again) == exported);
    // The settings themselves, not the report's header: a file's "command" goes into the
    // code byte as it stands, and an export always names the settings code.
    for (bool power600 : {false, true})
        FUZZ_CHECK(SupplySettings::pageSettings(again, power600).mid(3)
                   == SupplySettings::pageSettings(report, power600).mid(3));
    return 0;
}
