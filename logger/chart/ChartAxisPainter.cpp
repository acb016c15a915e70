#include "ChartAxisPainter.h"

#include <QFontMetrics>

#include <algorithm>

ChartAxisPainter::ChartAxisPainter(QCustomPlot* parentPlot, const QCPAxisPainterPrivate& previous)
    : QCPAxisPainterPrivate(parentPlot)
{
    type = previous.type;
    basePen = previous.basePen;
    lowerEnding = previous.lowerEnding;
    upperEnding = previous.upperEnding;
    labelPadding = previous.labelPadding;
    labelFont = previous.labelFont;
    labelColor = previous.labelColor;
    label = previous.label;
    tickLabelPadding = previous.tickLabelPadding;
    tickLabelRotation = previous.tickLabelRotation;
    tickLabelSide = previous.tickLabelSide;
    substituteExponent = previous.substituteExponent;
    numberMultiplyCross = previous.numberMultiplyCross;
    tickLengthIn = previous.tickLengthIn;
    tickLengthOut = previous.tickLengthOut;
    subTickLengthIn = previous.subTickLengthIn;
    subTickLengthOut = previous.subTickLengthOut;
    tickPen = previous.tickPen;
    subTickPen = previous.subTickPen;
    tickLabelFont = previous.tickLabelFont;
    tickLabelColor = previous.tickLabelColor;
    axisRect = previous.axisRect;
    viewportRect = previous.viewportRect;
    offset = previous.offset;
    abbreviateDecimalPowers = previous.abbreviateDecimalPowers;
    reversedEndings = previous.reversedEndings;
}

void ChartAxisPainter::setLabelRows(bool enabled, const QMap<int, QString>& positionMap)
{
    m_rowsEnabled = enabled;
    m_positionMap = enabled ? positionMap : QMap<int, QString>();
}

int ChartAxisPainter::secondRowHeight() const
{
    return QFontMetrics(labelFont).height();
}

int ChartAxisPainter::outwardTickLength() const
{
    return std::max(0, std::max(tickLengthOut, subTickLengthOut));
}

int ChartAxisPainter::labelWidth(const QFont& font, const QString& text) const
{
    return getTickLabelData(font, text).rotatedTotalBounds.width();
}

void ChartAxisPainter::draw(QCPPainter* painter)
{
    m_placedLabels = AxisRules::LabelThinning();
    m_tickLabelsSize = QSize();
    if (type == QCPAxis::atRight && !label.isEmpty()) {
        // The library would write a right-hand title downwards; draw the rest without it.
        const QString title = label;
        label.clear();
        QCPAxisPainterPrivate::draw(painter);
        label = title;
        drawUpwardTitle(painter, title);
    } else {
        QCPAxisPainterPrivate::draw(painter);
    }
    if (m_rowsEnabled && !m_positionMap.isEmpty()
        && (type == QCPAxis::atBottom || type == QCPAxis::atTop))
        drawSecondRow(painter);
}

void ChartAxisPainter::placeTickLabel(QCPPainter* painter, double position, int distanceToAxis,
                                      const QString& text, QSize* tickLabelsSize)
{
    if (m_rowsEnabled || m_thinning) {
        // A label that would reach past the plot's edge is left out, as the library leaves
        // it out; it must not keep the room of a label that can be drawn.
        const int width = labelWidth(tickLabelFont, text);
        const bool inside = position - width / 2.0 >= viewportRect.left()
                            && position + width / 2.0 <= viewportRect.right() + 1;
        if (!inside || !m_placedLabels.accept(position, width))
            return;
    }
    QCPAxisPainterPrivate::placeTickLabel(painter, position, distanceToAxis, text, tickLabelsSize);
    if (tickLabelsSize)
        m_tickLabelsSize = m_tickLabelsSize.expandedTo(*tickLabelsSize);
}

void ChartAxisPainter::drawSecondRow(QCPPainter* painter)
{
    const QFontMetrics metrics(labelFont);
    const auto width = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
    const QList<AxisRules::RowLabel> row =
        AxisRules::secondRowLabels(m_positionMap, tickPositions, axisRect.left(), width);

    const int rowHeight = metrics.height();
    const int firstRowHeight = std::max(m_tickLabelsSize.height(), rowHeight);
    int distance = outwardTickLength() + tickLabelPadding + firstRowHeight;
    if (tickLabelSide == QCPAxis::lsInside)
        distance = -(std::max(0, std::max(tickLengthIn, subTickLengthIn)) + tickLabelPadding
                     + 2 * firstRowHeight);
    const int top = type == QCPAxis::atBottom ? axisRect.bottom() + offset + distance
                                              : axisRect.top() - offset - distance - rowHeight;

    painter->save();
    if (tickLabelSide == QCPAxis::lsInside)
        painter->setClipRect(axisRect);
    painter->setFont(labelFont);
    painter->setPen(QPen(labelColor));
    QRect covered;
    for (const AxisRules::RowLabel& label : row) {
        const QRect box(int(label.left), top, label.width, rowHeight);
        painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, label.text);
        covered = covered.united(box);
    }
    painter->restore();
    mTickLabelsSelectionBox = mTickLabelsSelectionBox.united(covered);
}

void ChartAxisPainter::drawUpwardTitle(QCPPainter* painter, const QString& title)
{
    int distance = outwardTickLength();
    if (tickLabelSide == QCPAxis::lsOutside && !tickLabels.isEmpty())
        distance += tickLabelPadding + m_tickLabelsSize.width();
    distance += labelPadding;
    const QFontMetrics metrics(labelFont);
    const int height = metrics.height();
    const int left = axisRect.right() + offset + distance;

    painter->save();
    painter->setFont(labelFont);
    painter->setPen(QPen(labelColor));
    painter->translate(left, axisRect.bottom());
    painter->rotate(-90);
    painter->drawText(QRect(0, 0, axisRect.height(), height),
                      Qt::TextDontClip | Qt::AlignCenter, title);
    painter->restore();
    mLabelSelectionBox = QRect(left, axisRect.top(), height, axisRect.height());
}
