#pragma once

// The logger's modal preferences dialog: appearance (theme, language, colours, time
// format), the connected supply's own settings, update checks and flashing, and the
// About pane. The main window builds it for one opening and wires it while it runs.

#include "PowerPackets.h"
#include "SettingsPage.h"

#include <QDialog>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <memory>

class ColorsAgent;
class PowerDisplay;
class QTimer;
class UpdateDialog;
class Updater;

namespace Ui {
class OptionsDialog;
}

// The program's folder, where the translation files lie.
QString appDirPath();

class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    OptionsDialog(Updater* updater, QWidget* parent);
    ~OptionsDialog() override;

    // Appends the language names and selects one (before anybody listens).
    void setLanguages(const QList<QString>& names, int current);

    // The supply's settings page: widgets to report and report to widgets. What the user
    // did not change reads back as the shown report holds it, also where a widget cannot
    // show the supply's value.
    void readDeviceSettings(PowerGetPacket& report);
    void fillDeviceSettings();
    void saveSettings();
    void applySettings();

    // The page's settings as a JSON file holds them, and a file's values read back into a
    // report; the supply room knows the layout, the dialog's export and import go
    // through these. False (report unchanged, error set) for a file whose values do not
    // fit the supply's bytes.
    static QJsonObject settingsToJson(const PowerGetPacket& report);
    static bool settingsFromJson(PowerGetPacket& report, const QJsonObject& object, QString* error = nullptr);

    // What the page holds and last received; for the page's owner and tests.
    const PowerGetPacket& currentSettings() const { return m_settings; }
    const PowerGetPacket& referenceSettings() const { return m_reference; }
    const PowerDataPacket& supplyData() const { return m_data; }
    bool deviceSettingsShown() const { return m_deviceSettingsShown; }

signals:
    void checkFWUpdates();
    void checkSWUpdates();
    void autoFWUpdatesChecked(bool);
    void autoSWUpdatesChecked(bool);
    void updateFW(QString);
    void changeColorTheme(bool dark);
    void changeColors();
    void languageChanged(int);
    void timeFormatChanged();

public slots:
    void done(int _result) override;
    // Escape closes the dialog as the window's close button does, asking the same question.
    void reject() override;
    void on_newSWAvailable(bool _available);
    void on_newFWAvailable(bool _available);
    void fillSWInfo();
    void fillFWInfo();
    void on_paketReceived(PowerGetPacket& _pack);
    void on_paketDataReceived(PowerDataPacket& _pack);
    void format24hChecked(bool _state);
    void on_export();
    void on_import();
    void showColorDialog();
    void initColors(bool _dark);
    void on_changeColorTheme(bool darkColor);
    void on_btnBrowse();
    void on_btnCheckUpdateFirm();
    void on_btnCheckUpdateSoft();
    void on_btnUpdateFirm();
    void on_buttonFWUpdate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Appearance
    void connectAppearance();
    void onThemeToggled(bool dark);
    void showSwatches(int kind);
    void chooseChannelColor(int channel);
    void chooseBackgroundColor();
    void preview();
    int editedKind() const;
    void setVersionTexts();
    // Update panes
    void setupUpdatePanes();
    void onAutoCheckFirm(int state);
    void onAutoCheckSoft(int state);
    void showFirmwareDetails();
    void showSoftwareDetails();
    void downloadSoftware();
    bool firmwareLinkUsable() const;
    // Runs a firmware update dialog modally and cleans up after it.
    void runUpdateDialog(UpdateDialog* dialog);
    // Device settings page
    void setupDeviceSettings();
    // The widgets' values as they are.
    SupplySettings::PageFields widgetFields() const;
    void onDateFormatChanged();
    void onFahrenheitClicked(bool checked);
    void restoreDefaults();
    void syncClock();
    void sendWrite(quint8 flag);
    bool deviceOpen() const;
    void warnDisconnected();
    void enableWrites();
    void askUnsavedSettings();
    QList<PowerDisplay*> previews() const;
    void refreshPreviews();

    std::unique_ptr<Ui::OptionsDialog> ui;
    QString m_firmwarePath;
    ColorsAgent* m_colors = nullptr;
    bool m_firstSettingsTaken = false;
    Updater* m_updater;
    UpdateDialog* m_updateDialog = nullptr;
    PowerGetPacket m_settings;
    PowerGetPacket m_reference;
    SupplySettings::ShownPage m_shownPage;
    PowerDataPacket m_data;
    std::unique_ptr<QTimer> m_clockTimer;
    // The page was set up (a supply with an open handle when the dialog was built).
    bool m_deviceSettingsShown = false;
    // A write went out: the next settings reply is what the supply now holds.
    bool m_referenceStale = false;
    bool m_closeAsked = false;
};
