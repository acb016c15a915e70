#include "SupplyCommands.h"

#include "PowerPackets.h"

namespace {
constexpr int maxSupplyRate = 10000;
} // namespace

bool isSupplyRate(int rate)
{
    return rate >= 1 && rate <= maxSupplyRate && maxSupplyRate % rate == 0;
}

int nearestSupplyRate(int rate)
{
    if (rate <= 1)
        return 1;
    if (rate >= maxSupplyRate)
        return maxSupplyRate;
    int below = rate;
    while (!isSupplyRate(below))
        --below;
    int above = rate;
    while (!isSupplyRate(above))
        ++above;
    return rate - below <= above - rate ? below : above;
}

quint16 supplySamplePeriod(int rate)
{
    return isSupplyRate(rate) ? quint16(maxSupplyRate / rate) : 0;
}

PowerLogRequest parsePowerLogCommand(const QString& command)
{
    PowerLogRequest request;
    if (!command.startsWith(QLatin1String("LOG")))
        return request;
    const QString arguments = command.mid(3).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
    const qsizetype c = arguments.indexOf(QLatin1Char('C'));
    if (c <= 0)
        return request;
    bool numeric = false;
    request.rate = arguments.left(c).toInt(&numeric);
    const QString digits = arguments.mid(c + 1);
    if (!numeric || !isSupplyRate(request.rate) || digits.isEmpty())
        return request;
    for (const QChar digit : digits) {
        bool ok = false;
        const int channel = QString(digit).toInt(&ok, 16);
        if (!ok || request.channels.contains(channel))
            return request;
        request.channels << channel;
        request.mask |= quint16(1u << channel);
    }
    request.valid = true;
    return request;
}

PowerReply parsePowerReply(const PowerPacket& packet)
{
    PowerReply reply;
    const QString text = packet.replyText();
    const qsizetype cr = text.indexOf(QLatin1Char('\r'));
    if (cr < 0) {
        reply.text = text.trimmed();
        return reply;
    }
    reply.text = text.left(cr).trimmed();
    if (reply.text == QLatin1String("ON"))
        reply.kind = PowerReply::On;
    else if (reply.text == QLatin1String("OFF"))
        reply.kind = PowerReply::Off;
    return reply;
}
