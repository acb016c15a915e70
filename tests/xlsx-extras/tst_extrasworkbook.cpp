#include "Workbook.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Xlsx;

namespace {

// Opens the workbook with openpyxl and reports what a reader finds in it: notes,
// pictures and charts of every worksheet, the chartsheets, and every part parsed as XML.
// openpyxl silently drops pictures when PIL is missing, so the check refuses to run
// without it rather than report a sheet without pictures.
const char *const kCheckerScript = R"(
import json, sys, zipfile
try:
    import PIL
except ImportError:
    sys.exit("checker needs the Debian package python3-pil: without it openpyxl drops every picture")
import openpyxl
from lxml import etree
path = sys.argv[1]
with zipfile.ZipFile(path) as z:
    bad = z.testzip()
    for name in z.namelist():
        if name.endswith((".xml", ".rels", ".vml")):
            etree.fromstring(z.read(name))
book = openpyxl.load_workbook(path)
sheets = []
for ws in book.worksheets:
    notes = []
    for row in ws.iter_rows():
        for c in row:
            if c.comment is not None:
                notes.append([c.coordinate, c.comment.text, c.comment.author])
    charts = []
    for chart in ws._charts:
        series = []
        for s in chart.series:
            ref = s.val.numRef.f if s.val is not None else s.yVal.numRef.f
            name = s.tx.v if s.tx is not None else None
            series.append([name, ref])
        charts.append({"type": chart.tagname, "series": series})
    images = [[i.width, i.height] for i in ws._images]
    sheets.append({"title": ws.title, "notes": notes, "charts": charts, "images": images})
print(json.dumps({"result": {
    "bad": bad,
    "sheetnames": book.sheetnames,
    "chartsheets": [cs.title for cs in book.chartsheets],
    "chartsheetCharts": [len(cs._charts) for cs in book.chartsheets],
    "sheets": sheets}}))
)";

// Empty, with the checker's complaint in `error`, when the checker could not run.
QJsonObject RunChecker(const QString &path, QString *error)
{
    QProcess python;
    python.start("/usr/bin/python3", {"-c", kCheckerScript, path});
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        *error = QString::fromLocal8Bit(python.readAllStandardError()).trimmed();
        if (error->isEmpty())
            *error = python.errorString();
        return QJsonObject();
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object().value("result").toObject();
}

CSeriesRecord Series(const CSheet &sheet, uint32_t column, const char *name)
{
    CSeriesRecord s;
    s.categorySheet = &sheet;
    s.categoryRange = {{2, 0}, {11, 0}};
    s.valueSheet = &sheet;
    s.valueRange = {{2, column}, {11, column}};
    s.name = CDualString(std::string(name));
    s.markerSymbol = MarkerCircle;
    s.markerFill = "FF7F0E";
    s.markerOutline = "000000";
    s.lineColor = "1F77B4";
    return s;
}

QJsonArray Pair(const QString &a, const QString &b)
{
    return QJsonArray{a, b};
}

} // namespace

class TestExtrasWorkbook : public QObject
{
    Q_OBJECT

private slots:
    void everyExtraOpensInAReader()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath("logo.png");
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(png));

        CWorkbook book(CDualString(std::string("Eng & Co")));
        CWorksheet &data = book.NewWorksheet(CDualString(std::string("Week's")));
        data.OpenRow();
        for (const char *header : {"t", "a", "b", "c"})
            data.PutCell(std::string(header));
        for (int row = 0; row < 10; ++row) {
            data.OpenRow();
            for (int column = 0; column < 4; ++column)
                data.PutCell(double(row * (column + 1) - 5));
        }
        data.CloseRow();
        QVERIFY(book.AddComment(data, NoteFor({3, 1}, CDualString(std::string("peak <here>")))));
        CPicture *picture = book.AddPicture(png.toStdString());
        QVERIFY(picture != nullptr);
        QVERIFY(book.DrawingOf(data).AddAnchor(PictureAnchor(*picture, {2, 6})));

        CWorksheet &plots = book.NewWorksheet(CDualString(std::string("Plots")));
        CChartPart &line = book.NewChart();
        line.title = CDualString(std::string("Current & power"));
        line.primarySeries = {Series(data, 1, "A&B"), Series(data, 2, "b")};
        line.secondaryKind = ChartBar;
        line.secondarySeries = {Series(data, 3, "c")};
        line.plotAreaFill.kind = FillGradient;
        line.plotAreaFill.stops = {{0, "FFFFFF"}, {100, "DDEEFF"}};
        line.plotAreaFill.linearAngle = 90;
        line.xAxis.labelRotation = -45;
        line.yAxis.title = CDualString(std::string("mA"));
        line.yAxis.minimum = "-10";
        line.yAxis.maximum = "40";
        CChartPart &bar = book.NewChart();
        bar.kind = ChartBar;
        bar.barGrouping = 1;
        bar.primarySeries = {Series(data, 1, "a")};
        bar.primarySeries[0].invertIfNegative = true;
        bar.primarySeries[0].negativeFill = "FF0000";
        bar.chartAreaFill.kind = FillPattern;
        bar.chartAreaFill.pattern = 12;
        bar.chartAreaFill.patternForeground = "AAAAAA";
        bar.chartAreaFill.patternBackground = "FFFFFF";
        CChartPart &scatter = book.NewChart();
        scatter.kind = ChartScatter;
        scatter.xAxis.valueAxis = true;
        scatter.primarySeries = {Series(data, 2, "xy")};
        CChartPart &pie = book.NewChart();
        pie.kind = ChartPie;
        pie.primarySeries = {Series(data, 3, "share")};
        pie.primarySeries[0].labels.showPercent = 1;
        pie.secondaryKind = ChartLine;
        pie.secondarySeries = {Series(data, 2, "trend")};
        uint32_t top = 1;
        for (CChartPart *chart : {&line, &bar, &scatter, &pie}) {
            QVERIFY(book.DrawingOf(plots).AddAnchor(ChartAnchor(*chart, {{top, 0}, {top + 14, 7}})));
            top += 16;
        }
        CChartPart &shown = book.NewChart();
        shown.primarySeries = {Series(data, 1, "whole sheet")};
        book.NewChartSheet(CDualString(std::string("Overview")), shown);

        const QString target = dir.filePath("extras.xlsx");
        QVERIFY(book.Save(target.toStdString()));

        QString checkerError;
        const QJsonObject result = RunChecker(target, &checkerError);
        QVERIFY2(!result.isEmpty(), qPrintable(checkerError));
        QVERIFY(result.value("bad").isNull());
        QCOMPARE(result.value("sheetnames").toArray(), (QJsonArray{"Week's", "Plots", "Overview"}));
        QCOMPARE(result.value("chartsheets").toArray(), QJsonArray{"Overview"});
        QCOMPARE(result.value("chartsheetCharts").toArray(), QJsonArray{1});

        const QJsonArray sheets = result.value("sheets").toArray();
        const QJsonObject first = sheets.at(0).toObject();
        QCOMPARE(first.value("notes").toArray(), (QJsonArray{QJsonValue(QJsonArray{"B3", "peak <here>", "Eng & Co"})}));
        QCOMPARE(first.value("images").toArray(), (QJsonArray{QJsonValue(QJsonArray{3, 2})}));

        const QJsonArray charts = sheets.at(1).toObject().value("charts").toArray();
        QStringList types;
        for (const QJsonValue &chart : charts)
            types << chart.toObject().value("type").toString();
        // A reader shows the first group of each chart.
        QCOMPARE(types, QStringList({"lineChart", "barChart", "scatterChart", "pieChart"}));
        QCOMPARE(charts.at(0).toObject().value("series").toArray(),
                 (QJsonArray{Pair("A&B", "'Week''s'!$B2:$B11"), Pair("b", "'Week''s'!$C2:$C11")}));
        QCOMPARE(charts.at(2).toObject().value("series").toArray(),
                 QJsonArray{QJsonValue(Pair("xy", "'Week''s'!$C2:$C11"))});
    }
};

QTEST_MAIN(TestExtrasWorkbook)
#include "tst_extrasworkbook.moc"
