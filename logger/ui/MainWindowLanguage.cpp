// Texts the window builds from parts once and shows for long: its title, the names of
// the capture tabs, the charts' titles, the over-current warning and the status line's
// message. Each is kept as what it stands for (what is connected, the capture's number,
// the tab's header, the message's words and values) and said again in the new language
// when the language changes.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "GLWidget.h"
#include "MarqueeLabel.h"
#include "OverCurrentBanner.h"

#include <QCoreApplication>
#include <QStatusBar>
#include <QTabBar>

QString MainWindow::titleText(WindowTitle title)
{
    switch (title) {
    case WindowTitle::NoDevice:
        return QCoreApplication::applicationName() + tr(" - no device connected");
    case WindowTitle::Analyzer:
        return tr(" TALVO connected");
    case WindowTitle::Duriz500:
        return tr(" Hollowcrest Duriz 500 connected");
    case WindowTitle::Vuviv600:
        return tr(" Hollowcrest Vuviv 600 connected");
    case WindowTitle::Program:
        break;
    }
    return QCoreApplication::applicationName();
}

void MainWindow::showTitle(WindowTitle title)
{
    m_windowTitle = title;
    setWindowTitle(titleText(title));
}

QString MainWindow::captureName(int number)
{
    return tr("Capture ") + QString::number(number);
}

void MainWindow::nameTabAfterFile(int index, const QString& baseName)
{
    ui->tabWidget->tabBar()->setTabData(index, QVariant());
    ui->tabWidget->setTabText(index, baseName);
}

void MainWindow::retranslateBuiltTexts()
{
    setWindowTitle(titleText(m_windowTitle));
    QTabBar* tabs = ui->tabWidget->tabBar();
    for (int i = 0; i < tabs->count(); ++i) {
        bool numbered = false;
        const int number = tabs->tabData(i).toInt(&numbered);
        if (numbered) {
            // The mark of a capture being recorded stays in front of its name.
            const QString mark = tabs->tabText(i).startsWith(QLatin1Char('*')) ? QStringLiteral("*") : QString();
            tabs->setTabText(i, mark + captureName(number));
        }
        if (auto* chart = qobject_cast<GLWidget*>(ui->tabWidget->widget(i)))
            chart->updateTitle();
    }

    // The warning scrolls again from its start, in the new words; one that is not shown
    // stays ready for the next trip.
    const bool warningShown = !m_banner->isHidden();
    m_banner->clear();
    m_banner->load(overCurrentBannerJson());
    if (!warningShown)
        m_banner->stop();

    m_statusMessage.retranslate(statusBar());
}
