#pragma once

#include <QObject>
#include <QSize>

class QBoxLayout;
class QWidget;

// Lays a widget's row of blocks out one under the other while the widget is narrower
// than the row needs, and back side by side when there is room again: a bar under the
// chart keeps its figures whole in a narrow window instead of widening the window. The
// widget's layout is a box of blocks with lines between them and spacers around them;
// stacked, the lines lie between the blocks and the spacers close up. The widget asks
// for no more width than its widest block.
class RowWrapper : public QObject
{
public:
    explicit RowWrapper(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isStacked() const;
    void update();
    int rowWidth() const;
    int stackWidth() const;
    void setStacked(bool stacked);

    QWidget* m_widget;
    QBoxLayout* m_layout;
    int m_rowMaximumHeight;
    QList<QSize> m_spacerSizes;
    bool m_updating = false;
};
