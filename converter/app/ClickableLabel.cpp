#include "ClickableLabel.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

#include <cmath>

namespace {
// The line's widest natural width, as for a wrapped label: about 80 characters.
constexpr int lineCharacters = 80;
// The least it makes do with.
constexpr int shortestCharacters = 8;
} // namespace

ClickableLabel::ClickableLabel(QWidget* parent)
    : QLabel(parent)
{
}

QSize ClickableLabel::layOut(QTextDocument& document, int width) const
{
    const QMargins margins = contentsMargins() + QMargins(margin(), margin(), margin(), margin());
    const QSize around(margins.left() + margins.right(), margins.top() + margins.bottom());
    document.setDefaultFont(font());
    document.setDocumentMargin(0);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    if (textFormat() == Qt::RichText || (textFormat() == Qt::AutoText && Qt::mightBeRichText(text())))
        document.setHtml(text());
    else
        document.setPlainText(text());
    document.setTextWidth(qMax(1, width - around.width()));
    return around;
}

QSize ClickableLabel::sizeHint() const
{
    if (!wordWrap())
        return QLabel::sizeHint();
    QTextDocument document;
    const QSize around = layOut(document, QWIDGETSIZE_MAX);
    const int natural = int(std::ceil(document.idealWidth())) + around.width();
    const int width = qMin(natural, fontMetrics().averageCharWidth() * lineCharacters);
    return QSize(width, heightForWidth(width));
}

QSize ClickableLabel::minimumSizeHint() const
{
    if (!wordWrap())
        return QLabel::minimumSizeHint();
    return QSize(fontMetrics().averageCharWidth() * shortestCharacters, QLabel::minimumSizeHint().height());
}

int ClickableLabel::heightForWidth(int width) const
{
    if (!wordWrap())
        return QLabel::heightForWidth(width);
    QTextDocument document;
    const QSize around = layOut(document, width);
    return int(std::ceil(document.size().height())) + around.height();
}

void ClickableLabel::paintEvent(QPaintEvent* event)
{
    if (!wordWrap()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    QTextDocument document;
    layOut(document, width());
    const QRect area = contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    // Standing in the middle of the line's height, as a label's text does.
    const int top = area.top() + qMax(0, (area.height() - int(std::ceil(document.size().height()))) / 2);
    painter.translate(area.left(), top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.palette.setColor(QPalette::Text, palette().color(foregroundRole()));
    context.clip = QRectF(0, 0, area.width(), area.height());
    document.documentLayout()->draw(&painter, context);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent*)
{
    QString current = text();
    emit clicked(current);
}

void ClickableLabel::enterEvent(QEnterEvent* event)
{
    if (text().contains(QLatin1String("color='green'")))
        setCursor(Qt::PointingHandCursor);
    QLabel::enterEvent(event);
}

void ClickableLabel::leaveEvent(QEvent* event)
{
    setCursor(Qt::ArrowCursor);
    QLabel::leaveEvent(event);
}
