#include "Packet.h"

#include "PacketText.h"

#include <QtEndian>

#include <cstring>

Packet::Packet()
{
    std::memset(m_buffer, 0, sizeof m_buffer);
}

Packet::Packet(quint8 descriptor)
    : Packet()
{
    m_buffer[0] = descriptor;
}

Packet::Packet(const void* data, int length)
    : Packet()
{
    setData(data, length);
}

Packet::Packet(const Packet& other)
{
    std::memcpy(m_buffer, other.constData(), sizeof m_buffer);
}

Packet::~Packet() = default;

quint8 Packet::descriptor() const
{
    return m_buffer[0];
}

int Packet::size() const
{
    return bufferSize;
}

quint8* Packet::data()
{
    return m_buffer;
}

QByteArray Packet::toByteArray() const
{
    return QByteArray(reinterpret_cast<const char*>(m_buffer), qBound(0, size(), bufferSize));
}

QString Packet::toString() const
{
    return QStringLiteral("Descriptor: 0x%1").arg(hexText(descriptor()));
}

QString Packet::toHexString() const
{
    QString text;
    text.reserve(bufferSize * 5);
    for (quint8 byte : m_buffer)
        text += QStringLiteral("0x%1 ").arg(hexText(byte, 2));
    return text;
}

void Packet::setData(const void* data, int length)
{
    if (data && length > 0)
        std::memcpy(m_buffer, data, size_t(qMin(length, bufferSize)));
}

quint8 Packet::byteAt(int offset) const
{
    return offset >= 0 && offset < bufferSize ? m_buffer[offset] : 0;
}

void Packet::setByte(int offset, quint8 value)
{
    if (offset >= 0 && offset < bufferSize)
        m_buffer[offset] = value;
}

quint16 Packet::bigEndian16(int offset) const
{
    return quint16(byteAt(offset) << 8 | byteAt(offset + 1));
}

void Packet::setBigEndian16(int offset, quint16 value)
{
    setByte(offset, quint8(value >> 8));
    setByte(offset + 1, quint8(value));
}

quint32 Packet::bigEndian24(int offset) const
{
    return quint32(byteAt(offset)) << 16 | quint32(byteAt(offset + 1)) << 8 | byteAt(offset + 2);
}

quint32 Packet::bigEndian32(int offset) const
{
    return quint32(byteAt(offset)) << 24 | bigEndian24(offset + 1);
}

void Packet::setBigEndian32(int offset, quint32 value)
{
    setBigEndian16(offset, quint16(value >> 16));
    setBigEndian16(offset + 2, quint16(value));
}

QString Packet::textField(int offset, int maxLength) const
{
    if (offset < 0 || offset >= bufferSize || maxLength <= 0)
        return QString();
    const int length = qMin(maxLength, bufferSize - offset);
    return decodeFieldText(m_buffer + offset, length);
}

void Packet::setTextField(int offset, int maxLength, const QString& text)
{
    if (offset < 0 || offset >= bufferSize || maxLength <= 0)
        return;
    const int length = qMin(maxLength, bufferSize - offset);
    encodeFieldText(text, m_buffer + offset, length);
}

QString hexText(uint value, int width)
{
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0'));
}

QString binaryText(uint value, int width)
{
    return QStringLiteral("%1").arg(value, width, 2, QLatin1Char('0'));
}
