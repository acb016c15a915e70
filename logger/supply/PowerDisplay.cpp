#include "PowerDisplay.h"

#include "LoggerState.h"
#include "PowerPackets.h"
#include "SupplyData.h"
#include "TemperatureScale.h"

#include <QAction>
#include <QCursor>
#include <QFontMetricsF>
#include <QDateTime>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

QMap<quint16, QString> powerParameterNames;

using namespace SupplyData;

namespace {
const QChar degreeSign(0x00B0);
const QChar limitSign(0x2305);

// The largest size from pointSize down that sets text within width, in half points.
QFont fittingFont(QFont font, qreal pointSize, const QString& text, int width, QPaintDevice* device)
{
    constexpr qreal smallest = 4.0;
    for (qreal size = pointSize; size >= smallest; size -= 0.5) {
        font.setPointSizeF(size);
        if (QFontMetricsF(font, device).horizontalAdvance(text) <= width)
            return font;
    }
    font.setPointSizeF(smallest);
    return font;
}

QString oneDecimal(double value)
{
    return QString::number(value, 'f', 1);
}

QString temperatureText(const PowerDataPacket& packet, int offset)
{
    const int celsius = qint8(packet.byteAt(offset));
    if (packet.celsius)
        return QStringLiteral("%1%2C").arg(celsius).arg(degreeSign);
    return QStringLiteral("%1%2F").arg(int(toFahrenheit(celsius))).arg(degreeSign);
}

// Parameters 14 to 21 are voltage and current of USB1 to USB4 in turn.
int usbVoltageByte(int id)
{
    return usbPortByte((id - 14) / 2);
}
} // namespace

PowerDisplay::PowerDisplay(QWidget* parent)
    : QLabel(parent)
    , cells(cellCount, 0)
    , m_image(imageSize, imageSize, QImage::Format_ARGB32)
    , m_menu(std::make_unique<QMenu>())
    , m_ownPacket(std::make_unique<PowerDataPacket>())
    , m_packet(m_ownPacket.get())
{
    setMouseTracking(true);
    const QPoint c = m_image.rect().center();
    m_titleRect = QRect(c.x() - 20, c.y() - 35, 42, 12);
    m_cellRects[0] = QRect(c.x() - 32, c.y() - 20, 64, 18);
    m_cellRects[1] = QRect(c.x() - 32, c.y() + 2, 64, 18);
    m_cellRects[2] = QRect(c.x() - 20, c.y() + 23, 42, 12);

    powerParameterNames.insert(0, tr("NONE"));
    powerParameterNames.insert(1, tr("Date"));
    powerParameterNames.insert(2, tr("Fan speed"));
    powerParameterNames.insert(3, tr("Main Output Voltage"));
    powerParameterNames.insert(4, tr("Main Output Current"));
    powerParameterNames.insert(5, tr("Mains Voltage"));
    powerParameterNames.insert(6, tr("Mains Frequency"));
    powerParameterNames.insert(7, tr("Max. Permitted Power"));
    powerParameterNames.insert(8, tr("Max. Permitted Current"));
    powerParameterNames.insert(9, tr("Total Current Consumption"));
    powerParameterNames.insert(10, tr("Total Power Consumption"));
    powerParameterNames.insert(11, tr("Temperature inside"));
    powerParameterNames.insert(12, tr("Temperature outside"));
    powerParameterNames.insert(13, tr("Time"));
    if (powerSupplyConnected) {
        // The connected supply has one USB port.
        powerParameterNames.insert(14, tr("USB Output Voltage"));
        powerParameterNames.insert(15, tr("USB Output Current"));
    } else {
        powerParameterNames.insert(14, tr("USB1 Output Voltage"));
        powerParameterNames.insert(15, tr("USB1 Output Current"));
        powerParameterNames.insert(16, tr("USB2 Output Voltage"));
        powerParameterNames.insert(17, tr("USB2 Output Current"));
        powerParameterNames.insert(18, tr("USB3 Output Voltage"));
        powerParameterNames.insert(19, tr("USB3 Output Current"));
        powerParameterNames.insert(20, tr("USB4 Output Voltage"));
        powerParameterNames.insert(21, tr("USB4 Output Current"));
    }

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &PowerDisplay::openMenu);
    connect(m_menu.get(), &QMenu::aboutToShow, this,
            [this] { checkCurrentAction(cellAt(mapFromGlobal(QCursor::pos()))); });
    const QString none = tr("NONE");
    paint({none, none, none, none});
}

PowerDisplay::~PowerDisplay() = default;

void PowerDisplay::setDataPacket(PowerDataPacket* packet)
{
    m_packet = packet ? packet : m_ownPacket.get();
}

void PowerDisplay::paint(const QList<QString>& texts)
{
    m_image.fill(Qt::transparent);
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(m_image.rect()).center();
    painter.setPen(Qt::black);
    painter.setBrush(QColor(Qt::darkGray).darker(200));
    painter.drawEllipse(centre, 58, 58);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, 40, 40);

    m_painted.clear();
    const QFont font = painter.font();
    auto draw = [&](const QRect& place, int index, qreal pointSize, const QColor& colour) {
        const QString text = index < texts.size() ? texts.at(index) : QString();
        painter.setFont(fittingFont(font, pointSize, text, place.width(), &m_image));
        painter.setPen(colour);
        QRectF drawn;
        painter.drawText(QRectF(place), Qt::AlignCenter, text, &drawn);
        m_painted.append({drawn, QRectF(place)});
    };
    draw(m_titleRect, 0, 6, Qt::white);
    draw(m_cellRects[0], 1, 10, Qt::green);
    draw(m_cellRects[1], 2, 10, Qt::green);
    draw(m_cellRects[2], 3, 6, Qt::white);
    painter.end();
    setPixmap(QPixmap::fromImage(m_image));
}

bool PowerDisplay::textsFit() const
{
    for (const auto& [drawn, place] : m_painted)
        if (drawn.left() < place.left() || drawn.right() > place.right())
            return false;
    return true;
}

void PowerDisplay::repaintCells()
{
    QList<QString> texts{title};
    for (int cell = 0; cell < cellCount; ++cell) {
        const int id = cell < cells.size() ? cells.at(cell) : 0;
        texts << (id != 0 ? valueText(*m_packet, id) : tr("NONE"));
    }
    paint(texts);
}

void PowerDisplay::setCells(const QList<int>& ids)
{
    // Always three cells, whatever length the caller hands over.
    cells = ids.mid(0, cellCount);
    while (cells.size() < cellCount)
        cells << 0;
    repaintCells();
}

void PowerDisplay::refresh()
{
    repaintCells();
}

QString PowerDisplay::valueText(const PowerDataPacket& packet, int id)
{
    switch (id) {
    case 0:
        return tr("NONE");
    case 1:
        return deviceClock(packet).toString(packet.dateFormat);
    case 2:
        return QStringLiteral("%1%").arg(packet.byteAt(FanSpeed));
    case 3:
        return QStringLiteral("%1V").arg(oneDecimal(packet.byteAt(MainVoltage) / 10.0));
    case 4:
        return QStringLiteral("%1A").arg(oneDecimal(packet.bigEndian16(MainCurrent) / 10.0));
    case 5:
        return QStringLiteral("%1V").arg(packet.bigEndian16(MainsVoltage));
    case 6:
        return QStringLiteral("%1Hz").arg(oneDecimal(packet.bigEndian16(MainsFrequency) / 10.0));
    case 7:
        return QStringLiteral("%1%2W").arg(limitSign).arg(packet.bigEndian16(MaxPower));
    case 8:
        return QStringLiteral("%1%2A").arg(limitSign).arg(oneDecimal(packet.bigEndian16(MaxCurrent) / 10.0));
    case 9:
        return QStringLiteral("%1A").arg(oneDecimal(packet.bigEndian16(TotalCurrent) / 10.0));
    case 10:
        return QStringLiteral("%1W").arg(packet.bigEndian16(TotalPower));
    case 11:
        return temperatureText(packet, TemperatureInside);
    case 12:
        return temperatureText(packet, TemperatureOutside);
    case 13:
        return deviceClock(packet).toString(packet.clock24h ? QStringLiteral("hh:mm") : QStringLiteral("hh:mm ap"));
    case 14: case 16: case 18: case 20:
        return QStringLiteral("%1V").arg(oneDecimal(packet.byteAt(usbVoltageByte(id)) / 10.0));
    case 15: case 17: case 19: case 21:
        return QStringLiteral("%1A").arg(QString::number(packet.bigEndian16(usbVoltageByte(id) + 1) / 100.0, 'f', 2));
    default:
        return QString();
    }
}

QRect PowerDisplay::cellRect(int cell) const
{
    // The label draws the picture centred.
    const QPoint offset = rect().center() - m_image.rect().center();
    return m_cellRects[cell].translated(offset);
}

int PowerDisplay::cellAt(const QPoint& point) const
{
    for (int cell = 0; cell < cellCount; ++cell)
        if (cellRect(cell).contains(point))
            return cell;
    return -1;
}

void PowerDisplay::setCell(int cell, QAction* chosen)
{
    if (cell < 0 || cell >= cellCount || !chosen)
        return;
    const int id = chosen->data().toInt();
    for (int& shown : cells)
        if (shown == id)
            shown = 0;
    cells[cell] = id;
    repaintCells();
}

void PowerDisplay::checkCurrentAction(int cell)
{
    const QList<QAction*> actions = m_menu->actions();
    for (QAction* action : actions)
        action->setChecked(false);
    if (cell < 0 || cell >= cellCount)
        return;
    for (QAction* action : actions)
        if (action->data().toInt() == cells.at(cell))
            action->setChecked(true);
}

void PowerDisplay::buildMenu(int pageType)
{
    QList<int> ids;
    switch (pageType) {
    case 2:
    case 16:
        for (int id = 0; id <= 13; ++id)
            ids << id;
        if (powerSupplyConnected)
            ids << 14 << 15;
        break;
    case 4:
        ids = {0, 3, 4, 7, 8, 9, 10};
        break;
    case 8:
        ids = {0, 14, 15, 16, 17, 18, 19, 20, 21};
        break;
    default:
        break;
    }
    m_menu->clear();
    for (int id : ids) {
        // The single-port supply has no names for the further USB ports: a blank entry
        // would choose a parameter the user cannot see.
        const QString name = powerParameterNames.value(quint16(id));
        if (name.isEmpty())
            continue;
        QAction* action = m_menu->addAction(name);
        action->setCheckable(true);
        action->setData(id);
    }
}

void PowerDisplay::openMenu(const QPoint& point)
{
    const int cell = cellAt(point);
    if (cell < 0)
        return;
    setCell(cell, m_menu->exec(mapToGlobal(point)));
}

void PowerDisplay::mousePressEvent(QMouseEvent* event)
{
    // The right button comes back as a context-menu request; answering its press too
    // would open the menu twice.
    if (event->button() == Qt::RightButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    openMenu(event->position().toPoint());
}

void PowerDisplay::mouseMoveEvent(QMouseEvent* event)
{
    const int cell = cellAt(event->position().toPoint());
    if (cell < 0) {
        setCursor(Qt::ArrowCursor);
        return;
    }
    setCursor(Qt::PointingHandCursor);
    QString tip;
    for (QAction* action : m_menu->actions())
        if (action->data().toInt() == cells.at(cell))
            tip = action->text();
    setToolTip(tip);
}
