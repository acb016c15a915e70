#include "SettingsPage.h"

#include <QDateTime>

#include <algorithm>

namespace SupplySettings {

namespace {
// Each bit of the three bitmaps and the field that shows it.
struct Bit
{
    int dataByte;
    quint8 bit;
    bool PageFields::*field;
};
const Bit bits[] = {
    {PowerBits, LongTouch, &PageFields::longTouch},      {PowerBits, RestoreOutput, &PageFields::restoreOutput},
    {PowerBits, AutoOffLow, &PageFields::autoOffLow},    {PowerBits, AutoOn, &PageFields::autoOn},
    {PowerBits, AutoOff, &PageFields::autoOff},          {DisplayBits, ShowTimeOff, &PageFields::showTimeOff},
    {DisplayBits, DigitalWatch, &PageFields::digitalWatch}, {DisplayBits, Celsius, &PageFields::celsius},
    {DisplayBits, Clock24h, &PageFields::clock24h},      {ScreenBits, InTurn, &PageFields::inTurn},
    {ScreenBits, Total, &PageFields::total},             {ScreenBits, Main, &PageFields::main},
    {ScreenBits, Aux, &PageFields::aux},                 {ScreenBits, User, &PageFields::user},
};
} // namespace

PageFields pageFields(const PowerGetPacket& report)
{
    PageFields fields;
    for (const Bit& bit : bits)
        fields.*bit.field = dataByte(report, bit.dataByte) & bit.bit;
    fields.offAmperes = dataByte(report, OffCurrent) / 10.0;
    fields.offDelayMinutes = dataByte(report, OffDelay);
    fields.onHour = dataByte(report, OnHour);
    fields.onMinute = dataByte(report, OnMinute);
    fields.offHour = dataByte(report, OffHour);
    fields.offMinute = dataByte(report, OffMinute);
    fields.dateFormat = dataByte(report, DateFormat);
    fields.pageSeconds = dataByte(report, PageSeconds);
    for (int page = 0; page < pageCount; ++page)
        fields.cells[page] = pageCells(report, pageBits[page]);
    fields.trim12V = dataByte(report, Trim12V);
    return fields;
}

void writePageFields(PowerGetPacket& report, const PageFields& fields, bool power600, quint8 fallbackDateFormat)
{
    report.reset();
    for (const Bit& bit : bits)
        if (fields.*bit.field)
            setDataByte(report, bit.dataByte, quint8(dataByte(report, bit.dataByte) | bit.bit));
    setDataByte(report, OffCurrent, offCurrentTenths(fields.offAmperes));
    setDataByte(report, OffDelay, quint8(fields.offDelayMinutes));
    setDataByte(report, UtcOffset, quint8(utcOffsetHours(QDateTime::currentDateTime().offsetFromUtc())));
    setDataByte(report, OnHour, quint8(fields.onHour));
    setDataByte(report, OnMinute, quint8(fields.onMinute));
    setDataByte(report, OffHour, quint8(fields.offHour));
    setDataByte(report, OffMinute, quint8(fields.offMinute));
    setDataByte(report, DateFormat, fields.dateFormat < 0 ? fallbackDateFormat : quint8(fields.dateFormat));
    setDataByte(report, PageSeconds, quint8(fields.pageSeconds));
    for (int page = 0; page < pageCount; ++page)
        setPageCells(report, pageBits[page], fields.cells[page]);
    if (power600)
        setDataByte(report, Trim12V, quint8(fields.trim12V));
}

PowerGetPacket unknownSettings()
{
    PowerGetPacket report;
    std::fill_n(report.data(), Packet::bufferSize, quint8(0));
    return report;
}

void ShownPage::remember(const PowerGetPacket& shown, const PageFields& widgetsAfterShowing, bool power600)
{
    m_shown = shown;
    writePageFields(m_shownRead, widgetsAfterShowing, power600, dataByte(m_shown, DateFormat));
}

void ShownPage::read(PowerGetPacket& report, const PageFields& widgets, bool power600) const
{
    writePageFields(report, widgets, power600, dataByte(m_shown, DateFormat));
    keepUntouched(report, m_shownRead, m_shown);
}

} // namespace SupplySettings
