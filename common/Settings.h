#pragma once

#include <QSettings>
#include <QString>

// The program's INI settings store. Every user creates a short-lived instance on the
// stack; the file is <generic config>/Korvanite/<application name>/<application name>.ini.
class Settings : public QSettings
{
    Q_OBJECT
public:
    Settings();
    ~Settings() override;

    // The folder that holds the INI file, with a trailing '/': the default folder for
    // saving, opening and exporting files.
    static QString folder();
    static QString filePath();
};
