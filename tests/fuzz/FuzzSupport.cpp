#include "FuzzSupport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace Fuzz {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

QString scratchPath(const QString& name)
{
    static QTemporaryDir dir;
    return dir.filePath(name);
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void writeFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
}

} // namespace Fuzz
