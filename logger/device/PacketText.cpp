#include "PacketText.h"

#include "UnitFormat.h"

#include <cstring>

namespace {
constexpr char16_t latin1Micro = u'\u00b5';
}

QString decodeFieldText(const quint8* field, int length)
{
    const auto* end = static_cast<const quint8*>(std::memchr(field, 0, size_t(length)));
    const int used = end ? int(end - field) : length;
    QString text = QString::fromLatin1(reinterpret_cast<const char*>(field), used);
    text.replace(QChar(latin1Micro), QChar(microSign));
    return text;
}

void encodeFieldText(const QString& text, quint8* field, int length)
{
    std::memset(field, 0, size_t(length));
    const int used = qMin(int(text.size()), length);
    for (int i = 0; i < used; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == microSign)
            field[i] = quint8(latin1Micro);
        else
            field[i] = c < 0x100 ? quint8(c) : quint8('?');
    }
}
