#pragma once

// One 64-byte instrument report. Byte 0 is the analyzer's descriptor or a supply's
// report id; every request and response of the instrument protocol derives from this.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class Packet
{
public:
    static constexpr int bufferSize = 64;

    Packet();
    explicit Packet(quint8 descriptor);
    // Copies at most 64 bytes; the bytes beyond the copied length are zero.
    Packet(const void* data, int length);
    Packet(const Packet& other);
    Packet& operator=(const Packet& other) = default;

    virtual ~Packet();
    virtual quint8 descriptor() const;
    virtual int size() const;
    virtual quint8* data();
    virtual QByteArray toByteArray() const;
    virtual QString toString() const;
    virtual QString toHexString() const;

    const quint8* constData() const { return m_buffer; }
    // Copies at most 64 bytes into the start of the buffer; the other bytes keep their value.
    void setData(const void* data, int length);

    // Field access by byte offset. Offsets outside the report read as 0 and are never written.
    quint8 byteAt(int offset) const;
    void setByte(int offset, quint8 value);
    quint16 bigEndian16(int offset) const;
    void setBigEndian16(int offset, quint16 value);
    quint32 bigEndian24(int offset) const;
    quint32 bigEndian32(int offset) const;
    void setBigEndian32(int offset, quint32 value);

    // A zero-padded text field of at most maxLength bytes starting at offset: a full field
    // has no terminating zero, so the read stops at the field's end.
    QString textField(int offset, int maxLength) const;
    // Writes text into the field, zero-padding the rest; a longer text is cut.
    void setTextField(int offset, int maxLength, const QString& text);

protected:
    quint8 m_buffer[bufferSize];
};

// Number formatting shared by the text forms: lower-case, zero-padded to width.
QString hexText(uint value, int width = 0);
QString binaryText(uint value, int width = 8);
