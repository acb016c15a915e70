#include "HidReports.h"

#include <algorithm>

HidOutputReport analyzerReport(const quint8* packet)
{
    HidOutputReport report{};
    std::copy_n(packet, HidFraming::packetBytes, report.begin() + 1);
    return report;
}

HidOutputReport powerReport(const quint8* packet)
{
    HidOutputReport report{};
    std::copy_n(packet, HidFraming::packetBytes, report.begin());
    return report;
}

HidOutputReport bootloaderReport(quint8 command, const quint8* data, int length)
{
    HidOutputReport report{};
    const int n = std::clamp(length, 0, HidFraming::chunkBytes);
    report[1] = command;
    report[2] = quint8(n);
    if (data)
        std::copy_n(data, n, report.begin() + 3);
    return report;
}
