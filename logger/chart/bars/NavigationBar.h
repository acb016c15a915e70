#pragma once

#include "SwapFile.h"
#include <qcustomplot.h>

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QPushButton;

namespace Ui {
class NavigationBar;
}

// The strip under the chart tabs that shows the whole record of the current tab at once,
// reduced to the threshold overview of one channel: a step graph that is high wherever
// the channel was at or above its threshold. A click on a step or on the time axis asks
// for the chart window around that time (navigationClicked); moving the pointer announces
// the time under it (navigationMoseMove). The refresh button shows the whole record
// again; the settings button picks the channel and threshold and rebuilds the overview.
//
// The bar only watches the attached swap file, which belongs to its chart tab: once the
// tab is gone the bar keeps showing the last overview, and neither its buttons nor a click
// on it do anything. Nor does a click while the attached tab has recorded nothing.
class NavigationBar : public QWidget
{
    Q_OBJECT
public:
    explicit NavigationBar(QWidget* parent = nullptr);
    ~NavigationBar() override;

    // Attaches a swap file and shows a copy of its overview; false for a null file (the
    // graph then stays as it was) or a file without a name (the strip is then empty).
    bool setSwapFile(SwapFile* file);
    // Empties the overview (the attached file's and the graph's).
    void clear();
    void enableControls();
    void disableControls();

    SwapFile* swapFile() const { return m_swapFile; }
    QCustomPlot* overviewPlot() const { return m_overviewPlot; }
    bool controlsEnabled() const { return m_enabled; }
    QPushButton* refreshButton() const { return m_refreshButton; }
    QPushButton* settingsButton() const { return m_settingsButton; }

signals:
    void navigationClicked(double _time);
    void navigationMoseMove(double _time);

public slots:
    void on_axisUnitChanged(QCPAxis* axis, int _upper, QList<double>& tickVector,
                            QList<QString>& tickVectorLabels);
    void on_changeColorTheme(bool _dark);
    // Runs the settings dialog and, on OK, rebuilds the overview under a progress dialog
    // that can stop it.
    void on_settings();
    void replot();
    void on_translate();

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyToolTips();
    // An attached file with a name: a recording that clicks and rebuilds can read.
    bool hasRecord() const;
    void applyGraphColour();
    void showWholeRecord();

    QPushButton* m_refreshButton = nullptr;
    QPushButton* m_settingsButton = nullptr;
    QPointer<SwapFile> m_swapFile;
    QCustomPlot* m_overviewPlot = nullptr;
    bool m_enabled = false;
    bool m_darkTheme = false;
    Ui::NavigationBar* ui;
};
