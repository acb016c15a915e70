#include "RowWrapper.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QScopedValueRollback>
#include <QWidget>

RowWrapper::RowWrapper(QWidget* widget)
    : QObject(widget)
    , m_widget(widget)
    , m_layout(qobject_cast<QBoxLayout*>(widget->layout()))
    , m_rowMaximumHeight(widget->maximumHeight())
{
    Q_ASSERT(m_layout);
    for (int i = 0; i < m_layout->count(); ++i)
        if (QSpacerItem* spacer = m_layout->itemAt(i)->spacerItem())
            m_spacerSizes << spacer->sizeHint();
    m_widget->installEventFilter(this);
    update();
}

bool RowWrapper::isStacked() const
{
    return m_layout->direction() == QBoxLayout::TopToBottom;
}

bool RowWrapper::eventFilter(QObject* watched, QEvent* event)
{
    // New texts change what the blocks need before the widget is laid out again; a new
    // width decides between the row and the stack.
    if (watched == m_widget
        && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize
            || event->type() == QEvent::Show))
        update();
    return QObject::eventFilter(watched, event);
}

// The width of the blocks and lines side by side, with the layout's margins and spacing.
int RowWrapper::rowWidth() const
{
    const QMargins margins = m_layout->contentsMargins();
    int width = margins.left() + margins.right();
    int items = 0;
    for (int i = 0; i < m_layout->count(); ++i) {
        QLayoutItem* item = m_layout->itemAt(i);
        if (item->isEmpty())
            continue;
        width += item->minimumSize().width();
        ++items;
    }
    return width + qMax(0, items - 1) * qMax(0, m_layout->spacing());
}

// The width of the widest block: what the widget needs with its blocks stacked.
int RowWrapper::stackWidth() const
{
    const QMargins margins = m_layout->contentsMargins();
    int width = 0;
    for (int i = 0; i < m_layout->count(); ++i) {
        QLayoutItem* item = m_layout->itemAt(i);
        if (!item->isEmpty())
            width = qMax(width, item->minimumSize().width());
    }
    return margins.left() + width + margins.right();
}

void RowWrapper::update()
{
    if (m_updating)
        return;
    const QScopedValueRollback<bool> updating(m_updating, true);
    // Set before the window's layout asks: the row's width is never a minimum.
    const int minimum = stackWidth();
    if (m_widget->minimumWidth() != minimum)
        m_widget->setMinimumWidth(minimum);
    setStacked(m_widget->width() < rowWidth());
}

void RowWrapper::setStacked(bool stacked)
{
    if (stacked == isStacked())
        return;
    m_layout->setDirection(stacked ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    int spacer = 0;
    for (int i = 0; i < m_layout->count(); ++i) {
        QLayoutItem* item = m_layout->itemAt(i);
        if (QSpacerItem* space = item->spacerItem()) {
            const QSize size = stacked ? QSize(0, 0) : m_spacerSizes.value(spacer);
            space->changeSize(size.width(), size.height(), space->sizePolicy().horizontalPolicy(),
                              space->sizePolicy().verticalPolicy());
            ++spacer;
        } else if (auto* line = qobject_cast<QFrame*>(item->widget())) {
            if (line->frameShape() == QFrame::VLine || line->frameShape() == QFrame::HLine)
                line->setFrameShape(stacked ? QFrame::HLine : QFrame::VLine);
        }
    }
    m_widget->setMaximumHeight(stacked ? QWIDGETSIZE_MAX : m_rowMaximumHeight);
    m_layout->invalidate();
}
