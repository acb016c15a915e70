#include "SwapFileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString uniqueSwapFileName(const QString& tabText)
{
    static int serial = 0;
    const QDir temp = QDir::temp();
    QString name;
    do {
        name = temp.absoluteFilePath(QStringLiteral("%1-%2-%3.tmp")
                                         .arg(tabText)
                                         .arg(QCoreApplication::applicationPid())
                                         .arg(++serial));
    } while (QFileInfo::exists(name));
    return name;
}
