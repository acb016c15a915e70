#pragma once

// The 65-byte output reports written to the instruments: one report id byte, then the
// 64 report bytes (text commands: powerTextReport). Built apart from the transport so that each framing can be checked
// byte for byte.

#include <QtGlobal>

#include <array>

using HidOutputReport = std::array<quint8, 65>;

namespace HidFraming {
inline constexpr int packetBytes = 64;
// Data bytes in one bootloader report.
inline constexpr int chunkBytes = 48;

enum BootloaderCommand : quint8 {
    FirstChunk = 3,
    NextChunk = 4,
    Finish = 5,
    StartApplication = 6,
};
} // namespace HidFraming

// Analyzer framing: report id 0, then the 64 packet bytes.
HidOutputReport analyzerReport(const quint8* packet);
// Power framing: the 64 packet bytes from byte 0 (byte 0 is the report id), then a zero.
HidOutputReport powerReport(const quint8* packet);
// A bootloader report: report id 0, the command, the data length (at most 48), the data.
HidOutputReport bootloaderReport(quint8 command, const quint8* data, int length);
