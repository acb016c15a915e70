#pragma once

// Namespace names and relationship types of drawings, pictures, charts, chartsheets
// and notes.
namespace Xlsx::Ns {

constexpr const char *kChart = "http://schemas.openxmlformats.org/drawingml/2006/chart";
constexpr const char *kChart2010 = "http://schemas.microsoft.com/office/drawing/2007/8/2/chart";
constexpr const char *kSpreadsheetDrawing = "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
constexpr const char *kVml = "urn:schemas-microsoft-com:vml";
constexpr const char *kVmlOffice = "urn:schemas-microsoft-com:office:office";
constexpr const char *kVmlExcel = "urn:schemas-microsoft-com:office:excel";

constexpr const char *kRelChart = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chart";
constexpr const char *kRelImage = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr const char *kRelChartsheet = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chartsheet";

constexpr const char *kTypeChartsheet = "application/vnd.openxmlformats-officedocument.spreadsheetml.chartsheet+xml";
constexpr const char *kTypeDrawing = "application/vnd.openxmlformats-officedocument.drawing+xml";
constexpr const char *kTypeChart = "application/vnd.openxmlformats-officedocument.drawingml.chart+xml";
constexpr const char *kTypeVmlDrawing = "application/vnd.openxmlformats-officedocument.vmlDrawing";
constexpr const char *kTypeComments = "application/vnd.openxmlformats-officedocument.spreadsheetml.comments+xml";

} // namespace Xlsx::Ns
