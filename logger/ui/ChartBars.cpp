#include "ChartBars.h"

MarkerBar::MarkerBar(QWidget* parent)
    : QWidget(parent)
{
}

void MarkerBar::loadMarkers(GLWidget*)
{
    update();
}

void MarkerBar::on_changeColorTheme(bool) {}

ReportBar::ReportBar(QWidget* parent)
    : QWidget(parent)
{
}

void ReportBar::updateReport(GLWidget*, bool) {}

void ReportBar::on_changeColorTheme(bool) {}

void ReportBar::on_changeColors() {}

void ReportBar::on_translate() {}

NavigationBar::NavigationBar(QWidget* parent)
    : QWidget(parent)
{
}

bool NavigationBar::setSwapFile(SwapFile* swapFile)
{
    m_swapFile = swapFile;
    return swapFile != nullptr;
}

void NavigationBar::clear()
{
    m_swapFile = nullptr;
}

void NavigationBar::setControlsEnabled(bool enable)
{
    setEnabled(enable);
}

void NavigationBar::on_changeColorTheme(bool) {}

void NavigationBar::on_translate() {}
