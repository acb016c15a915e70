#include "PowerPanel.h"

PowerPanel::PowerPanel(QWidget* parent)
    : Panel(parent)
{
    setWindowTitle(tr("Control"));
}

void PowerPanel::fillChannels() {}

void PowerPanel::setPowerState(bool) {}

void PowerPanel::logFailed(const QString&) {}

void PowerPanel::enableButtons() {}

void PowerPanel::applyLogSettings(const SwapFileHeader&) {}

void PowerPanel::on_changeColorTheme(bool) {}

Power600Panel::Power600Panel(QWidget* parent)
    : PowerPanel(parent)
{
}

void Power600Panel::fillChannels()
{
    PowerPanel::fillChannels();
}
