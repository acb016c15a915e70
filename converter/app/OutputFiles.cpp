#include "OutputFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

QString outputFileName(const QString& logFile, const QString& suffix)
{
    const QFileInfo info(logFile);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + suffix;
}

QString reserveTemporaryName(const QString& finalName)
{
    const QFileInfo info(finalName);
    QTemporaryFile file(info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    return file.fileName();
}

bool replaceFile(const QString& from, const QString& to)
{
    // rename() replaces the target in one step where the system allows it.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    QFile::remove(to);
    return QFile::rename(from, to);
}
