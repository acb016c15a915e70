#include "SwapFile.h"

#include "DeviceControl.h"
#include "LogHeaderRule.h"
#include "LoggerState.h"
#include "RecordFile.h"
#include "RecordLayout.h"
#include "Settings.h"
#include "SwapFileWriter.h"

#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QMutexLocker>
#include <QStringList>

#include <cstring>

namespace {
constexpr char thresholdsKey[] = "thresholds";
constexpr char defaultThresholds[] = "25,1000,3200";

// An INI value with commas comes back as a list when it was written without quotes.
QString settingText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

quint8 deviceKindFromFlags(quint8 kind)
{
    if (powerSupplyConnected)
        kind = LogFormat::PowerSupply;
    if (power600Model)
        kind = LogFormat::PowerSupply600;
    return kind;
}
} // namespace

SwapFile::SwapFile(QObject* parent)
    : QObject(parent)
    , overview(new QCPGraphDataContainer)
    , m_header(defaultSwapFileHeader())
{
    readThresholds();
}

SwapFile::~SwapFile()
{
    // Points still on their way are written before the file closes.
    m_writer.reset();
    closeFile();
}

SwapFileWriter& SwapFile::writer()
{
    if (!m_writer)
        m_writer = std::make_unique<SwapFileWriter>(*this);
    return *m_writer;
}

void SwapFile::readThresholds()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Options"));
    const QString text = settingText(
        settings.value(QLatin1String(thresholdsKey), QLatin1String(defaultThresholds)));
    RecordLayout::parseThresholds(text, thresholds);
}

bool SwapFile::fail(int code)
{
    emit swapFileError(code);
    return false;
}

void SwapFile::closeFile()
{
    // A reader must not close the file under a write of the background writer.
    QMutexLocker lock(&m_appendMutex);
    if (m_file.isOpen())
        m_file.close();
}

void SwapFile::rebuildChannelList()
{
    m_channelList = RecordLayout::channelList(m_header, power600Model);
}

bool SwapFile::create(const QString& fileName)
{
    closeFile();
    m_file.setFileName(fileName);
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return fail(SwapFileErrors::CantCreate);
    m_header.deviceKind = deviceKindFromFlags(m_header.deviceKind);
    const QByteArray block = encodeHeaderBlock(m_header, 0);
    const bool written = m_file.write(block) == block.size();
    m_recordsWritten = 0;
    m_recordsEnd = -1;
    m_file.close();
    if (!written)
        return fail(SwapFileErrors::CantCreate);
    qDebug().noquote() << "SwapFile::create()" << fileName;
    return true;
}

void SwapFile::writeHeader(const SwapFileHeader& record)
{
    m_header = record;
    m_header.deviceKind = deviceKindFromFlags(m_header.deviceKind);
    m_holdsCapture = true;
    rebuildChannelList();
    if (power600Model) {
        std::memset(m_header.channelNumbers32, 0, sizeof m_header.channelNumbers32);
        for (int i = 0; i < m_channelList.size(); ++i)
            m_header.channelNumbers32[i] = quint8(m_channelList.at(i));
    } else {
        std::memset(m_header.channelNumbers, 0, sizeof m_header.channelNumbers);
        for (int i = 0; i < m_channelList.size(); ++i)
            m_header.channelNumbers[i] = quint8(m_channelList.at(i));
    }
    m_creationTime = QDateTime::currentMSecsSinceEpoch();

    closeFile();
    uchar* view = nullptr;
    if (m_file.open(QIODevice::ReadWrite | QIODevice::Append)
        && m_file.size() >= LogFormat::headerBlockSize)
        view = m_file.map(0, LogFormat::headerBlockSize);
    if (!view) {
        closeFile();
        emit swapFileError(SwapFileErrors::MappingError);
        return;
    }
    const QByteArray block = encodeHeaderBlock(m_header, m_creationTime);
    std::memcpy(view + LogFormat::creationTimeOffset, block.constData() + LogFormat::creationTimeOffset,
                sizeof(qint64));
    std::memcpy(view, block.constData(), LogFormat::headerRecordSize);
    m_file.unmap(view);
    m_file.close();
    readThresholds();
}

void SwapFile::writeHeader(const DeviceControl& control)
{
    SwapFileHeader record = defaultSwapFileHeader(LogFormat::Analyzer);
    const quint16 mask = control.channelMask();
    record.channelCount = quint8(channelsFromMask(mask, 16).size());
    record.channelMask = quint8(mask & 0xFF);
    record.samplePeriod = control.sampleRate();
    writeHeader(record);
}

void SwapFile::writeHeader(quint8 channelCount, quint32 mask, bool customRate, quint16 samplePeriod,
                           bool fahrenheit)
{
    SwapFileHeader record = defaultSwapFileHeader(LogFormat::Analyzer);
    record.channelCount = channelCount;
    if (power600Model)
        record.channelMask32 = mask;
    else
        record.channelMask = quint8(mask & 0xFF);
    record.samplePeriod = samplePeriod;
    record.fahrenheit = fahrenheit ? 1 : 0;
    record.customRate = customRate ? 1 : 0;
    writeHeader(record);
}

bool SwapFile::readHeader()
{
    if (m_cancelRequested) {
        m_wasCancelled = true;
        return false;
    }
    RecordFile file;
    char bytes[LogFormat::headerRecordSize];
    if (!file.open(fileName()) || file.fileSize() < LogFormat::headerBlockSize
        || !file.readBytes(0, LogFormat::headerRecordSize, bytes))
        return fail(SwapFileErrors::MappingError);
    m_header = decodeHeader(bytes);
    const int problem = RecordLayout::headerProblem(m_header);
    if (problem != SwapFileErrors::None)
        return fail(problem);
    m_holdsCapture = true;
    rebuildChannelList();
    readThresholds();
    return true;
}

SwapFileHeader SwapFile::readHeaderOf(const QString& fileName)
{
    const SwapFileHeader unreadable = defaultSwapFileHeader(LogFormat::UnreadableKind);
    RecordFile file;
    char bytes[LogFormat::headerRecordSize];
    if (!file.open(fileName) || file.fileSize() < LogFormat::headerBlockSize
        || !file.readBytes(0, LogFormat::headerRecordSize, bytes))
        return unreadable;
    const SwapFileHeader header = decodeHeader(bytes);
    // A newer version of a sound header is handed on so that opening can name the reason.
    if (LogHeaderRule::judge(header) == LogHeaderRule::Verdict::NotALog)
        return unreadable;
    return header;
}

int SwapFile::readReportBlock(char* block)
{
    RecordFile file;
    if (!file.open(fileName()))
        return SwapFileErrors::CantOpen;
    if (file.fileSize() < LogFormat::headerAndReportSize
        || !file.readBytes(file.fileSize() - LogFormat::reportSize, LogFormat::reportSize, block))
        return SwapFileErrors::MappingError;
    return SwapFileErrors::None;
}

ChannelStatistics SwapFile::readReport()
{
    closeFile();
    if (m_cutOff)
        return statisticsOfRecords();
    char block[LogFormat::reportSize];
    const int problem = readReportBlock(block);
    if (problem == SwapFileErrors::CantOpen) {
        ChannelStatistics zero;
        std::memset(&zero, 0, sizeof zero);
        fail(problem);
        return zero;
    }
    if (problem != SwapFileErrors::None) {
        fail(problem);
        return freshStatistics();
    }
    return decodeStatistics(block);
}

bool SwapFile::writeReport(const char* block)
{
    if (!m_file.isOpen()
        && !m_file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        qInfo() << "SwapFile::writeReport FAILED to open file";
        return fail(SwapFileErrors::CantOpen);
    }
    if (m_file.write(block, LogFormat::reportSize) != LogFormat::reportSize)
        return fail(SwapFileErrors::WriteFailed);
    return true;
}

bool SwapFile::writeReport(const ChannelStatistics& statistics)
{
    char block[LogFormat::reportSize];
    encodeStatistics(statistics, block);
    return writeReport(block);
}

bool SwapFile::save(const QString& newName)
{
    closeFile();
    if (QFileInfo(newName).absoluteFilePath() == QFileInfo(fileName()).absoluteFilePath())
        return true;
    bool moved = m_file.rename(newName);
    // The save dialog has already asked whether an existing file may be replaced.
    if (!moved && QFile::exists(newName) && QFile::remove(newName))
        moved = m_file.rename(newName);
    if (!moved) {
        qDebug().noquote() << "SwapFile::save" << m_file.errorString();
        return fail(SwapFileErrors::CantSave);
    }
    return true;
}

bool SwapFile::save(QString&& newName)
{
    return save(static_cast<const QString&>(newName));
}

SwapFile::SaveResult SwapFile::saveAs(const QString& newName)
{
    if (!QFileInfo::exists(newName)) {
        const bool saved = save(newName);
        return {saved, saved ? QString() : errorString()};
    }
    const QString original = fileName();
    SaveResult result = replaceThroughPartial(newName, [this](const QString& partial, QString* reason) {
        if (save(partial))
            return true;
        *reason = errorString();
        return false;
    });
    // The file goes back where it was rather than stay hidden beside the target.
    if (!result.saved && fileName() != original)
        save(original);
    return result;
}

SwapFile::SaveResult SwapFile::saveCopyAs(const QString& newName)
{
    closeFile();
    QFile source(fileName());
    SaveResult result = replaceThroughPartial(newName, [&source](const QString& partial, QString* reason) {
        if (source.copy(partial))
            return true;
        *reason = source.errorString();
        return false;
    });
    if (!result.saved) {
        QFile::remove(partialNameOf(newName));
        qDebug().noquote() << "SwapFile::saveCopyAs" << result.reason;
    }
    return result;
}

QString SwapFile::partialNameOf(const QString& target)
{
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".part");
}

SwapFile::SaveResult SwapFile::replaceThroughPartial(
    const QString& target, const std::function<bool(const QString&, QString*)>& makePartial)
{
    SaveResult result;
    const QFileInfo info(target);
    // A log saved onto its own file is already there.
    if (info.exists() && info.canonicalFilePath() == QFileInfo(fileName()).canonicalFilePath()) {
        result.saved = true;
        return result;
    }
    const QString partial = partialNameOf(target);
    QFile::remove(partial);
    if (!makePartial(partial, &result.reason))
        return result;
    QFile old(target);
    if (old.exists() && !old.remove()) {
        result.reason = old.errorString();
        return result;
    }
    QFile complete(partial);
    if (!complete.rename(target)) {
        result.reason = complete.errorString();
        return result;
    }
    m_file.setFileName(target);
    result.saved = true;
    return result;
}

bool SwapFile::remove()
{
    qDebug().noquote() << "SwapFile::remove()" << fileName();
    m_holdsCapture = false;
    closeFile();
    if (!m_file.remove()) {
        qDebug().noquote() << "SwapFile::remove" << m_file.errorString();
        return fail(SwapFileErrors::CantRemove);
    }
    return true;
}

void SwapFile::cancel()
{
    m_cancelRequested = true;
    m_wasCancelled = false;
}
