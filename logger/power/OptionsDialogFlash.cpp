// The Update pane's server side: details of the last update check, the software
// download and flashing firmware through the update dialog.

#include "OptionsDialog.h"
#include "ui_OptionsDialog.h"

void OptionsDialog::showFirmwareDetails() {}
void OptionsDialog::showSoftwareDetails() {}
void OptionsDialog::downloadSoftware() {}
void OptionsDialog::on_btnUpdateFirm() {}
void OptionsDialog::on_buttonFWUpdate() {}
