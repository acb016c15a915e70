#include "OutputFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

QString outputFileName(const QString& logFile, const QString& suffix)
{
    const QFileInfo info(logFile);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + suffix;
}

QString reserveTemporaryName(const QString& finalName)
{
    const QFileInfo info(finalName);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = info.path() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
                             + QString::number(QRandomGenerator::global()->generate64(), 36);
        // Created as any new file is (not private to the user as a temporary file would
        // be), since this file becomes the output; a replaced output keeps its own.
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (info.exists())
                file.setPermissions(info.permissions());
            return name;
        }
        if (!QFileInfo::exists(name))
            break;
    }
    return QString();
}

bool replaceFile(const QString& from, const QString& to)
{
    // rename() replaces the target in one step where the system allows it.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    QFile::remove(to);
    return QFile::rename(from, to);
}

bool isSameFile(const QString& a, const QString& b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}
