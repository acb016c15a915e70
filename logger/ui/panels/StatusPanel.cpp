#include "StatusPanel.h"

StatusPanel::StatusPanel(QWidget* parent)
    : Panel(parent)
{
    setWindowTitle(tr("Status"));
}

void StatusPanel::loadIndicatorIcons() {}

void StatusPanel::setChannelTexts(const QString&, const QString&, const QString&, const QString&,
                                  const QString&, const QString&)
{
}

void StatusPanel::setPanelEnabled(bool) {}

void StatusPanel::retranslate()
{
    setWindowTitle(tr("Status"));
}

void StatusPanel::update(MeasureAll&) {}

void StatusPanel::update(StatusControlResponse&) {}
