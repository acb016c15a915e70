#include "ProgressDialog.h"

#include "ui_ProgressDialog.h"

#include <QEvent>

ProgressDialog::ProgressDialog(int minimum, int maximum, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ProgressDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    connect(ui->closeButton, &QPushButton::clicked, this, &ProgressDialog::canceled);
    ui->progressBar->setMinimum(minimum);
    ui->progressBar->setMaximum(maximum);
    ui->progressBar->setValue(minimum);
}

ProgressDialog::~ProgressDialog()
{
    delete ui;
}

void ProgressDialog::setValue(int _value)
{
    ui->progressBar->setValue(_value);
}

int ProgressDialog::value() const
{
    return ui->progressBar->value();
}

void ProgressDialog::setText(const QString& text)
{
    ui->labelInfo->setText(text);
}

QString ProgressDialog::text() const
{
    return ui->labelInfo->text();
}

void ProgressDialog::reject()
{
}

void ProgressDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(QString());
        ui->labelInfo->setText(QString());
        ui->closeButton->setText(tr("Close"));
    }
}
