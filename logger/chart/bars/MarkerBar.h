#pragma once

#include "GLWidget.h"
#include "Marker.h"

#include <qcustomplot.h>

#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>


// The 24-pixel strip above the chart tabs with the two time markers T1 and T2. It draws
// their tags, shows both times and their distance at its right end, lets the user drag a
// tag along the visible time range, recolours both from a colour dialog on a right click
// and shows per-channel statistics of the stretch between them in a tool tip over the
// text. The main window tells it which chart tab is current and forwards range and size
// changes; while a measurement runs the markers are inert.
//
// The bar only watches the chart tab: when the tab and its plot go away (the last tab
// closed) the markers stay as they are and nothing touches the freed plot.
class MarkerBar : public QWidget
{
    Q_OBJECT
public:
    explicit MarkerBar(QWidget* parent = nullptr);
    ~MarkerBar() override;

    // Binds the bar to a chart tab; the first call creates the pair (placed as stored in
    // the settings when positions are stored there).
    void loadMarkers(GLWidget* chart);
    // Creates T1 in the middle of the visible time range and T2 one tag width to its
    // right; returns T1, or null without a plot or when the pair exists.
    Marker* createMarkers();
    // The marker at the index (0 = T1, 1 = T2), or null.
    Marker* marker(int index) const;
    int markerCount() const { return int(m_markers.size()); }

    // Rebuilds the tool tip: the length of the stretch between the markers and the
    // minimum, maximum and average of channels 0 to 2 within it.
    void updateToolTip();
    QString toolTipText() const { return m_toolTipText; }
    // Where the status text was last drawn; the tool tip shows only over it.
    QRect textRect() const { return m_textRect; }
    // The status text at the bar's right end.
    QString statusText() const;

    static QString settingsKeyMarker1() { return QStringLiteral("marker-1"); }
    static QString settingsKeyMarker2() { return QStringLiteral("marker-2"); }
    static QString settingsKeyColor() { return QStringLiteral("marker-color"); }

signals:
    void markerAdded(Marker* marker);
    void markerRemoved(Marker* marker);
    void markersRemoved(double time);
    void markerMoved(double _time);

public slots:
    void on_changeColorTheme(bool _dark);
    // A new key range of the current chart: the tags stay where they are on the screen
    // and take the times now found there.
    void on_rangeChanged(const QCPRange& newRange, const QCPRange& oldRange, QCPAxis* _axis);
    // The chart was resized: the markers keep their times and move to their pixels.
    void on_sizeChanged();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor textColor() const;
    // The key axis of the current plot, or null.
    QCPAxis* keyAxis() const;
    // True once the plot's axis rect has been laid out: before that its pixels do not
    // map to times.
    bool plotLaidOut() const;
    void placeNewPair();
    void applyStoredPositions();
    // Called each time the current plot has laid itself out, before it draws: when its
    // time axis moved or changed its width (the window, a dock, a bar or the value axes
    // changed the plotting area), the tags follow their times, so that the lines drawn
    // next stand under them; a pair created before the plot was laid out is placed now.
    void followPlotLayout();

    bool m_darkTheme = false;
    QList<Marker*> m_markers;
    QPointer<QCustomPlot> m_plot;
    Marker* m_grabbed = nullptr;
    QRect m_textRect;
    QString m_toolTipText;
    QPointer<GLWidget> m_chart;
    QMetaObject::Connection m_layoutConnection;
    QRect m_plotArea;
    bool m_placementPending = false;
};
