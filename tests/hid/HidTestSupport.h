#pragma once

// Shared set-up of the transport tests: a fresh HidDevice over a fresh simulated bus with
// the driven clock, and a record of every report the device hands out.

#include "HidDevice.h"
#include "LoggerState.h"
#include "TalvoSim.h"

#include <QByteArray>
#include <QList>
#include <QObject>

namespace sim = talvo::sim;

// Every report handed out through packetReceived, copied as a receiver must.
class ReceivedReports : public QObject
{
public:
    explicit ReceivedReports(HidDevice* device)
    {
        connect(device, &HidDevice::packetReceived, this, [this](quint8* packet, int length) {
            reports.append(QByteArray(reinterpret_cast<const char*>(packet), length));
        });
    }
    QList<QByteArray> ofDescriptor(quint8 descriptor) const
    {
        QList<QByteArray> result;
        for (const QByteArray& r : reports)
            if (quint8(r.at(0)) == descriptor)
                result.append(r);
        return result;
    }
    QList<QByteArray> reports;
};

inline HidDevice* freshDevice()
{
    sim::reset(sim::ClockMode::Driven);
    powerSupplyConnected = false;
    power600Model = false;
    HidDevice* device = HidDevice::instance(nullptr);
    device->setSleeper([](int ms) { sim::advance(ms); });
    return device;
}

inline QByteArray bytes(const std::vector<std::uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

inline QByteArray lastWrite(int device)
{
    const auto writes = sim::written(device);
    return writes.empty() ? QByteArray() : bytes(writes.back());
}
