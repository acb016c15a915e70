#pragma once

#include <QColor>
#include <QLabel>
#include <QPoint>
#include <QPropertyAnimation>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

// A small frameless window floating above everything that shows one text and fades in
// and out by animating its window opacity. The main window uses it as the read-out that
// follows the mouse over the chart. It can be dragged with the mouse.
class PopUp : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(float popupOpacity READ getPopupOpacity WRITE setPopupOpacity)

public:
    static constexpr int fadeInMs = 150;
    static constexpr int fadeOutMs = 1000;

    explicit PopUp(QWidget* parent = nullptr);

    void setPopupOpacity(float opacity);
    float getPopupOpacity() const { return popupOpacity; }

    void setBackgroundColor(const QColor& color) { backgroundColor = color; }
    void setBorderColor(const QColor& color) { borderColor = color; }
    // A colour name; the label's style sheet is rebuilt with it.
    void setTextColor(const QString& color);
    QString labelStyleSheet() const;

public slots:
    void setPopupText(const QString& text);
    QString getPopupText() const;
    void show();
    void hide();
    void focusShow();
    void focusHide();
    void hideAnimation();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fadeIn();

    QColor backgroundColor{0, 0, 0, 180};
    QColor borderColor{255, 155, 255, 180};
    QString textColor = QStringLiteral("white");
    QLabel label;
    QVBoxLayout layout;
    QPropertyAnimation animation;
    float popupOpacity = 0.1f;
    QTimer hideTimer;
    int displayTime = 2000;
    bool autoHide = true;
    QPoint pressPos;
};
