#pragma once

// The supplies' reports. Both directions carry report id 7, a length byte and a code:
//   [0] 0x07  [1] length (0x40 in every coded packet the logger builds)  [2] code
//   [3..63] payload
// Codes: 0x08 the supply ended its log; 0x0A settings; 0x0B settings write; 0x0C device
// data; 0x20 and above a text reply starting at byte 2; anything else measurement data.

#include "Packet.h"

#include <QList>
#include <QMap>
#include <QMetaType>

namespace PowerCode {
inline constexpr quint8 ReportId = 0x07;
inline constexpr quint8 Length = 0x40;
inline constexpr quint8 LogEnded = 0x08;
inline constexpr quint8 Settings = 0x0A;
inline constexpr quint8 SettingsWritten = 0x0B;
inline constexpr quint8 DeviceData = 0x0C;
inline constexpr quint8 FirstText = 0x20;
} // namespace PowerCode

class PowerPacket : public Packet
{
public:
    // Zero payload, header 07 40.
    PowerPacket();
    // A received report: the 64 bytes, then 07 40 over the header, whatever length the
    // supply sent.
    PowerPacket(const void* data, int length);
    PowerPacket(const PowerPacket& other) = default;
    PowerPacket& operator=(const PowerPacket& other) = default;

    // The code byte.
    quint8 descriptor() const override;
    // The length byte, never more than the 64 bytes the buffer holds.
    int size() const override;
    QString toString() const override;
    // Rewrites the header: 07 40, the rest kept.
    virtual void reset();

    bool isTextReply() const { return byteAt(2) >= PowerCode::FirstText; }
    // A text reply from byte 2 up to the first zero (carriage return and line feed kept).
    QString replyText() const { return textField(2, bufferSize - 2); }
};
Q_DECLARE_METATYPE(PowerPacket)

// A supply measurement report:
//   [3..5] number of the report's first sample, 24-bit big-endian  [6] sample rows
//   [7..63] samples, one per logged channel in the log's channel order; 2 bytes for data
//   types 0 and 1, 1 byte for the others
class MeasurePower : public PowerPacket
{
public:
    MeasurePower() = default;
    MeasurePower(const void* data, int length);
    explicit MeasurePower(const PowerPacket& received);

    QString toString() const override;

    quint32 packetCounter() const { return bigEndian24(3); }
    quint8 rows() const { return byteAt(6); }

    // Values by POSITION in channels (0 to n-1), each position present, one value per row
    // that fits the report. Temperatures in Fahrenheit when asked.
    QMap<int, QList<double>> values(const QList<int>& channels, bool fahrenheit) const;
};

// Settings request (zero payload) and reply: the 61-byte settings payload at bytes 3..63.
class PowerGetPacket : public PowerPacket
{
public:
    PowerGetPacket();
    explicit PowerGetPacket(const PowerPacket& received);
    PowerGetPacket(const PowerGetPacket& other) = default;
    PowerGetPacket& operator=(const PowerGetPacket& other) = default;

    // Zeroes the buffer and writes 07 40 0A.
    void reset() override;

    // Payload byte n is buffer byte dataOffset + n.
    int dataOffset = 3;
};
Q_DECLARE_METATYPE(PowerGetPacket)

// Settings write: the edited settings packet with code 0x0B.
class PowerSetPacket : public PowerGetPacket
{
public:
    PowerSetPacket();
    explicit PowerSetPacket(const PowerGetPacket& settings);

    // Zeroes the buffer and writes 07 40 0B.
    void reset() override;
};

// Device data request (zero payload) and reply. Payload byte 0 is the code byte itself;
// the data fields start at payload byte 1. The three display options are set and read by
// the supply's status-screen widget.
class PowerDataPacket : public PowerPacket
{
public:
    PowerDataPacket();
    explicit PowerDataPacket(const PowerPacket& received);
    PowerDataPacket(const PowerDataPacket& other) = default;
    PowerDataPacket& operator=(const PowerDataPacket& other) = default;

    // Zeroes the buffer and writes 07 40 0C.
    void reset() override;

    // The supply firmware's version: payload byte 35 "." payload byte 36 as two digits,
    // or "major.0" when the minor byte is 0.
    QString versionText() const;

    int dataOffset = 2;
    bool celsius = true;
    bool clock24h = true;
    QString dateFormat;
};
Q_DECLARE_METATYPE(PowerDataPacket)

// Text commands to a supply.
namespace PowerCommand {
inline const QString Stop = QStringLiteral("LOGSTOP\n");
inline const QString Status = QStringLiteral("POWER\n");
// Longest text a report carries: bytes 2..64 of the 65-byte write.
inline constexpr int maxLength = 63;
} // namespace PowerCommand

// "LOG" + rate + "C" + one upper-case hexadecimal digit per channel, in list order, + "\n".
// Empty when no channel is given or a channel has no single-digit number (0 to 15).
QString powerLogCommand(const QString& rate, const QList<int>& channels);

// The 65-byte output report of a text command: 0x07, the number of characters, the text in
// Latin-1, zeros. Empty for an empty text or one longer than PowerCommand::maxLength.
QByteArray powerTextReport(const QString& text);
