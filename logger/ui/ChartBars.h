#pragma once

// The bars around the chart: markers above it, the navigation strip and the report
// below it. Minimal forms: the main window builds, shows, hides and feeds them; their
// markers, overview plot and statistics table are their own later work.

#include <QWidget>

class GLWidget;
class SwapFile;

class MarkerBar : public QWidget
{
    Q_OBJECT
public:
    explicit MarkerBar(QWidget* parent = nullptr);

    void loadMarkers(GLWidget* chart);
    int markerCount() const { return 0; }

signals:
    void markerAdded();
    void markerRemoved();
    void markerMoved();
    void markersRemoved();

public slots:
    void on_changeColorTheme(bool dark);
};

class ReportBar : public QWidget
{
    Q_OBJECT
public:
    explicit ReportBar(QWidget* parent = nullptr);

    void updateReport(GLWidget* chart, bool force);

public slots:
    void on_changeColorTheme(bool dark);
    void on_changeColors();
    void on_translate();
};

class NavigationBar : public QWidget
{
    Q_OBJECT
public:
    explicit NavigationBar(QWidget* parent = nullptr);

    bool setSwapFile(SwapFile* swapFile);
    void clear();
    void setControlsEnabled(bool enable);
    SwapFile* swapFile() const { return m_swapFile; }

signals:
    void navigationClicked(double key);
    void navigationMoseMove(double key);

public slots:
    void on_changeColorTheme(bool dark);
    void on_translate();

private:
    SwapFile* m_swapFile = nullptr;
};
