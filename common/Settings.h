#pragma once

#include <QColor>
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

// A settings file may have been edited by hand, cut short or written by another version:
// what is read from it is checked before use. A value that is missing, no whole number or
// outside [minimum, maximum] reads as `fallback`.
qint64 boundedValue(const QSettings& settings, const QString& key, qint64 fallback, qint64 minimum,
                    qint64 maximum);
// A value that names no colour reads as `fallback`.
QColor colorValue(const QSettings& settings, const QString& key, const QColor& fallback);
