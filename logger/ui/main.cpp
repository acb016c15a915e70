// The logger's program entry: one running copy per machine, then the main window.
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "SingleInstanceGuard.h"

#include <QApplication>
#include <QStyleFactory>

#include <vector>

namespace {
int refuse(int argc, char** argv, const QString& text)
{
    QApplication app(argc, argv);
    warningBox(nullptr, QCoreApplication::translate("main", "Can't launch"), text, QMessageBox::Ok);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    SingleInstanceGuard guard(QStringLiteral("com.korvanite.talvo"));
    if (!guard.tryToRun()) {
        if (guard.outcome() == SingleInstanceGuard::Outcome::AlreadyRunning)
            return refuse(argc, argv,
                          QCoreApplication::translate("main", "Instance of the TALVO already running. Terminate it please."));
        return refuse(argc, argv,
                      QCoreApplication::translate("main", "The single-instance check of the TALVO failed: %1")
                          .arg(guard.errorText()));
    }
    QCoreApplication::setApplicationName(QStringLiteral("Korvanite QMT (Quartz Meter Tool) Logger"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.5"));

    // "-developer" is accepted and changes nothing. The platform arguments concern only
    // the Windows build.
    std::vector<char*> arguments(argv, argv + argc);
#ifdef Q_OS_WIN
    static char platform[] = "--platform";
    static char dpiAwareness[] = "windows:dpiawareness=1";
    arguments.push_back(platform);
    arguments.push_back(dpiAwareness);
#endif
    int count = int(arguments.size());
    arguments.push_back(nullptr);
    QApplication app(count, arguments.data());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    int result = 0;
    {
        MainWindow window;
        window.show();
        result = QApplication::exec();
    }
    return result;
}
