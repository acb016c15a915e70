#include "MarkerBar.h"

#include "ColorDialogs.h"
#include "GLWidget.h"
#include "LoggerState.h"
#include "RangeStatistics.h"
#include "Settings.h"
#include "UnitFormat.h"

#include <QApplication>
#include <QEvent>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace {
// The time at a pixel of the key axis, or `fallback` while the axis has no width yet
// (a plot that was never laid out maps every pixel to an undefined time).
double timeAt(const QCPAxis* axis, double x, double fallback)
{
    if (!axis || axis->axisRect()->width() <= 0)
        return fallback;
    return axis->pixelToCoord(x);
}

// The statistics lines of one channel in the tool tip.
QString channelLines(int channel, const ChannelStatistics::Channel& values)
{
    const int scale = displayScale(values.maximum);
    return channelHead(channel, values.maximum) + QLatin1Char('\n')
        + MarkerBar::tr("   min ") + scaledValue(values.minimum, scale) + QLatin1Char('\n')
        + MarkerBar::tr("   max ") + scaledValue(values.maximum, scale) + QLatin1Char('\n')
        + MarkerBar::tr("   average ") + scaledValue(values.average, scale) + QLatin1Char('\n');
}
} // namespace

MarkerBar::MarkerBar(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_Hover);
}

MarkerBar::~MarkerBar()
{
    qDeleteAll(m_markers);
}

QColor MarkerBar::textColor() const
{
    return m_darkTheme ? QColor(Qt::white) : QColor(Qt::black);
}

QCPAxis* MarkerBar::keyAxis() const
{
    return m_plot ? m_plot->xAxis : nullptr;
}

Marker* MarkerBar::marker(int index) const
{
    return index >= 0 && index < m_markers.size() ? m_markers.at(index) : nullptr;
}

Marker* MarkerBar::createMarkers()
{
    if (!keyAxis() || !m_markers.isEmpty())
        return nullptr;
    auto* first = new Marker;
    first->name = QStringLiteral("T1");
    first->color = Qt::black;
    first->textColor = textColor();
    auto* second = new Marker;
    second->name = QStringLiteral("T2");
    second->color = first->color;
    second->textColor = first->textColor;
    first->partner = second;
    second->partner = first;
    m_markers << first << second;
    placeNewPair();
    emit markerAdded(first);
    update();
    return first;
}

bool MarkerBar::plotLaidOut() const
{
    const QCPAxis* axis = keyAxis();
    return axis && axis->axisRect()->width() > 0 && m_plot->viewport() == m_plot->rect();
}

void MarkerBar::placeNewPair()
{
    // T1 in the middle of the visible time range, T2 one tag width to its right.
    QCPAxis* axis = keyAxis();
    Marker* first = m_markers.at(0);
    Marker* second = m_markers.at(1);
    const double centre = axis->range().lower + axis->range().size() * 0.5;
    first->moveTo(axis->coordToPixel(centre), centre);
    const int width = int(first->shape.boundingRect().width());
    const double x2 = first->x + width;
    second->moveTo(x2, timeAt(axis, x2, centre));
    m_placementPending = !plotLaidOut();
}

void MarkerBar::loadMarkers(GLWidget* chart)
{
    m_chart = chart;
    m_plot = chart ? chart->plot : nullptr;
    disconnect(m_layoutConnection);
    m_plotArea = QRect();
    if (m_plot) {
        m_plotArea = m_plot->axisRect()->rect();
        m_layoutConnection = connect(m_plot, &QCustomPlot::afterLayout, this, &MarkerBar::followPlotLayout);
    }
    if (!m_markers.isEmpty()) {
        QCPAxis* axis = keyAxis();
        if (axis && axis->axisType() == QCPAxis::atBottom) {
            // Each tag keeps its place on the screen and takes the time found there.
            for (Marker* m : std::as_const(m_markers))
                m->moveTo(m->x, timeAt(axis, m->x, m->time));
            update();
        }
        return;
    }
    if (!createMarkers())
        return;
    // A plot not laid out yet gets the stored places once it is (followPlotLayout).
    if (!m_placementPending)
        applyStoredPositions();
    update();
}

void MarkerBar::applyStoredPositions()
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Main"));
    if (!settings.contains(settingsKeyMarker1()))
        return;
    QCPAxis* axis = keyAxis();
    Marker* first = m_markers.at(0);
    Marker* second = m_markers.at(1);
    // A hidden strip has not been laid out: it spans as wide as the chart below it.
    const QRect g = isVisible() || !m_plot ? geometry() : QRect(0, 0, m_plot->width(), height());
    // A stored place outside the strip (a smaller window, a damaged value) is replaced by
    // the strip's centre.
    auto inside = [&g](double x) { return std::isfinite(x) && x >= g.left() && x <= g.right(); };

    double x1 = settings.value(settingsKeyMarker1(), first->x).toDouble();
    if (!inside(x1))
        x1 = g.center().x();
    first->moveTo(x1, timeAt(axis, x1, first->time));

    double x2 = settings.value(settingsKeyMarker2(), second->x).toDouble();
    if (!inside(x2))
        x2 = g.center().x() + second->shape.boundingRect().width();
    second->moveTo(x2, timeAt(axis, x2, second->time));

    const QColor colour = colorValue(settings, settingsKeyColor(), Qt::black);
    first->color = colour;
    second->color = colour;
}

QString MarkerBar::statusText() const
{
    if (m_markers.size() < 2)
        return QString();
    if (measuringActive)
        return QStringLiteral("T1: --, T2: --, dT: --   ");
    const Marker* first = m_markers.at(0);
    const Marker* second = m_markers.at(1);
    return QStringLiteral("T1: %1, T2: %2, dT: %3 ")
               .arg(formatTime(first->time, true, 2), formatTime(second->time, true, 2),
                    distanceText(std::fabs(first->time - second->time)))
        + QStringLiteral(" ... ");
}

void MarkerBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QApplication::palette().color(QPalette::Light));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_markers.isEmpty())
        return;
    painter.save();
    const QString text = statusText();
    painter.setPen(textColor());
    const int flags = Qt::AlignRight | Qt::AlignVCenter;
    painter.drawText(rect(), flags, text);
    m_textRect = painter.fontMetrics().boundingRect(rect(), flags, text);
    painter.restore();
    for (const Marker* m : std::as_const(m_markers))
        m->paint(&painter);
}

void MarkerBar::mousePressEvent(QMouseEvent* event)
{
    m_grabbed = nullptr;
    if (measuringActive)
        return;
    const double px = event->position().x();
    // Only the horizontal position counts; where the tags overlap T2 wins.
    for (auto it = m_markers.crbegin(); it != m_markers.crend(); ++it) {
        const QRectF box = (*it)->shape.boundingRect();
        if (box.contains(QPointF(px, box.center().y()))) {
            m_grabbed = *it;
            break;
        }
    }
}

void MarkerBar::mouseMoveEvent(QMouseEvent* event)
{
    QCPAxis* axis = keyAxis();
    if (!axis || measuringActive || !m_grabbed || axis->axisRect()->width() <= 0)
        return;
    const double px = event->position().x();
    const double t = axis->pixelToCoord(px);
    // Beyond the visible time range the tag stays at its last accepted place.
    if (!(t >= axis->range().lower && t <= axis->range().upper))
        return;
    m_grabbed->moveTo(px, t);
    emit markerMoved(t);
    update();
}

void MarkerBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_plot || measuringActive)
        return;
    if (m_grabbed && event->button() == Qt::RightButton) {
        const QColor colour = askColor(m_grabbed->color, this, tr("Marker's color"));
        if (colour.isValid()) {
            m_grabbed->color = colour;
            if (m_grabbed->partner)
                m_grabbed->partner->color = colour;
            update();
        }
    }
    m_grabbed = nullptr;
}

bool MarkerBar::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverLeave:
        QToolTip::hideText();
        return true;
    case QEvent::HoverMove:
        if (QToolTip::isVisible())
            return true;
        [[fallthrough]];
    case QEvent::HoverEnter: {
        const QPoint pos = static_cast<QHoverEvent*>(event)->position().toPoint();
        if (m_textRect.contains(pos)) {
            updateToolTip();
            QToolTip::showText(mapToGlobal(pos), m_toolTipText);
        }
        return true;
    }
    case QEvent::LanguageChange:
        // The status text is drawn in the program's language: draw it again.
        update();
        return QWidget::event(event);
    default:
        return QWidget::event(event);
    }
}

void MarkerBar::updateToolTip()
{
    if (m_markers.size() < 2)
        return;
    const double t1 = m_markers.at(0)->time;
    const double t2 = m_markers.at(1)->time;
    ChannelStatistics window = freshStatistics();
    channelStatistics(m_chart, QCPRange(std::min(t1, t2), std::max(t1, t2)), window);

    QString text = tr("Length: ") + distanceText(std::fabs(t1 - t2)) + QLatin1Char('\n');
    for (int c = 0; c < LogFormat::statisticsChannels; ++c) {
        if (hasValues(window.channel[c]))
            text += channelLines(c, window.channel[c]);
    }
    m_toolTipText = text;
}

void MarkerBar::on_changeColorTheme(bool _dark)
{
    m_darkTheme = _dark;
    for (Marker* m : std::as_const(m_markers))
        m->textColor = textColor();
    update();
}

void MarkerBar::on_rangeChanged(const QCPRange&, const QCPRange&, QCPAxis* _axis)
{
    QCPAxis* axis = keyAxis();
    if (!_axis || _axis->axisType() != QCPAxis::atBottom || !axis)
        return;
    for (Marker* m : std::as_const(m_markers))
        m->moveTo(m->x, timeAt(axis, m->x, m->time));
    update();
}

void MarkerBar::followPlotLayout()
{
    QCPAxis* axis = keyAxis();
    if (!axis || m_markers.isEmpty() || !plotLaidOut())
        return;
    const QRect area = axis->axisRect()->rect();
    if (area.left() == m_plotArea.left() && area.width() == m_plotArea.width() && !m_placementPending)
        return;
    m_plotArea = area;
    if (m_placementPending) {
        placeNewPair();
        applyStoredPositions();
        update();
        return;
    }
    on_sizeChanged();
}

void MarkerBar::on_sizeChanged()
{
    QCPAxis* axis = keyAxis();
    if (!axis || axis->axisRect()->width() <= 0)
        return;
    for (Marker* m : std::as_const(m_markers))
        m->moveTo(axis->coordToPixel(m->time), m->time);
    update();
}
