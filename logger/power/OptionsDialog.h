#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class PowerDataPacket;
class PowerGetPacket;
class QComboBox;
class Updater;

// The preferences dialog. Minimal form: the language choice and the signals and slots
// the main window wires while it runs; its panes are the options dialog's own work.
class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    OptionsDialog(Updater* updater, QWidget* parent);

    void setLanguages(const QList<QString>& names, int current);

signals:
    void languageChanged(int index);
    void timeFormatChanged();
    void changeColorTheme(bool dark);
    void changeColors();
    void checkSWUpdates();
    void checkFWUpdates();

public slots:
    void fillFWInfo();
    void on_newSWAvailable(bool _available);
    void on_newFWAvailable(bool _available);
    void on_paketReceived(PowerGetPacket& packet);
    void on_paketDataReceived(PowerDataPacket& packet);

private:
    QComboBox* m_languages;
};
