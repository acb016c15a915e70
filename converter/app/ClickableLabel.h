#pragma once

#include <QLabel>

// The main window's status line: reports clicks with its text, and shows a pointing
// hand over a finished output's name (the green text).
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

signals:
    void clicked(QString& text);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};
