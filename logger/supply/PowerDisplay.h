#pragma once

// One page of the supply's round status screen: a title and three cells, each showing a
// measured parameter of the supply as the supply itself would show it. The cells' values
// come from the supply's data report; a context menu per cell chooses its parameter.

#include <QImage>
#include <QLabel>
#include <QList>
#include <QMap>
#include <QRect>
#include <QString>

#include <memory>

class PowerDataPacket;
class QAction;
class QMenu;

// Parameter id -> display name (context "PowerDisplay"), shared by every status-screen
// widget; each construction (re)inserts its names.
extern QMap<quint16, QString> powerParameterNames;

class PowerDisplay : public QLabel
{
    Q_OBJECT
public:
    static constexpr int imageSize = 120;
    static constexpr int cellCount = 3;
    // Highest parameter id the supply knows.
    static constexpr int lastParameterId = 21;

    explicit PowerDisplay(QWidget* parent = nullptr);
    ~PowerDisplay() override;

    // Takes the three ids of cells 0, 1, 2 and repaints.
    void setCells(const QList<int>& ids);
    // Recomputes the cell texts from the data report and repaints.
    void refresh();
    // Fills the menu with the ids one page offers; pageType is the page's bit in the
    // settings' screen bitmap (2 TOTAL, 4 POWER, 8 AUX, 16 SITE).
    void buildMenu(int pageType);
    // Draws title, cell 0, cell 1, cell 2 and shows the picture. A text wider than its
    // place is set smaller until it fits, so a long date or translation is never cut.
    void paint(const QList<QString>& texts);
    // Every text of the last paint lies whole inside its place.
    bool textsFit() const;

    // The text the supply shows for a parameter; empty for an unknown id.
    static QString valueText(const PowerDataPacket& packet, int id);
    // 0, 1, 2 for a point (label coordinates) inside that cell, else -1.
    int cellAt(const QPoint& point) const;
    // Puts the chosen action's id into a cell; a parameter shows on one cell of a page only.
    void setCell(int cell, QAction* chosen);
    // Checks the menu action of the cell's id and unchecks the others.
    void checkCurrentAction(int cell);

    // The report the cells read: the widget's own until another is given; the widget
    // never frees a report it was given. Null restores the own report.
    void setDataPacket(PowerDataPacket* packet);
    PowerDataPacket* dataPacket() const { return m_packet; }
    QMenu* menu() const { return m_menu.get(); }

    QString title;
    QList<int> cells;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void repaintCells();
    void openMenu(const QPoint& point);
    QRect cellRect(int cell) const;

    QImage m_image;
    QRect m_titleRect;
    QRect m_cellRects[cellCount];
    // Where the last paint put title, cell 0, cell 1 and cell 2, and where each belongs.
    QList<QPair<QRectF, QRectF>> m_painted;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<PowerDataPacket> m_ownPacket;
    PowerDataPacket* m_packet;
};
