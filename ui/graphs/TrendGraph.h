#pragma once
// Ahead of every Qt header: it names a variable `slots`, which Qt's headers
// define as a macro.
#include "app/GraphSettings.h"

#include <QFont>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <vector>

#include "data/Catalogue.h"
#include "data/DateTime.h"
#include "ui/graphs/AxisScale.h"

class QFontMetrics;
class QPainter;

namespace kelp {

class CMeasDataSet;

// The drawing of one trend graph: the values of one data column, in one
// unit, against the time of the records, with its title, unit, axes, curve
// and cursor line. The trend pane of the main window draws with it, and so
// does anything else that wants the picture, on any QPainter, without a
// window:
//
//   CTrendGraph graph;
//   graph.SetDataSet(&data);                  // not owned
//   graph.SetSlot(0, 0, element, time, slot); // graph slot 0 drawing column 0
//   graph.SetCount(data.GetCount());
//   graph.Render(painter, QRect(QPoint(0, 0), CTrendGraph::kPictureSize), font);
//
// `element` is the catalogue element the column holds (data.GetElement for
// a loaded or captured data set); the settings records are those of the
// settings file (GraphTimeSettings: DispType 0 shows seconds, 1 clock time;
// RangeType 0 fits the time axis to the records; GraphSlotSettings: YUnit,
// YAuto 1 fits the value axis). Their defaults draw every record in unit 0
// with both axes fitted. The font is the graph's text font (the program uses
// its dialog font, 9 point "MS P Gothic" mapped to the installed Japanese
// gothic); no cursor line shows until SetCursorIndex names a record.
class CTrendGraph final {
  public:
    // The size of a picture of one graph when nobody asks for another.
    static constexpr QSize kPictureSize{640, 400};

    static constexpr std::uint32_t kSeriesColour = ColourRef(0, 255, 0);
    static constexpr std::uint32_t kCursorColour = ColourRef(255, 0, 0);

    // Not owned; call SetCount afterwards.
    void SetDataSet(const CMeasDataSet* data) { data_ = data; }
    const CMeasDataSet* DataSet() const { return data_; }
    // Shows graph slot `slot` (0..12, printed 1-based in the title), drawing
    // data column `column`, which holds catalogue element `element`; the
    // settings are copied. Recomputes the ranges.
    void SetSlot(int slot, int column, int element, const GraphTimeSettings& time,
                 const GraphSlotSettings& settings);
    // Plots records 0..n-1 (at most the data set's count; 0 without one);
    // recomputes the ranges.
    void SetCount(int n);
    // The record the cursor line marks, and whether the line may show (the
    // time settings' Cursol must be set as well).
    void SetCursorIndex(int index) { cursorIndex_ = index; }
    void ShowCursor(int enabled) { cursorEnabled_ = enabled; }

    // Axis intervals and label decimals from the settings and the data set.
    void Recalculate();

    // Draws the graph for client rectangle `client` with the plot laid out
    // in `plotArea`, in the painter's font; `onPaper` draws it on white
    // instead of the window's face colour.
    void Draw(QPainter& painter, const QRect& client, const QRect& plotArea, bool onPaper = false) const;
    // Draws the graph filling `rect`, in `font` sized in pixels.
    void Render(QPainter& painter, const QRect& rect, const QFont& font, bool onPaper = false) const;
    // Several graphs stacked in `rect` as the main window stacks its panes:
    // equal heights, neighbours sharing one pixel row.
    static void RenderStack(QPainter& painter, const QRect& rect, const QFont& font,
                            const std::vector<const CTrendGraph*>& graphs, bool onPaper = false);

    // The height of the title above a picture of stacked graphs: two lines
    // of the graphs' 9-point text.
    static constexpr int kPictureTitleHeight = 40;
    // A picture to keep: `title` on a line of its own (two where it is too
    // long), the graphs stacked under it, all on white.
    static void RenderPicture(QPainter& painter, const QRect& rect, const QFont& font,
                              const std::vector<const CTrendGraph*>& graphs, const QString& title);
    // What a picture of trend graphs of `data` says it shows: `name` (the
    // data file's name, or what stands for unsaved data), the times of the
    // first and the last record and the sites.
    static std::string PictureTitle(const CMeasDataSet& data, const std::string& name);

    // The rectangle the plot is laid out in for a client rectangle.
    static QRect PlotAreaFor(const QRect& client);

    // The plot frame inside a plot area, right and bottom exclusive.
    struct Frame {
        int X0 = 0;
        int Y0 = 0;
        int X1 = 0;
        int Y1 = 0;
    };
    static Frame FrameFor(const QFontMetrics& metrics, const QRect& plotArea);

    int GetSlot() const { return slot_; }
    int GetColumn() const { return column_; }
    int GetElement() const { return element_; }
    int GetCount() const { return count_; }
    int GetCursorIndex() const { return cursorIndex_; }
    int GetCursorEnabled() const { return cursorEnabled_; }
    int GetDecimals() const { return decimals_; }
    double GetXMin() const { return xmin_; }
    double GetXMax() const { return xmax_; }
    double GetYMin() const { return ymin_; }
    double GetYMax() const { return ymax_; }
    double GetMinElapsed() const { return minElapsed_; }
    const CDateTime& GetReferenceTime() const { return reference_; }
    const GraphTimeSettings& TimeSettings() const { return time_; }

  private:
    void DrawCurve(QPainter& painter, const Frame& f) const;

    int slot_ = 0;
    int element_ = kNoElement;
    int decimals_ = 0;
    int column_ = 0;
    int count_ = 0;
    int cursorIndex_ = -1;
    int cursorEnabled_ = 1;
    double xmin_ = 0.0;
    double xmax_ = 10.0;
    double ymin_ = 0.0;
    double ymax_ = 1.0;
    double minElapsed_ = 0.0;
    bool noData_ = false;
    // Nothing to draw at all: a made-up time axis and value range.
    bool emptyGraph_ = false;
    CDateTime reference_ = CDateTime::FromDays(0.0);
    GraphTimeSettings time_;
    GraphSlotSettings settings_;
    const CMeasDataSet* data_ = nullptr;
};

}  // namespace kelp
