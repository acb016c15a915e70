#include "Settings.h"

#include <QCoreApplication>
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

Settings::~Settings() = default;

QString Settings::folder()
{
    return resolveInConfigLocation(programFolderRelative());
}

QString Settings::filePath()
{
    return resolveInConfigLocation(programFolderRelative() + QCoreApplication::applicationName()
                                   + QStringLiteral(".ini"));
}
