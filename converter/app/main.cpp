#include "MainWindow.h"

#include <QApplication>
#include <QStyleFactory>

#include <vector>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("talvo-converter"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.5"));
    std::vector<char*> args(argv, argv + argc);
#ifdef Q_OS_WIN
    static char platform[] = "--platform";
    static char awareness[] = "windows:dpiawareness=1";
    args.push_back(platform);
    args.push_back(awareness);
#endif
    int count = int(args.size());
    args.push_back(nullptr);
    QApplication app(count, args.data());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    MainWindow window;
    window.show();
    return app.exec();
}
