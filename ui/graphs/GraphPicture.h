#pragma once
// Pictures of the graphs to keep: PNG, SVG and PDF files and prints, drawn by
// the graphs' own painting code (CTrendGraph, CDepthGraph, CXYGraph).
//
// A picture is laid out in logical pixels, 96 to the inch as on the screen,
// and each output draws it at its own resolution: a PNG file has exactly
// that many pixels, an SVG file that view box (vectors), a PDF file one page
// of that size at 72 points to 96 pixels (vectors, fonts embedded), and a
// print is scaled to fit the printable area of the page with its proportions
// kept. Draw text with a PixelFont so that it keeps its size against the
// graph on every device.
//
// Nothing here needs a window: a program that has only a QGuiApplication
// (the offscreen platform will do) writes a picture with SavePicture, for
// example
//
//   CXYGraph graph;                      // or CTrendGraph, CDepthGraph
//   graph.SetData(&data);
//   graph.ResetSlots();
//   SavePicture("xy.svg", PictureFormat::Svg, CXYGraph::kPictureSize, title,
//               [&](QPainter& p, const QRect& r) { graph.Render(p, r, font, title); });
#include <QByteArray>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QPainter;
class QPrinter;
class QWidget;

namespace kelp {

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name's extension names ("png", "svg", "pdf", in any
// case), or none.
std::optional<PictureFormat> PictureFormatOf(const std::string& path);

// Draws a graph into `rect`, which starts at (0, 0) and has the picture's
// size in logical pixels.
using PictureRenderer = std::function<void(QPainter& painter, const QRect& rect)>;

// The bytes of the picture of `size` logical pixels in `format` (what
// SavePicture writes); empty when it cannot be drawn. `title` is the SVG and
// PDF document title.
QByteArray PictureBytes(PictureFormat format, const QSize& size, const QString& title,
                        const PictureRenderer& render);

// Writes the picture of `size` logical pixels to `path` (replacing the file
// only once the whole picture is written). `title` is the SVG and PDF
// document title. False when the file cannot be written.
bool SavePicture(const std::string& path, PictureFormat format, const QSize& size, const QString& title,
                 const PictureRenderer& render);

// Prints the picture on one page. False when the printer does not start.
bool PrintPicture(QPrinter& printer, const QSize& size, const PictureRenderer& render);

// `font` sized in pixels as a 96-dpi screen shows it (9 points: 12 pixels),
// so that its size follows the picture's transformation on every device.
QFont PixelFont(const QFont& font);

// The name the save dialog proposes for a picture of the graph `kind`
// ("trend", "xy", "depth") of the data in `dataFile` (a path or a file
// name, its extension dropped): "bay-2026-06-15-xy.png", or "xy.png" when
// the data have no file.
std::string ProposedPictureName(const std::string& dataFile, const std::string& kind);

// File > Save Picture... of a window: asks for the file (PNG, SVG or PDF),
// proposing `proposedName`, and writes it; tells the user (message 2297)
// when that failed.
void SavePictureCommand(QWidget* owner, const QSize& size, const QString& title,
                        const PictureRenderer& render, const std::string& proposedName = {});
// File > Print...: Qt's print dialog, then one page; message 2298 when the
// printer could not be started.
void PrintPictureCommand(QWidget* owner, const QSize& size, const QString& title,
                         const PictureRenderer& render);

// Answers the print dialog instead of the user (tests, the screenshot tour):
// sets the printer up and returns true to print, false to cancel. An empty
// responder brings back the real dialog.
using PrintResponder = std::function<bool(QPrinter& printer)>;
void SetPrintResponder(PrintResponder responder);

}  // namespace kelp
