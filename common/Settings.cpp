#include "Settings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QStandardPaths>

namespace {
QString resolveInConfigLocation(const QString& relative)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).absoluteFilePath(relative);
}

QString programFolderRelative()
{
    return QStringLiteral("Korvanite/") + QCoreApplication::applicationName() + QLatin1Char('/');
}
} // namespace

Settings::Settings()
    : QSettings(filePath(), QSettings::IniFormat)
{
}

// A value that could not be stored is reported, so that a lost setting is never silent;
// nothing else depends on the write.
Settings::~Settings()
{
    sync();
    if (status() == QSettings::AccessError)
        qWarning().noquote() << QStringLiteral("Settings could not be written to %1").arg(fileName());
}

QString Settings::folder()
{
    return resolveInConfigLocation(programFolderRelative());
}

QString Settings::filePath()
{
    return resolveInConfigLocation(programFolderRelative() + QCoreApplication::applicationName()
                                   + QStringLiteral(".ini"));
}

qint64 boundedValue(const QSettings& settings, const QString& key, qint64 fallback, qint64 minimum,
                    qint64 maximum)
{
    bool ok = false;
    const qint64 value = settings.value(key).toLongLong(&ok);
    return ok && value >= minimum && value <= maximum ? value : fallback;
}

QColor colorValue(const QSettings& settings, const QString& key, const QColor& fallback)
{
    const QColor colour(settings.value(key).toString());
    return colour.isValid() ? colour : fallback;
}
