#include "PowerPackets.h"

#include <algorithm>

namespace {
void writeHeader(Packet& packet)
{
    packet.setByte(0, PowerCode::ReportId);
    packet.setByte(1, PowerCode::Length);
}

void clearWithCode(Packet& packet, quint8 code)
{
    packet = Packet();
    writeHeader(packet);
    packet.setByte(2, code);
}
} // namespace

PowerPacket::PowerPacket()
{
    writeHeader(*this);
}

PowerPacket::PowerPacket(const void* data, int length)
    : Packet(data, length)
{
    writeHeader(*this);
}

quint8 PowerPacket::descriptor() const
{
    return byteAt(2);
}

int PowerPacket::size() const
{
    return qMin(int(byteAt(1)), bufferSize);
}

QString PowerPacket::toString() const
{
    return toHexString();
}

void PowerPacket::reset()
{
    writeHeader(*this);
}

MeasurePower::MeasurePower(const void* data, int length)
    : PowerPacket(data, length)
{
}

MeasurePower::MeasurePower(const PowerPacket& received)
    : PowerPacket(received)
{
}

QString MeasurePower::toString() const
{
    return QStringLiteral("Index: %1\nSamples: %2\n").arg(QString::number(packetCounter()), QString::number(rows()));
}

PowerGetPacket::PowerGetPacket()
{
    setByte(2, PowerCode::Settings);
}

PowerGetPacket::PowerGetPacket(const PowerPacket& received)
    : PowerPacket(received)
{
}

void PowerGetPacket::reset()
{
    clearWithCode(*this, PowerCode::Settings);
}

PowerSetPacket::PowerSetPacket()
{
    setByte(2, PowerCode::SettingsWritten);
}

PowerSetPacket::PowerSetPacket(const PowerGetPacket& settings)
    : PowerGetPacket(settings)
{
    setByte(2, PowerCode::SettingsWritten);
}

void PowerSetPacket::reset()
{
    clearWithCode(*this, PowerCode::SettingsWritten);
}

PowerDataPacket::PowerDataPacket()
{
    setByte(2, PowerCode::DeviceData);
}

PowerDataPacket::PowerDataPacket(const PowerPacket& received)
    : PowerPacket(received)
{
}

void PowerDataPacket::reset()
{
    clearWithCode(*this, PowerCode::DeviceData);
}

QString PowerDataPacket::versionText() const
{
    const int major = byteAt(dataOffset + 35);
    const int minor = byteAt(dataOffset + 36);
    if (minor == 0)
        return QStringLiteral("%1.0").arg(major);
    return QStringLiteral("%1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
}

QString powerLogCommand(const QString& rate, const QList<int>& channels)
{
    if (channels.isEmpty())
        return QString();
    QString command = QStringLiteral("LOG") + rate + QLatin1Char('C');
    for (int channel : channels) {
        if (channel < 0 || channel > 15)
            return QString();
        command += QString::number(channel, 16).toUpper();
    }
    return command + QLatin1Char('\n');
}

QByteArray powerTextReport(const QString& text)
{
    if (text.isEmpty() || text.size() > PowerCommand::maxLength)
        return QByteArray();
    QByteArray report(Packet::bufferSize + 1, '\0');
    report[0] = char(PowerCode::ReportId);
    report[1] = char(text.size());
    const QByteArray latin1 = text.toLatin1();
    std::copy(latin1.begin(), latin1.end(), report.begin() + 2);
    return report;
}
