#pragma once

// The layout of the supply's settings report (code 0x0A read, 0x0B write) and the small
// conversions between it and what the settings page shows. Data byte d is report byte
// 3 + d; multi-byte values are big-endian.

#include "PowerPackets.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QStringList>

namespace SupplySettings {

enum DataByte {
    PowerBits = 0,      // bitmap 1, PowerBit
    DisplayBits = 1,    // bitmap 2, DisplayBit
    ScreenBits = 2,     // bitmap 3, ScreenBit
    OffCurrent = 3,     // switch-off threshold, tenths of an ampere
    OffDelay = 4,       // minutes
    UtcOffset = 5,      // the computer's whole hours from UTC, signed
    OnHour = 6,
    OnMinute = 7,
    OffHour = 8,
    OffMinute = 9,
    DateFormat = 10,    // index into dateFormats()
    PageSeconds = 19,   // seconds per page when the pages take turns
    FirstPage = 20,     // three parameter ids per page: TOTAL, POWER, AUX, SITE
    Trim12V = 32,       // second model only
    Flags = 54,         // command of a write, WriteFlag
    Clock = 55,         // with SetClock: the computer's time, 32-bit seconds since 1970
};

enum PowerBit { LongTouch = 0x01, RestoreOutput = 0x02, AutoOffLow = 0x04, AutoOn = 0x08, AutoOff = 0x10 };
enum DisplayBit { ShowTimeOff = 0x01, DigitalWatch = 0x02, Celsius = 0x04, Clock24h = 0x08 };
// The page bits double as the pages' names throughout the settings page.
enum ScreenBit { InTurn = 0x01, Total = 0x02, Main = 0x04, Aux = 0x08, User = 0x10 };
enum WriteFlag { Apply = 0x01, Save = 0x02, RestoreDefaults = 0x04, SetClock = 0x08 };

inline constexpr int pageCount = 4;
inline constexpr int idsPerPage = 3;
inline constexpr int pageBits[pageCount] = {Total, Main, Aux, User};
// The switch-off threshold is one byte of tenths of an ampere.
inline constexpr double maxOffCurrent = 25.5;

inline quint8 dataByte(const PowerGetPacket& report, int d) { return report.byteAt(report.dataOffset + d); }
inline void setDataByte(PowerGetPacket& report, int d, quint8 value) { report.setByte(report.dataOffset + d, value); }

// "yyyy-MM-dd", "dd/MM/yyyy", "dd.MM.yyyy", "MM/dd/yyyy", in index order.
QStringList dateFormats();

// First data byte of a page's three ids: 20, 23, 26, 29; 0 for any other bit.
int pageOffset(int pageBit);
QList<int> pageCells(const PowerGetPacket& report, int pageBit);
void setPageCells(PowerGetPacket& report, int pageBit, const QList<int>& ids);

// Tenths of an ampere, the spin box's value capped at what the byte holds.
quint8 offCurrentTenths(double amperes);
// Whole hours of an offset from UTC, truncated toward zero (UTC-3:30 gives -3).
qint8 utcOffsetHours(int secondsAheadOfUtc);

// The bytes of a report that the settings page shows and edits, for comparing what the
// page holds with what the supply sent: the computer's UTC offset, unused bits and bytes,
// and the 12 V trim of the first model are left out.
QByteArray pageSettings(const PowerGetPacket& report, bool power600);

// The page's widgets cannot show every byte a supply may hold (a page time of 0 seconds,
// hour 24, minute 60, date format 4, a parameter id the program does not know). A field
// whose widgets still read as they did right after showing a report keeps that report's
// bytes, so that only what the user changed differs from what the supply sent.
// read: the widgets now; shownRead: the widgets right after showing; shown: that report.
void keepUntouched(PowerGetPacket& read, const PowerGetPacket& shownRead, const PowerGetPacket& shown);

// A settings write: the current report with code 0x0B and one command flag; the set-clock
// command also carries the given time.
PowerSetPacket settingsWrite(const PowerGetPacket& current, quint8 flag,
                             const QDateTime& now = QDateTime::currentDateTime());

// The settings as a JSON file holds them (the UTC offset, the 12 V trim and the command
// are not part of it).
QJsonObject toJson(const PowerGetPacket& report);
// Reads a file's values into the report. Every byte a supply may send is taken as it is,
// also one the page cannot show, so that an exported file always imports again; a value
// that does not fit its byte refuses the whole file: the report is then left as it was
// and error says why. A missing or mistyped value gives 0;
// a missing page leaves its ids as they were; a page's entries beyond three are ignored.
bool fromJson(PowerGetPacket& report, const QJsonObject& object, QString* error = nullptr);

} // namespace SupplySettings
