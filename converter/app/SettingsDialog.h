#pragma once

#include <QDialog>
#include <QStringList>

namespace Ui {
class SettingsDialog;
}

// The language choice and the about box of the converter.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget* parent = nullptr);
    ~SettingsDialog() override;

    // Appends the language names and selects `current`, whose language the build date
    // is then written in.
    void setLanguages(const QStringList& names, int current);

signals:
    void languageChanged(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    void showNotice();
    // The version and the build date in the language selected in the list.
    void showVersion();

    Ui::SettingsDialog* ui;
};

// "<version> (<build date>)".
QString versionText(const QString& version, const QString& buildDate);
