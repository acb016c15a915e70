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

    // Appends the language names and selects `current`.
    void setLanguages(const QStringList& names, int current);

signals:
    void languageChanged(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    void showVersionAndNotice();

    Ui::SettingsDialog* ui;
};

// "<version> (<build date>)", the build date in the compiler's "Mmm dd yyyy" form.
QString versionText(const QString& version, const char* buildDate);
