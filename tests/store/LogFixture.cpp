#include "LogFixture.h"

#include <QFile>
#include <QStringList>

SwapFileHeader analyzerHeader(quint8 mask, quint16 period)
{
    SwapFileHeader h = defaultSwapFileHeader();
    const QList<int> channels = channelsFromMask(mask, 8);
    h.channelMask = mask;
    h.channelCount = quint8(channels.size());
    for (int i = 0; i < channels.size(); ++i)
        h.channelNumbers[i] = quint8(channels.at(i));
    h.samplePeriod = period;
    return h;
}

QVector<double> evenKeys(qint64 count, quint16 period, double firstKey, qint64 gapAfter,
                         qint64 gapRecords)
{
    QVector<double> keys;
    const double p = period * 0.0001;
    qint64 sample = qint64(firstKey / p + 0.5);
    for (qint64 k = 0; k < count; ++k) {
        keys.append(sample * p);
        sample += (k == gapAfter) ? gapRecords + 1 : 1;
    }
    return keys;
}

QByteArray buildLog(const LogPlan& plan)
{
    QByteArray bytes = encodeHeaderBlock(plan.header, 1234);
    const int values = plan.header.channelCount;
    char field[8];
    for (qint64 k = 0; k < plan.keys.size(); ++k) {
        writeDoubleLE(field, plan.keys.at(k));
        bytes.append(field, 8);
        for (int p = 0; p < values; ++p) {
            writeDoubleLE(field, plan.value(k, p));
            bytes.append(field, 8);
        }
    }
    bytes.append(plan.trailing);
    if (plan.withReport) {
        char report[LogFormat::reportSize];
        encodeStatistics(plan.report, report);
        bytes.append(report, sizeof report);
    }
    return bytes;
}

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write fixture %s", qPrintable(path));
    return path;
}

QString writeLog(const QString& path, const LogPlan& plan)
{
    return writeBytes(path, buildLog(plan));
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

ChannelMaps emptyMaps(int count)
{
    ChannelMaps maps;
    for (int i = 0; i < count; ++i)
        maps.append(ChannelMap(new QCPGraphDataContainer));
    return maps;
}

QVector<double> keysOf(const QCPGraphDataContainer& map)
{
    QVector<double> keys;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        keys.append(it->key);
    return keys;
}

QVector<double> valuesOf(const QCPGraphDataContainer& map)
{
    QVector<double> values;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        values.append(it->value);
    return values;
}

QString describe(const QCPGraphDataContainer& map)
{
    QStringList parts;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        parts << QStringLiteral("%1:%2").arg(it->key, 0, 'g', 10).arg(it->value);
    return parts.join(QLatin1Char(' '));
}
