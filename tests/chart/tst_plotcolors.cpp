#include "PlotColors.h"

#include <qcustomplot.h>

#include <QtTest>

class TestPlotColors : public QObject
{
    Q_OBJECT
private slots:
    void graphColour()
    {
        QCustomPlot plot;
        QCPAxis* axis = plot.yAxis;
        const QColor before = axis->tickLabelColor();
        setGraphColor(axis, QColor());
        QCOMPARE(axis->tickLabelColor(), before);
        setGraphColor(nullptr, Qt::red);

        setGraphColor(axis, Qt::blue);
        QCOMPARE(axis->labelColor(), QColor(Qt::blue));
        QCOMPARE(axis->tickLabelColor(), QColor(Qt::blue));
        QCOMPARE(axis->tickPen().color(), QColor(Qt::blue));
        QCOMPARE(axis->subTickPen().color(), QColor(Qt::blue));
        QCOMPARE(axis->basePen().color(), QColor(Qt::blue));
    }

    void barColours()
    {
        QCustomPlot plot;
        setBarColors(&plot, QColor(10, 20, 30));
        QCOMPARE(plot.xAxis->tickLabelColor(), QColor(245, 235, 225));
        QCOMPARE(plot.xAxis->tickPen().width(), 2);
        QCOMPARE(plot.xAxis->basePen().color(), QColor(245, 235, 225));
        setBarColors(&plot, QColor());
        QCOMPARE(plot.xAxis->tickLabelColor(), QColor(245, 235, 225));
    }
};

QTEST_MAIN(TestPlotColors)
#include "tst_plotcolors.moc"
