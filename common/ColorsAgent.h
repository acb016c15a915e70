#pragma once

#include <QColor>
#include <QList>
#include <QObject>

// One colour theme (dark or light): per channel 0..2 a chart, a report-bar and a
// mouse-hint colour, plus the chart background. Loads from "Options"/"Dark" or
// "Options"/"Light" when made and writes back when destroyed.
class ColorsAgent : public QObject
{
    Q_OBJECT
public:
    enum Kind { Chart = 0, Report = 1, MouseHint = 2 };
    static constexpr int kindCount = 3;
    static constexpr int channelCount = 3;

    ColorsAgent(int dark, QObject* parent = nullptr);
    ~ColorsAgent() override;

    void load();
    void save();

    // Row `kind`, column `channel` modulo 3 (1 and 2 pick the second and third colour,
    // anything else the first). Callers pass kind 0, 1 or 2.
    QColor& color(int kind, int channel);
    QList<QColor>& colorSet(int kind);

    QList<QList<QColor>>& table() { return m_table; }
    const QList<QList<QColor>>& table() const { return m_table; }
    QColor& background() { return m_background; }

    static QString groupName(int dark);

private:
    bool differsFromStored() const;

    int m_dark;
    QList<QList<QColor>> m_table;
    QColor m_background;
    // What the settings file held at the last load or save; the destructor writes only
    // when the theme differs from it (or the file lacked some of its keys).
    QList<QList<QColor>> m_storedTable;
    QColor m_storedBackground;
    bool m_storedComplete = false;
};
