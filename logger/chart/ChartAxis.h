#pragma once

#include "AxisRules.h"

#include <qcustomplot.h>

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

class ChartAxisPainter;
class ChartTicker;

// The axis of every chart plot. On top of the library's axis it keeps the range inside
// two limits (whoever changes the range: the program, the mouse or the library itself),
// refuses zooms narrower than 0.001, numbers its ticks with a unit divisor and digit
// groups (announced through axisUnitChanged so the labels can be rewritten), and draws
// the time axis with a second label row fed from tickLabelMap.
//
// The library's setRange and scaleRange are not virtual: call them through a ChartAxis
// pointer (chartAxis() below) to get the rules directly. A change made through a plain
// QCPAxis pointer is pulled back inside the limits right after it happens.
class ChartAxis : public QCPAxis
{
    Q_OBJECT
public:
    ChartAxis(QCPAxisRect* rect, AxisType type);
    ~ChartAxis() override;

    double rangeMin() const { return m_rangeMin; }
    double rangeMax() const { return m_rangeMax; }
    // Store a limit only: the current range stays as it is and nothing is emitted.
    void setRangeMin(double value) { m_rangeMin = value; }
    void setRangeMax(double value) { m_rangeMax = value; }

    // The library's setters under the limits: the request is ordered and clamped into
    // [rangeMin, rangeMax], passed through adjustRange and then set (both rangeChanged
    // signals). Equal or unusable requests change nothing.
    void setRange(const QCPRange& range);
    void setRange(double lower, double upper);
    // Zoom around `center`; refuses ranges narrower than 0.001 and clamps to the limits.
    virtual void scaleRange(double factor, double center);
    void scaleRange(double factor);
    virtual QCPRange adjustRange(const QCPRange& range);
    virtual QCPRange adjustScaledRange(const QCPRange& range);

    // Tick settings: roughly `count` ticks; sub-ticks chosen per tick step or fixed.
    void setAutoTickCount(int count);
    void setAutoSubTicks(bool automatic) { m_autoSubTicks = automatic; }
    bool autoSubTicks() const { return m_autoSubTicks; }
    int subTickCount() const { return m_subTickCount; }

    // Sets the sub-tick count and rebuilds the sub-ticks between the current ticks.
    void generateSubTicks(int count);
    // Builds the number labels of the current ticks and emits axisUnitChanged.
    virtual void generateTickLabels();
    // Indexes of the lowest and the highest tick inside the range.
    QPair<int, int> visibleTickRange();

    bool useTickLabelMap() const { return m_useTickLabelMap; }
    // The time axis's label rows; their first row is thinned so that no labels overlap.
    void setUseTickLabelMap(bool use);
    // Thins the tick labels of an axis without the label rows the same way.
    void setThinTickLabels(bool thin);
    // Texts of the second label row, keyed by tick index; key -1 is drawn at the axis start.
    QMap<int, QString> tickLabelMap;
    // The arrow for the start label (key -1) that the label font can draw.
    QString startArrow() const;

    // The area where a press or the pointer counts as being on this axis: axis line,
    // tick marks, tick labels and title, as last drawn.
    QRect hitArea() const;

signals:
    // Emitted whenever the number labels are generated, with the divisor (1, 1000 or
    // 1000000), the ticks and their labels; receivers may rewrite both lists.
    void axisUnitChanged(QCPAxis* axis, int _upper, QList<double>& mTickVector,
                         QList<QString>& tickLabels);

protected:
    void draw(QCPPainter* painter) override;
    int calculateMargin() override;
    // Dragging and wheel zoom belong to the plot and its axis rect, not to the axis.
    void mousePressEvent(QMouseEvent* event, const QVariant& details) override;
    void mouseMoveEvent(QMouseEvent* event, const QPointF& startPos) override;
    void mouseReleaseEvent(QMouseEvent* event, const QPointF& startPos) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class ChartTicker;
    struct TickSet
    {
        QVector<double> ticks;
        QVector<QString> labels;
        QVector<double> subTicks;
    };
    // One tick set-up for the library: ticks and sub-ticks from the ticker's proposal,
    // labels generated and announced; only the visible ticks go back to the library.
    TickSet setupTicks(const QList<double>& proposedTicks, int proposedSubTickCount);
    void keepInsideLimits(const QCPRange& newRange);
    void applyRange(const QCPRange& range);
    ChartAxisPainter* chartPainter() const;

    double m_rangeMin = AxisRules::defaultRangeMin;
    double m_rangeMax = AxisRules::defaultRangeMax;
    bool m_pullingBack = false;
    bool m_useTickLabelMap = false;
    bool m_autoSubTicks = true;
    int m_subTickCount = 4;
    QList<double> m_ticks;
    QList<QString> m_labels;
    QList<double> m_subTicks;
    int m_firstDrawnTick = 0;
    QSharedPointer<ChartTicker> m_ticker;
};

// The chart axis behind a library axis pointer, or null.
inline ChartAxis* chartAxis(QCPAxis* axis)
{
    return qobject_cast<ChartAxis*>(axis);
}

// Value axis of analyzer channel 0.
class Axis : public ChartAxis
{
    Q_OBJECT
public:
    using ChartAxis::ChartAxis;
    ~Axis() override;
};

// Value axis of one power-supply channel; `channel` tells the main window which one.
class AxisPower : public ChartAxis
{
    Q_OBJECT
public:
    AxisPower(QCPAxisRect* rect, AxisType type, int channel);
    ~AxisPower() override;

    int channel;
    // A temperature axis of a log recorded in degrees Fahrenheit: its unit is "F", not "C".
    bool fahrenheit = false;
};
