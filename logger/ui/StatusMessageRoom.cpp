#include "StatusMessageRoom.h"

#include <QEvent>
#include <QLayout>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QStatusBar>

namespace {
// The bar writes its message from 6 pixels in and stops 2 pixels short of the strip.
constexpr int messageMargins = 8;
} // namespace

StatusMessageRoom::StatusMessageRoom(QStatusBar* bar, QWidget* strip, QWidget* readout, int gap)
    : QObject(bar)
    , m_bar(bar)
    , m_strip(strip)
    , m_readout(readout)
    , m_space(new QSpacerItem(gap, 0, QSizePolicy::Maximum, QSizePolicy::Minimum))
    , m_gap(gap)
{
    m_readout->layout()->addItem(m_space);
    connect(m_bar, &QStatusBar::messageChanged, this, &StatusMessageRoom::fit);
    m_bar->installEventFilter(this);
    m_strip->installEventFilter(this);
    m_readout->installEventFilter(this);
}

bool StatusMessageRoom::eventFilter(QObject* watched, QEvent* event)
{
    // Only a change of width changes the room; the readout's going and coming back
    // changes the bar's height, which must not start another fit.
    if (watched == m_bar && event->type() == QEvent::Resize && !m_fitting
        && static_cast<QResizeEvent*>(event)->oldSize().width() != m_bar->width()
        && !m_bar->currentMessage().isEmpty())
        fit();
    // A new text in the readout (or the banner coming and going) changes what is left
    // for the message.
    if (watched != m_bar && event->type() == QEvent::LayoutRequest && !m_fitting
        && !m_bar->currentMessage().isEmpty() && stripWidth(true) != m_fittedWidth)
        fit();
    return QObject::eventFilter(watched, event);
}

void StatusMessageRoom::setGap(int gap)
{
    if (m_space->sizeHint().width() == gap)
        return;
    m_space->changeSize(gap, 0, QSizePolicy::Maximum, QSizePolicy::Minimum);
    m_readout->layout()->invalidate();
}

// The width the strip needs with the readout's gap closed, added up from its visible
// items (the readout counted also while it stands aside): the strip's own size hint may
// still hold an earlier state of the readout.
int StatusMessageRoom::stripWidth(bool withReadout) const
{
    int width = 0;
    int items = 0;
    for (QWidget* item : m_strip->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (item == m_readout ? !withReadout : item->isHidden())
            continue;
        if (item == m_readout) {
            for (QWidget* part : m_readout->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (!part->isHidden())
                    width += part->sizeHint().width();
        } else {
            width += item->sizeHint().width();
        }
        ++items;
    }
    return width + qMax(0, items - 1) * m_strip->layout()->spacing();
}

void StatusMessageRoom::fit()
{
    const QScopedValueRollback<bool> fitting(m_fitting, true);
    const QString text = m_bar->currentMessage();
    m_fittedWidth = stripWidth(true);
    m_bar->setToolTip(QString());
    m_readout->show();
    setGap(m_gap);
    // Before the bar is laid out there is nothing to measure; its first resize comes back.
    if (text.isEmpty() || !m_bar->isVisible())
        return;
    // The strip stays right-aligned in the bar: only its left edge moves.
    const int stripRight = m_strip->geometry().right() + 1;
    const int room = stripRight - messageMargins - m_bar->fontMetrics().horizontalAdvance(text);
    const int tight = m_fittedWidth;
    if (room >= tight) {
        setGap(qMin(m_gap, room - tight));
        return;
    }
    m_readout->hide();
    if (room < stripWidth(false))
        m_bar->setToolTip(text);
}

QString statusBarStyleSheet(const QString& colour)
{
    QString sheet = QStringLiteral("QStatusBar::item { border: 0px; } QStatusBar::QLabel { border: 0px; } ");
    if (!colour.isEmpty())
        sheet += QStringLiteral("* { color: %1; }").arg(colour);
    return sheet;
}
