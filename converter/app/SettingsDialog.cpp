#include "SettingsDialog.h"

#include "Languages.h"
#include "ui_SettingsDialog.h"

#include <QCoreApplication>
#include <QMessageBox>

QString versionText(const QString& version, const QString& buildDate)
{
    return QStringLiteral("%1 (%2)").arg(version, buildDate);
}

SettingsDialog::SettingsDialog(QWidget* parent)
    : QDialog(parent), ui(new Ui::SettingsDialog)
{
    ui->setupUi(this);
    showNotice();
    showVersion();
    connect(ui->comboBoxLanguages, &QComboBox::currentIndexChanged, this, &SettingsDialog::languageChanged);
    connect(ui->btnQt, &QPushButton::clicked, this, [this] { QMessageBox::aboutQt(this, QStringLiteral("Qt")); });
    connect(ui->pushButtonClose, &QPushButton::clicked, this, &QDialog::accept);
}

SettingsDialog::~SettingsDialog()
{
    delete ui;
}

void SettingsDialog::setLanguages(const QStringList& names, int current)
{
    ui->comboBoxLanguages->addItems(names);
    ui->comboBoxLanguages->setCurrentIndex(current);
    showVersion();
}

void SettingsDialog::showNotice()
{
    ui->label_Copyright->setText(ui->label_Copyright->text().arg(QChar(0x00A9)));
}

void SettingsDialog::showVersion()
{
    const QString code = languageCode(ui->comboBoxLanguages->currentIndex());
    ui->label_VersionNumber->setText(versionText(QCoreApplication::applicationVersion(), buildDateText(__DATE__, code)));
}

void SettingsDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        showNotice();
        showVersion();
    }
}
