#include "ColorsAgent.h"

#include "Settings.h"

namespace {
const char* const rowKeyPrefix[ColorsAgent::kindCount] = {"channel_", "report_", "mouse_"};

QString colorKey(int row, int channel)
{
    return QLatin1String(rowKeyPrefix[row]) + QString::number(channel);
}

QList<QColor> defaultRow()
{
    return {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::green)};
}
} // namespace

ColorsAgent::ColorsAgent(int dark, QObject* parent)
    : QObject(parent)
    , m_dark(dark)
    , m_background(Qt::white)
{
    load();
}

ColorsAgent::~ColorsAgent()
{
    if (differsFromStored())
        save();
}

QString ColorsAgent::groupName(int dark)
{
    return dark ? QStringLiteral("Dark") : QStringLiteral("Light");
}

void ColorsAgent::load()
{
    m_table = QList<QList<QColor>>();
    for (int row = 0; row < kindCount; ++row)
        m_table.append(defaultRow());

    Settings settings;
    settings.beginGroup(QStringLiteral("Options"));
    settings.beginGroup(groupName(m_dark));
    bool complete = true;
    for (int row = 0; row < kindCount; ++row) {
        for (int channel = 0; channel < channelCount; ++channel) {
            const QString key = colorKey(row, channel);
            complete = complete && settings.contains(key);
            QColor& c = m_table[row][channel];
            c = colorValue(settings, key, c);
        }
    }
    complete = complete && settings.contains(QStringLiteral("background"));
    m_background = colorValue(settings, QStringLiteral("background"), m_background);
    settings.endGroup();
    settings.endGroup();

    m_storedTable = m_table;
    m_storedBackground = m_background;
    m_storedComplete = complete;
}

void ColorsAgent::save()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Options"));
    settings.beginGroup(groupName(m_dark));
    for (int row = 0; row < kindCount; ++row)
        for (int channel = 0; channel < channelCount; ++channel)
            settings.setValue(colorKey(row, channel), m_table[row][channel].name());
    settings.setValue(QStringLiteral("background"), m_background.name());
    settings.endGroup();
    settings.endGroup();

    m_storedTable = m_table;
    m_storedBackground = m_background;
    m_storedComplete = true;
}

QColor& ColorsAgent::color(int kind, int channel)
{
    const int column = channel % channelCount;
    return m_table[kind][column == 1 || column == 2 ? column : 0];
}

QList<QColor>& ColorsAgent::colorSet(int kind)
{
    return m_table[kind];
}

bool ColorsAgent::differsFromStored() const
{
    return !m_storedComplete || m_table != m_storedTable || m_background != m_storedBackground;
}
