#include "OptionsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

OptionsDialog::OptionsDialog(Updater*, QWidget* parent)
    : QDialog(parent)
    , m_languages(new QComboBox(this))
{
    setWindowTitle(tr("Settings"));
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("Language"), m_languages);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_languages, &QComboBox::activated, this, &OptionsDialog::languageChanged);
}

void OptionsDialog::setLanguages(const QList<QString>& names, int current)
{
    m_languages->addItems(names);
    m_languages->setCurrentIndex(current);
}

void OptionsDialog::fillFWInfo() {}

void OptionsDialog::on_newSWAvailable(bool) {}

void OptionsDialog::on_newFWAvailable(bool) {}

void OptionsDialog::on_paketReceived(PowerGetPacket&) {}

void OptionsDialog::on_paketDataReceived(PowerDataPacket&) {}
