#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

// The pop-up hint over the main window. Minimal form: the main window sets its colours,
// shows, hides and fills it; the fading and placement are its own later work.
class PopUp : public QWidget
{
    Q_OBJECT
public:
    explicit PopUp(QWidget* parent);

    void setPopupText(const QString& text);
    void setBorderColor(const QColor& color) { m_border = color; }
    void setBackgroundColor(const QColor& color) { m_background = color; }
    QLabel* label() const { return m_label; }

public slots:
    void show();

private:
    QLabel* m_label;
    QColor m_border;
    QColor m_background;
};
