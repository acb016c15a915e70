#include "DarkPalette.h"

QPalette darkPalette()
{
    const QColor grey(53, 53, 53);
    const QColor highlight(42, 130, 218);
    const QColor disabledText(128, 128, 128);
    QPalette p;
    p.setBrush(QPalette::Window, grey);
    p.setBrush(QPalette::WindowText, QColor(Qt::white));
    p.setBrush(QPalette::Base, QColor(25, 25, 25));
    p.setBrush(QPalette::AlternateBase, grey);
    p.setBrush(QPalette::ToolTipBase, QColor(Qt::white));
    p.setBrush(QPalette::ToolTipText, QColor(Qt::black));
    p.setBrush(QPalette::Text, QColor(Qt::white));
    p.setBrush(QPalette::Button, grey);
    p.setBrush(QPalette::ButtonText, QColor(Qt::white));
    p.setBrush(QPalette::BrightText, QColor(Qt::red));
    p.setBrush(QPalette::Link, highlight);
    p.setBrush(QPalette::Highlight, highlight);
    p.setBrush(QPalette::HighlightedText, QColor(Qt::black));
    p.setBrush(QPalette::Disabled, QPalette::ButtonText, disabledText);
    p.setBrush(QPalette::Disabled, QPalette::WindowText, disabledText);
    p.setBrush(QPalette::Disabled, QPalette::Text, disabledText);
    p.setBrush(QPalette::Disabled, QPalette::Light, grey);
    return p;
}
