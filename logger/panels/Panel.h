#pragma once

#include <QWidget>

// Common base of the side panels. Standing as a window of its own, a panel is a tool
// window with a title bar that does not take activation from the main window.
class Panel : public QWidget
{
    Q_OBJECT
public:
    explicit Panel(QWidget* parent);
};
