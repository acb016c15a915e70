#pragma once

// The texts a plot paints and the boxes they take, as a reader sees them: the plot is
// painted onto a device that keeps every text with the box its own font metrics give it
// (pieces of one text drawn in turn, such as an arrow from a fallback font, are joined).

#include <qcustomplot.h>

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QScreen>
#include <QTextItem>

#include <algorithm>
#include <cmath>
#include <memory>

struct DrawnText
{
    QString text;
    QRectF box;
};

class TextRecordingEngine : public QPaintEngine
{
public:
    TextRecordingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }
    QList<DrawnText> texts;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawLines(const QLineF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawPoints(const QPoint*, int) override {}
    void drawEllipse(const QRectF&) override {}

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QRectF local(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        const QRectF box = painter()->combinedTransform().mapRect(local);
        if (!texts.isEmpty()) {
            DrawnText& last = texts.last();
            if (std::abs(last.box.bottom() - box.bottom()) < 0.5 && std::abs(last.box.right() - box.left()) < 0.5) {
                last.text += item.text();
                last.box = last.box.united(box);
                return;
            }
        }
        texts.append({item.text(), box});
    }
};

class TextRecordingDevice : public QPaintDevice
{
public:
    explicit TextRecordingDevice(const QSize& size)
        : m_size(size)
    {
    }
    QPaintEngine* paintEngine() const override { return &m_engine; }
    QList<DrawnText> texts() const { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return int(screen->logicalDotsPerInchX());
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return int(screen->logicalDotsPerInchY());
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    QSize m_size;
    mutable TextRecordingEngine m_engine;
};

// Every text `plot` paints at its present size, with its box in the plot's pixels.
inline QList<DrawnText> drawnTexts(QCustomPlot* plot)
{
    // Cached labels would reach the device as pictures; drawn directly they stay texts.
    const bool cached = plot->plottingHints().testFlag(QCP::phCacheLabels);
    plot->setPlottingHint(QCP::phCacheLabels, false);
    TextRecordingDevice device(plot->size());
    {
        QCPPainter painter(&device);
        plot->toPainter(&painter, plot->width(), plot->height());
    }
    plot->setPlottingHint(QCP::phCacheLabels, cached);
    return device.texts();
}

// The texts drawn below `top` (the labels under a bottom axis), left to right.
inline QList<DrawnText> textsBelow(const QList<DrawnText>& texts, double top)
{
    QList<DrawnText> below;
    for (const DrawnText& t : texts) {
        if (t.box.top() >= top && !t.text.trimmed().isEmpty())
            below.append(t);
    }
    std::sort(below.begin(), below.end(),
              [](const DrawnText& a, const DrawnText& b) { return a.box.left() < b.box.left(); });
    return below;
}

// The first pair of texts whose boxes share more than a hair of area, as "a | b"; empty
// when none do.
inline QString overlappingPair(const QList<DrawnText>& texts)
{
    for (int i = 0; i < texts.size(); ++i) {
        for (int j = i + 1; j < texts.size(); ++j) {
            const QRectF common = texts[i].box.intersected(texts[j].box);
            if (common.width() > 0.5 && common.height() > 0.5)
                return texts[i].text + QStringLiteral(" | ") + texts[j].text;
        }
    }
    return QString();
}

// "text@left..right" of each text, for a failure message.
inline QString describe(const QList<DrawnText>& texts)
{
    QStringList parts;
    for (const DrawnText& t : texts)
        parts << QStringLiteral("%1@%2..%3").arg(t.text).arg(t.box.left()).arg(t.box.right());
    return parts.join(QStringLiteral(", "));
}
