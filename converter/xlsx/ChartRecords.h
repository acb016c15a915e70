#pragma once

#include "DualString.h"
#include "TextUtil.h"

#include <cstdint>
#include <map>
#include <string>

namespace Xlsx {

class CSheet;

// The value of an enumerated setting that means "not set" or "none".
constexpr uint32_t kAllOnes = 0xFFFFFFFFu;

enum ChartKind : uint32_t { ChartLine = 0, ChartBar = 1, ChartScatter = 2, ChartPie = 3, ChartNone = kAllOnes };
enum FillKind : uint32_t { FillNone = 0, FillSolid = 1, FillGradient = 2, FillPattern = 3 };
enum GradientKind : uint32_t { GradientLinear = 0, GradientCircle = 1, GradientRect = 2, GradientShape = 3 };
enum MarkerSymbol : uint32_t { MarkerNone = 0, MarkerDiamond = 1, MarkerCircle = 2, MarkerSquare = 3, MarkerTriangle = 4 };
enum LineKind : uint32_t { LineNone = 0, LineStraight = 1, LineSmooth = 2 };
enum DashKind : uint32_t { DashSolid = 0, DashSysDot = 1, DashSysDash = 2, DashDash = 3 };
// Axis positions: 0 deletes the axis.
enum AxisPosition : uint32_t { AxisDeleted = 0, AxisLeft = 1, AxisRight = 2, AxisTop = 3, AxisBottom = 4 };
enum Gridlines : uint32_t { GridNone = 0, GridMajor = 1, GridMinor = 2, GridBoth = 3 };
enum AxisCrossing : uint32_t { CrossAutoZero = 0, CrossMin = 1, CrossMax = 2 };

// Data labels shown by a chart group or a series; each flag is 0 or 1.
struct CDataLabelFlags
{
    uint8_t showLegendKey = 0;
    uint8_t showValue = 0;
    uint8_t showCategoryName = 0;
    uint8_t showSeriesName = 0;
    uint8_t showPercent = 0;
    uint8_t showBubbleSize = 0;
    uint8_t showLeaderLines = 0;
};

// An area fill. Colours are six hexadecimal digits (red, green, blue).
struct CFillRecord
{
    uint32_t kind = FillNone;
    std::string solidColor;
    uint32_t gradientKind = GradientLinear;
    uint32_t pathFocus = 0;                // 0 to 4, for the circle and rectangle paths
    double linearAngle = 0;                // degrees; 0 = no direction element
    bool scaled = false;
    std::map<int32_t, std::string> stops;  // position in percent -> colour
    uint32_t pattern = 0;                  // index of the preset pattern, 0 to 47
    std::string patternForeground;
    std::string patternBackground;
};

// One axis of a chart.
struct CAxisRecord
{
    uint32_t id = 0;
    CDualString title;
    uint32_t titleSize = 10;               // points
    uint32_t position = AxisBottom;
    uint32_t gridlines = GridNone;
    uint32_t crossing = CrossAutoZero;
    bool sourceLinked = false;             // value-side axes: number format linked to the source
    std::string minimum;                   // empty = automatic
    std::string maximum;
    uint32_t labelSkip = kAllOnes;         // category-side axes only; all ones = not written
    uint32_t tickMarkSkip = kAllOnes;
    int32_t labelRotation = -1;            // degrees; all ones (-1) = not written
    bool valueAxis = false;                // written as a value axis, else as a category axis
};

// One data series: where its categories and values stand and how it is drawn.
struct CSeriesRecord
{
    uint32_t markerSymbol = MarkerNone;
    uint64_t markerSize = 5;
    std::string markerFill;
    std::string markerOutline;
    double markerOutlineWidth = 0.75;      // points
    const CSheet *categorySheet = nullptr; // null: no categories (scatter series: the X values, required)
    CCellSpan categoryRange{{0, 0}, {0, 0}};
    const CSheet *valueSheet = nullptr;    // required
    CCellSpan valueRange{{0, 0}, {0, 0}};
    CDualString name;                      // empty = unnamed
    uint32_t lineKind = LineStraight;
    double lineWidth = 2.25;               // points
    std::string lineColor;                 // bar charts: the bar fill colour
    uint32_t dashKind = DashSolid;
    uint32_t barFillKind = 1;              // 0 no fill, 1 solid fill in the line colour
    bool invertIfNegative = false;
    std::string negativeFill;
    CDataLabelFlags labels;                // pie charts only
};

} // namespace Xlsx
