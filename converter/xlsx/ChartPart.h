#pragma once

#include "ChartRecords.h"

#include <string>
#include <vector>

namespace Xlsx {

class CTempTree;
class CXmlStream;

// The A1 range text of a series reference: 'Sheet'!$A2:$A11, an apostrophe in the
// title doubled as formulas require.
std::string RangeReference(const std::string &sheetTitle, const CCellPos &first, const CCellPos &last);

// DrawingML preset pattern name of index 0 to 47; the empty text for any other index.
const char *PatternPresetName(uint32_t index);

// One chart of the workbook, written as the chart part "/xl/charts/chart" N ".xml":
// a primary chart group and an optional secondary one on their own axes, with title,
// legend, data table, data labels and the fills of plot area and chart area. The
// owner fills the description; Save writes it and may run any number of times.
class CChartPart
{
public:
    CChartPart(uint64_t number, CTempTree &tree);
    virtual ~CChartPart() = default;

    // False when there is no primary series or the chart kind is none.
    bool Save();

    uint64_t number;
    std::vector<CSeriesRecord> primarySeries;
    std::vector<CSeriesRecord> secondarySeries;
    CDualString title;
    uint32_t titleSize = 14;               // points
    uint32_t legendPosition = 6;           // 0 none; 1-4 left, right, top, bottom over the plot; 5-8 beside it
    uint32_t dataTable = 0;                // 0 none, 1 data table, 2 with legend keys
    uint32_t kind = ChartLine;
    uint32_t secondaryKind = ChartNone;
    uint32_t barDirection = 0;             // 0 columns, 1 bars
    uint32_t barGrouping = 0;              // 0 clustered, 1 stacked, 2 percent stacked
    uint32_t scatterStyle = 1;             // 0 smooth lines with markers, 1 straight lines with markers
    uint32_t blankCells = 0;               // 0 gap, 1 zero, 2 span
    uint8_t plotHiddenCells = 0;
    CFillRecord plotAreaFill;
    CFillRecord chartAreaFill;
    CDataLabelFlags labels;
    uint16_t firstSliceAngle = 0;          // degrees, pie charts
    CAxisRecord xAxis;
    CAxisRecord yAxis;
    CAxisRecord secondaryXAxis;
    CAxisRecord secondaryYAxis;
    CDualString frameName;                 // name of the frame that shows the chart in a drawing

    // Writers of the pieces, each appending to the open stream at its position.
    static void WriteXAxis(CXmlStream &xml, const CAxisRecord &axis, uint32_t crossingId);
    static void WriteYAxis(CXmlStream &xml, const CAxisRecord &axis, uint32_t crossingId);
    static void WriteTitle(CXmlStream &xml, const std::string &text, uint32_t size, bool vertical);
    static void WriteLegend(CXmlStream &xml, uint32_t position);
    static void WriteDataTable(CXmlStream &xml, uint32_t mode);
    static void WriteDataLabels(CXmlStream &xml, const CDataLabelFlags &flags, bool leaderLines);
    static void WriteMarker(CXmlStream &xml, const CSeriesRecord &series, const char *symbolName);
    static void WriteFill(CXmlStream &xml, const CFillRecord &fill);
    static void WriteGradientPath(CXmlStream &xml, const char *pathName, uint32_t focus);

private:
    // A chart group draws on one X and one Y axis, given by their ids.
    struct GroupAxes
    {
        uint32_t x;
        uint32_t y;
    };

    // Writes the group of a kind; false when the kind draws nothing.
    bool WriteGroup(CXmlStream &xml, uint32_t groupKind, const GroupAxes &axes,
                    const std::vector<CSeriesRecord> &series, uint64_t firstIndex) const;
    void WriteLineChart(CXmlStream &xml, const GroupAxes &axes, const std::vector<CSeriesRecord> &series,
                        uint64_t firstIndex) const;
    void WriteBarChart(CXmlStream &xml, const GroupAxes &axes, const std::vector<CSeriesRecord> &series,
                       uint64_t firstIndex) const;
    void WriteScatterChart(CXmlStream &xml, const GroupAxes &axes,
                           const std::vector<CSeriesRecord> &series, uint64_t firstIndex) const;
    void WritePieChart(CXmlStream &xml, const std::vector<CSeriesRecord> &series, uint64_t firstIndex) const;

    CTempTree &m_tempTree;
};

// Small pieces shared by the chart writers.
namespace Chart {

// DrawingML angles count sixty-thousandths of a degree.
constexpr int64_t kAngleUnitsPerDegree = 60000;

// True for six hexadecimal digits, the only colour text the parts accept.
bool IsColour(const std::string &text);
void WriteValElement(CXmlStream &xml, const char *name, const char *value);
void WriteValElement(CXmlStream &xml, const char *name, uint64_t value);
void WriteColour(CXmlStream &xml, const std::string &colour);
// Line width in points as DrawingML EMU, kept within the range a line may have.
uint64_t LineWidthEmu(double points);
// The line of a line or scatter series.
void WriteLineProperties(CXmlStream &xml, const CSeriesRecord &series);

} // namespace Chart

} // namespace Xlsx
