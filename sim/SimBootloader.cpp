#include "SimBootloader.h"

#include "SimBus.h"

namespace talvo::sim {

namespace {

constexpr int ChunkBytes = 48;
constexpr std::uint8_t Acknowledge = 7;
constexpr std::uint8_t Refusal = 0x0F;

} // namespace

SimBootloader::SimBootloader(SimBus& bus, std::optional<std::wstring> serial, Kind returnKind)
    : SimDevice(bus, Kind::Bootloader, BootloaderProductId, std::move(serial), false), m_returnKind(returnKind)
{
}

bool SimBootloader::receive(const Report& report, std::uint64_t now)
{
    const std::uint8_t command = report[0];
    const int length = report[1];
    FlashRecord& flash = m_bus.flash;
    flash.commands.push_back(command);
    switch (command) {
    case 3:
        flash.image.clear();
        [[fallthrough]];
    case 4:
        if (length > ChunkBytes)
            return false;
        if (command == 4 && m_bus.settings.bootloaderBehaviour == BootloaderBehaviour::RejectLaterChunks)
            return false;
        flash.image.insert(flash.image.end(), report.begin() + 2, report.begin() + 2 + length);
        if (command == 3)
            answer();
        break;
    case 5:
        if (m_bus.settings.bootloaderBehaviour != BootloaderBehaviour::SilentOnFinish)
            answer();
        break;
    case 6: {
        SimBus& bus = m_bus;
        const auto serialText = serial();
        const Kind kind = m_returnKind;
        bus.unplug(number);
        bus.schedule(now + bus.settings.restartDelayMicros,
                     [&bus, serialText, kind] { bus.plug(kind, serialText); });
        break;
    }
    default:
        break;
    }
    return true;
}

void SimBootloader::answer()
{
    const BootloaderBehaviour behaviour = m_bus.settings.bootloaderBehaviour;
    if (behaviour == BootloaderBehaviour::Silent)
        return;
    Report r{};
    r[0] = behaviour == BootloaderBehaviour::Refuse ? Refusal : Acknowledge;
    queue(r);
}

} // namespace talvo::sim
