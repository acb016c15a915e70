#pragma once

#include <QLabel>

class QTextDocument;

// The main window's status line: reports clicks with its text, and shows a pointing
// hand over a finished output's name (the green text). With word wrap on, a word longer
// than the line (an output's path) wraps as well, so that the line shows its whole text
// without asking the window for the width of it.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

signals:
    void clicked(QString& text);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The text laid out in `document` to `width` pixels, breaking anywhere a word does
    // not fit; returns the pixels the label's frame and margins take around it.
    QSize layOut(QTextDocument& document, int width) const;
};
