// The instruments' HID bootloader: takes an image in chunks, acknowledges the first
// chunk and the finish command, and on the start command gives the bus back to the
// instrument it came from.
#pragma once

#include "SimDevice.h"

namespace talvo::sim {

class SimBootloader : public SimDevice
{
public:
    SimBootloader(SimBus& bus, std::optional<std::wstring> serial, Kind returnKind);

    std::wstring productName() const override { return L"TALVO bootloader"; }
    void setReturnKind(Kind kind) { m_returnKind = kind; }

protected:
    bool receive(const Report& report, std::uint64_t now) override;

private:
    void answer();

    Kind m_returnKind;
};

} // namespace talvo::sim
