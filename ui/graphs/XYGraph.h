#pragma once
// Ahead of every Qt header: it names a variable `slots`, which Qt's headers
// define as a macro.
#include "app/GraphSettings.h"

#include <QFont>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "analysis/CastFinder.h"

class QFontMetrics;
class QPainter;

namespace kelp {

class CMeasDataSet;
struct SlotStats;

// The drawing of the X-Y graph: one slot of a data set as the X axis against
// the checked others, each a polyline of its own colour, the Y axis scaled to
// one of them. The X-Y graph window draws with it, and so does anything else
// that wants the picture, on any QPainter, without a window:
//
//   CXYGraph graph;
//   graph.SetData(&data);   // not owned
//   graph.ResetSlots();     // X: the first component, every other one drawn
//   graph.ChooseXSlot(data.FindSlot(kDepthElement));   // optional, as the
//                           // window's X list does
//   graph.Render(painter, QRect(QPoint(0, 0), CXYGraph::kPictureSize), font, title);
//
// SetXSlot, SetYScaleSlot and SetChecked set single choices; call
// ComputeRanges after changing X or the settings.
//
// The settings start as DefaultGraphSlots() (every axis fitted to its data);
// ResetSlots takes each slot's unit from the first record, as the window
// does on loading. The font is the graph's text font (the program uses its
// dialog font, 9 point "MS P Gothic" mapped to the installed Japanese
// gothic); the title is the window's caption ("X-Y グラフ [file.csv]").
//
// Only valid values are drawn: a record whose X or Y value is not valid
// (no value, a data error) breaks that line and takes no part in the
// automatic ranges; a value in another unit is passed over without a break.
class CXYGraph final {
  public:
    static constexpr int kSlots = 13;
    // The size of a picture when nobody asks for another: the window's.
    static constexpr QSize kPictureSize{800, 600};

    void SetData(const CMeasDataSet* data) { data_ = data; }
    GraphSlotArray& Settings() { return settings_; }
    const GraphSlotArray& Settings() const { return settings_; }

    // The starting choice for the data: X the first slot that holds a
    // component (slot 0 for instrument data), every other slot with a
    // component checked, the first of them the Y scale (-1 when there is
    // none); the unit of every slot from the first record (0 for a slot
    // without a component). Recomputes the ranges.
    void ResetSlots();
    // X becomes `slot`, as the window's X list makes it: the slot that was
    // X is drawn again (if it holds a component), the new X is not, and the
    // Y scale is the first other slot with a component. Recomputes.
    void ChooseXSlot(int slot);
    // The choices of the window's lists and check boxes; call ComputeRanges
    // after changing X (the check marks take no part in the ranges).
    void SetXSlot(int slot);
    void SetYScaleSlot(int slot) { yScaleSlot_ = slot; }
    void SetChecked(int slot, bool checked);
    // The line whose scale the right axis shows; -1 (the start) lets the
    // graph take the first drawn line after the Y scale's, kNoRightAxis
    // leaves the axis out.
    static constexpr int kNoRightAxis = kSlots;
    void SetRightAxisSlot(int slot) { rightSlot_ = slot; }

    // Records drawn as a line of their own (a cast), and their name.
    struct Piece {
        RecordRange records;
        std::string name;
    };
    // Draws only the records of `pieces`, each piece a line of its own (a
    // line breaks between two), and fits the ranges to them; none draws
    // every record as one line (the start). With `colourEach`, while one
    // line is drawn, each piece takes a colour of its own and a picture's
    // legend names the pieces. Call ComputeRanges after.
    void SetPieces(std::vector<Piece> pieces, bool colourEach);
    const std::vector<Piece>& Pieces() const { return pieces_; }
    // True when the pieces are drawn in colours of their own: with the
    // colours asked for, more than one piece and one line with values.
    bool ColoursPieces() const;
    // The colour of piece `i` when the pieces have colours of their own.
    static QColor PieceColour(int i);

    // The axis interval of every slot: from the valid values of the records
    // whose X value is valid, or the fixed bounds of the settings.
    void ComputeRanges();

    int XSlot() const { return xSlot_; }
    int YScaleSlot() const { return yScaleSlot_; }
    double AxisMin(int slot) const { return min_[static_cast<std::size_t>(slot)]; }
    double AxisMax(int slot) const { return max_[static_cast<std::size_t>(slot)]; }
    int RangeCount(int slot) const { return count_[static_cast<std::size_t>(slot)]; }
    bool IsChecked(int slot) const { return checked_[static_cast<std::size_t>(slot)] != 0; }
    // True when slot k's line is drawn: checked, not X, holding a component.
    bool IsDrawn(int k) const;
    // The slot whose scale the right axis shows: the one set, or the first
    // drawn line other than the Y scale's; -1 when no such line has values.
    int RightAxisSlot() const;

    // The window's drawing, in the painter's font: the colour strip S beside
    // the check boxes (`rows` are their rectangles; a slot that is X or has
    // no component gets no line) and the graph frame G.
    void Draw(QPainter& painter, const QRect& s, const QRect& g, const std::array<QRect, kSlots>& rows) const;
    // The plot rectangle inside G as the axes leave it: PlotRect, its left
    // edge moved right for value labels wider than "999.999" and its right
    // edge left for the labels of a right axis.
    QRect PlotRectIn(const QFontMetrics& metrics, const QRect& g) const;
    // The plot rectangle inside G before the labels are measured.
    static QRect PlotRect(const QFontMetrics& metrics, const QRect& g);

    // A picture: `title` on top, a legend naming every drawn line on the
    // left, the graph frame beside it; in `font` sized in pixels.
    void Render(QPainter& painter, const QRect& rect, const QFont& font, const QString& title) const;

    // The pieces of slot k's line in the plot rectangle P, one point a
    // record as drawn (a piece ends where a value is not valid).
    std::vector<std::vector<QPointF>> Polylines(int k, const QRect& p) const;

    // "name [unit]" of a slot, as the axis titles name it.
    std::string AxisTitle(int slot) const;
    // A line's legend entry: its name and the bottom and top of its scale
    // with the unit ("Depth -0.8 to 40.8 m"), so that a line without an axis
    // of its own can be read; "No data" in place of a scale it has none.
    std::string LegendText(int slot) const;
    // The colour of slot k's line.
    static QColor LineColour(int k);

  private:
    void DrawLegendStrip(QPainter& painter, const QRect& s, const std::array<QRect, kSlots>& rows) const;
    void DrawFrame(QPainter& painter, const QRect& g) const;
    void DrawXAxis(QPainter& painter, const QRect& p) const;
    // A vertical axis's ticks and labels for the plot's height.
    struct ValueAxis {
        int slot = -1;
        double lo = 0.0;
        double hi = 10.0;
        std::vector<std::pair<double, QString>> ticks;
        int widest = 0;  // the widest label in pixels
    };
    ValueAxis LayOutValueAxis(const QFontMetrics& metrics, int slot, const QRect& p) const;
    // The plot rectangle and both value axes for the graph frame G.
    struct Layout {
        QRect plot;
        ValueAxis left;
        ValueAxis right;
    };
    Layout LayOut(const QFontMetrics& metrics, const QRect& g) const;
    void DrawYAxis(QPainter& painter, const QRect& g, const QRect& p, const ValueAxis& axis) const;
    void DrawRightAxis(QPainter& painter, const QRect& g, const QRect& p, const ValueAxis& axis) const;
    // The points of a line as drawn: its pieces one after the other.
    struct Line {
        bool built = false;
        std::vector<QPointF> points;
        std::vector<int> pieceEnds;    // where each piece ends in points
        std::vector<int> pieceGroups;  // the entry of pieces_ each piece belongs to
    };
    // The records drawn: the pieces, cut to the data, or all records.
    std::vector<RecordRange> DrawnRanges() const;
    void DrawLine(QPainter& painter, int k, const QRect& p) const;
    void BuildLine(int k, const QRect& p, Line& line) const;
    // Lines are built on their first paint and kept while the plot
    // rectangle, the data and the ranges stay; any change forgets them.
    void KeepLinesFor(const QRect& p) const;
    void ForgetLines() const;
    // The X pixel of every record, shared by the lines of one paint (in the
    // scratch storage).
    const std::vector<double>& XPixels(const QRect& p) const;
    // What each record does to slot k's line (a Mark a record, in the
    // scratch storage unless it is the X slot's own); XPixels first.
    const std::uint8_t* Marks(int k) const;
    // The data set's statistics of the slot in the unit of its axis.
    const SlotStats& Stats(int slot) const;
    // True when every record holds a valid value of the slot in that unit.
    bool ValidEverywhere(int slot) const;
    bool HasData() const;

    const CMeasDataSet* data_ = nullptr;
    std::vector<Piece> pieces_;
    bool colourEach_ = false;
    GraphSlotArray settings_ = DefaultGraphSlots();
    int xSlot_ = 0;
    int yScaleSlot_ = -1;
    int rightSlot_ = -1;
    std::array<double, kSlots> min_{};
    std::array<double, kSlots> max_{};
    std::array<int, kSlots> count_{};
    std::array<int, kSlots> checked_{};
    // The lines as last built, and the storage building them works in.
    struct Lines {
        QRect plot;
        const CMeasDataSet* data = nullptr;
        int count = -1;
        bool xsBuilt = false;
        std::vector<double> xs;
        std::vector<std::uint8_t> xMarks;
        std::vector<std::uint8_t> marks;
        std::vector<double> ys;
        std::array<Line, kSlots> bySlot;
    };
    mutable Lines lines_;
};

}  // namespace kelp
