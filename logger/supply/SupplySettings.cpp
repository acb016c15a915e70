#include "SupplySettings.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonValue>

#include <cmath>

namespace SupplySettings {

namespace {
const char* const pageKeys[pageCount] = {"total", "power", "aux", "site"};

constexpr qint64 byteMaximum = 255;

struct ByteKey
{
    const char* key;
    int dataByte;
};
const ByteKey byteKeys[] = {
    {"auto_off_ampers", OffCurrent}, {"auto_off_after", OffDelay},  {"auto_on_hours", OnHour},
    {"auto_on_minutes", OnMinute},   {"auto_off_hours", OffHour},   {"auto_off_minutes", OffMinute},
    {"date_format", DateFormat},     {"slide_show_sec", PageSeconds},
};

// The fields whose widgets cannot show every byte, with the bytes each widget shows
// together: a time edit holds hour and minute, so a changed time takes both from it.
struct Field
{
    int first;
    int count;
};
const Field fields[] = {
    {OnHour, 2},        {OffHour, 2},       {DateFormat, 1},    {PageSeconds, 1},
    {FirstPage, 1},     {FirstPage + 1, 1}, {FirstPage + 2, 1}, {FirstPage + 3, 1},
    {FirstPage + 4, 1}, {FirstPage + 5, 1}, {FirstPage + 6, 1}, {FirstPage + 7, 1},
    {FirstPage + 8, 1}, {FirstPage + 9, 1}, {FirstPage + 10, 1}, {FirstPage + 11, 1},
};

// An integral JSON number, else 0 (a missing key or a value of another type included).
qint64 integerValue(const QJsonValue& value)
{
    if (!value.isDouble())
        return 0;
    const double number = value.toDouble();
    if (std::floor(number) != number || std::fabs(number) > 1e15)
        return 0;
    return qint64(number);
}

quint8 bitmapValue(const QJsonValue& value)
{
    bool ok = false;
    const qulonglong bits = value.toString().toULongLong(&ok, 2);
    return ok ? quint8(bits) : 0;
}

QString outOfRange(const char* key, qint64 value)
{
    return QCoreApplication::translate("OptionsDialog", "The value %1 of \"%2\" is out of range.")
        .arg(value).arg(QLatin1String(key));
}
} // namespace

QStringList dateFormats()
{
    return {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd/MM/yyyy"), QStringLiteral("dd.MM.yyyy"),
            QStringLiteral("MM/dd/yyyy")};
}

int pageOffset(int pageBit)
{
    for (int page = 0; page < pageCount; ++page)
        if (pageBits[page] == pageBit)
            return FirstPage + page * idsPerPage;
    return 0;
}

QList<int> pageCells(const PowerGetPacket& report, int pageBit)
{
    const int offset = pageOffset(pageBit);
    QList<int> ids;
    for (int i = 0; i < idsPerPage; ++i)
        ids << dataByte(report, offset + i);
    return ids;
}

void setPageCells(PowerGetPacket& report, int pageBit, const QList<int>& ids)
{
    const int offset = pageOffset(pageBit);
    for (int i = 0; i < idsPerPage && i < ids.size(); ++i)
        setDataByte(report, offset + i, quint8(ids.at(i)));
}

quint8 offCurrentTenths(double amperes)
{
    // Rounded, not truncated: 2.3 A times ten is 22.999... in binary floating point.
    const double tenths = std::round(qBound(0.0, amperes, maxOffCurrent) * 10.0);
    return quint8(tenths);
}

qint8 utcOffsetHours(int secondsAheadOfUtc)
{
    return qint8(secondsAheadOfUtc / 3600);
}

QByteArray pageSettings(const PowerGetPacket& report, bool power600)
{
    QByteArray bytes;
    bytes.append(char(report.byteAt(0))).append(char(report.byteAt(1))).append(char(report.byteAt(2)));
    bytes.append(char(dataByte(report, PowerBits) & 0x1F));
    bytes.append(char(dataByte(report, DisplayBits) & 0x0F));
    bytes.append(char(dataByte(report, ScreenBits) & 0x1F));
    for (int d : {OffCurrent, OffDelay, OnHour, OnMinute, OffHour, OffMinute, DateFormat, PageSeconds})
        bytes.append(char(dataByte(report, d)));
    for (int d = FirstPage; d < FirstPage + pageCount * idsPerPage; ++d)
        bytes.append(char(dataByte(report, d)));
    bytes.append(char(power600 ? dataByte(report, Trim12V) : 0));
    return bytes;
}

void keepUntouched(PowerGetPacket& read, const PowerGetPacket& shownRead, const PowerGetPacket& shown)
{
    for (const Field& field : fields) {
        bool untouched = true;
        for (int d = field.first; d < field.first + field.count; ++d)
            untouched = untouched && dataByte(read, d) == dataByte(shownRead, d);
        if (untouched)
            for (int d = field.first; d < field.first + field.count; ++d)
                setDataByte(read, d, dataByte(shown, d));
    }
}

PowerSetPacket settingsWrite(const PowerGetPacket& current, quint8 flag, const QDateTime& now)
{
    PowerSetPacket write(current);
    write.setByte(2, PowerCode::SettingsWritten);
    setDataByte(write, Flags, quint8(dataByte(write, Flags) | flag));
    if (flag & SetClock)
        write.setBigEndian32(write.dataOffset + Clock, quint32(now.toSecsSinceEpoch()));
    return write;
}

QJsonObject toJson(const PowerGetPacket& report)
{
    QJsonObject object;
    object.insert(QStringLiteral("command"), PowerCode::Settings);
    object.insert(QStringLiteral("bitmap1"), binaryText(dataByte(report, PowerBits)));
    object.insert(QStringLiteral("bitmap2"), binaryText(dataByte(report, DisplayBits)));
    object.insert(QStringLiteral("bitmap3"), binaryText(dataByte(report, ScreenBits)));
    for (const ByteKey& field : byteKeys)
        object.insert(QLatin1String(field.key), dataByte(report, field.dataByte));
    for (int page = 0; page < pageCount; ++page) {
        QJsonArray ids;
        for (int id : pageCells(report, pageBits[page]))
            ids.append(id);
        object.insert(QLatin1String(pageKeys[page]), ids);
    }
    return object;
}

bool fromJson(PowerGetPacket& report, const QJsonObject& object, QString* error)
{
    // Everything is checked on a copy first, so a refused file changes nothing.
    PowerGetPacket result(report);
    result.setByte(2, quint8(integerValue(object.value(QStringLiteral("command")))));
    setDataByte(result, PowerBits, bitmapValue(object.value(QStringLiteral("bitmap1"))));
    setDataByte(result, DisplayBits, bitmapValue(object.value(QStringLiteral("bitmap2"))));
    setDataByte(result, ScreenBits, bitmapValue(object.value(QStringLiteral("bitmap3"))));
    for (const ByteKey& field : byteKeys) {
        const qint64 value = integerValue(object.value(QLatin1String(field.key)));
        if (value < 0 || value > byteMaximum) {
            if (error)
                *error = outOfRange(field.key, value);
            return false;
        }
        setDataByte(result, field.dataByte, quint8(value));
    }
    for (int page = 0; page < pageCount; ++page) {
        const QJsonValue value = object.value(QLatin1String(pageKeys[page]));
        if (!value.isArray())
            continue;
        const QJsonArray ids = value.toArray();
        QList<int> cells = pageCells(result, pageBits[page]);
        for (int i = 0; i < idsPerPage && i < ids.size(); ++i) {
            const qint64 id = integerValue(ids.at(i));
            if (id < 0 || id > byteMaximum) {
                if (error)
                    *error = outOfRange(pageKeys[page], id);
                return false;
            }
            cells[i] = int(id);
        }
        setPageCells(result, pageBits[page], cells);
    }
    report = result;
    return true;
}

} // namespace SupplySettings
