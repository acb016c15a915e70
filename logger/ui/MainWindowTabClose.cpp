// Closing capture tabs: one tab from its close button (asking about a recording nobody
// saved), the group closes of the tab bar's menu, every tab at once, and the fresh
// capture tab that follows the last one closed.
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "GLWidget.h"
#include "LoggerState.h"
#include "MessageBoxes.h"
#include "PopUp.h"

#include <QMenu>
#include <QPointer>
#include <QTabBar>

void MainWindow::on_closeTab(int index)
{
    if (ui->tabWidget->count() == 0 || index < 0 || index >= ui->tabWidget->count())
        return;
    terminateMeasuring();
    // The questions run their own event loops, in which the tab may move or go away.
    QPointer<QWidget> page = ui->tabWidget->widget(index);
    auto* chart = qobject_cast<GLWidget*>(page);
    const QString text = ui->tabWidget->tabText(index);
    if (!chart || chart->keepFile) {
        if (warningBox(this, tr("Close"), QStringLiteral("%1 %2?").arg(tr("Close"), text),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
            != QMessageBox::Yes)
            return;
    } else {
        const int answer = warningBox(this, tr("Close"), tr("%1 is not saved. Want to save it before closing?").arg(text),
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer == QMessageBox::Cancel || !page)
            return;
        if (answer == QMessageBox::Yes && !saveTab(ui->tabWidget->indexOf(page)))
            return;
    }
    if (!page)
        return;
    removeTab(ui->tabWidget->indexOf(page));
    if (ui->tabWidget->count() == 0)
        afterLastTabClosed();
}

void MainWindow::removeTab(int index)
{
    QWidget* page = ui->tabWidget->widget(index);
    if (page == m_runChart)
        m_runChart = nullptr;
    ui->tabWidget->removeTab(index);
    delete page;
}

void MainWindow::afterLastTabClosed()
{
    addCaptureTab();
    if (GLWidget* chart = currentChart())
        chart->addChannels({});
    m_newTab = true;
    resetValueLabel();
    m_popUp->setPopupText(QString());
    m_popUp->show();
}

void MainWindow::closeTab(int index, bool reopen)
{
    // A double click beside the tabs or a menu outside them names no tab.
    if (index < 0 || index >= ui->tabWidget->count())
        return;
    terminateMeasuring();
    removeTab(index);
    if (reopen && ui->tabWidget->count() == 0 && !powerMode())
        afterLastTabClosed();
}

void MainWindow::closeAllTabs()
{
    while (ui->tabWidget->count() > 0) {
        terminateMeasuring();
        removeTab(0);
    }
}

void MainWindow::on_contextMenuRequested(const QPoint& point)
{
    QTabBar* bar = ui->tabWidget->tabBar();
    const int index = bar->tabAt(point);
    QMenu menu(this);
    menu.addAction(tr("Close tabs to the left"), this, [this, index] { closeTabsLeft(index); });
    menu.addAction(tr("Close tabs to the right"), this, [this, index] { closeTabsRight(index); });
    menu.addAction(tr("Close all tabs"), this, [this, index] { closeTabsAll(index); });
    menu.exec(bar->mapToGlobal(point));
}

// A group close never drops a recording that nobody saved without asking, as closing
// one tab or the window does: Yes saves them (a tab that is not saved stops the close),
// No closes them, Cancel keeps every tab.
bool MainWindow::mayCloseTabs(int first, int last)
{
    terminateMeasuring();
    const QList<QPointer<GLWidget>> unsaved = unsavedCharts(first, last);
    if (unsaved.isEmpty())
        return true;
    const int answer = warningBox(this, tr("Close"), tr("Not all measurements are saved. Do you want to save them?"),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::No)
        return true;
    if (answer != QMessageBox::Yes)
        return false;
    for (const QPointer<GLWidget>& chart : std::as_const(unsaved)) {
        if (chart && !saveTab(ui->tabWidget->indexOf(chart)))
            return false;
    }
    return true;
}

void MainWindow::closeTabsLeft(int index)
{
    if (!mayCloseTabs(0, index - 1))
        return;
    for (int i = 0; i < index; ++i)
        closeTab(0, true);
}

void MainWindow::closeTabsRight(int index)
{
    if (index < 0 || !mayCloseTabs(index + 1, ui->tabWidget->count() - 1))
        return;
    while (ui->tabWidget->count() > index + 1)
        closeTab(ui->tabWidget->count() - 1, true);
}

void MainWindow::closeTabsAll(int)
{
    if (!mayCloseTabs(0, ui->tabWidget->count() - 1))
        return;
    while (ui->tabWidget->count() > 0)
        removeTab(0);
    if (!powerMode())
        afterLastTabClosed();
}
