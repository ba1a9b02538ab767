#pragma once
// Ahead of every Qt header: it names a variable `slots`, which Qt's headers
// define as a macro.
#include "app/GraphSettings.h"

#include <QFont>
#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "ui/graphs/TrendGraph.h"

class QFontMetrics;
class QPainter;
class QToolButton;

namespace kelp {

class CMeasDataSet;
class IMessageTarget;

// The element number shown in each panel row (data-set slot); the main
// window owns the one table of the program.
using ColumnElementTable = std::array<int, kSlotCount>;

// One trend graph of the main window: the values of one data column, in one
// unit, against the time of the records. The main window owns three, feeds
// them their settings and data, and shows one to three at a time; the three
// small buttons ask it, through WM_APP_PANE_COUNT on the message target, for
// a layout of one, two or three panes starting with this pane's slot.
//
// Ranges are computed only by SetSlot and SetCount; painting walks the
// plotted records once and nothing else scans the data set. The drawing is
// CTrendGraph's, which pictures and prints use as well.
class CTrendGraphPane final : public QWidget {
    Q_OBJECT
  public:
    explicit CTrendGraphPane(QWidget* parent = nullptr);
    ~CTrendGraphPane() override;
    CTrendGraphPane(const CTrendGraphPane&) = delete;
    CTrendGraphPane& operator=(const CTrendGraphPane&) = delete;

    // Where the layout buttons send WM_APP_PANE_COUNT (wParam 1, 2 or 3,
    // lParam this pane's slot): the main window. Not owned.
    void SetMessageTarget(IMessageTarget* target) { target_ = target; }
    // The main window's column-to-element table. Not owned. Without one the
    // pane asks the data set, or while that is empty takes the instrument's
    // slot order.
    void SetColumnElements(const ColumnElementTable* table) { columnElements_ = table; }

    // Shows graph slot `slot` (0..12, printed 1-based in the title), drawing
    // data column `column` with copies of the settings; recomputes the
    // ranges and repaints.
    void SetSlot(int slot, int column, const GraphTimeSettings& time, const GraphSlotSettings& settings);
    // Plots records 0..n-1 (at most the data set's count; 0 without one);
    // recomputes the ranges and repaints.
    void SetCount(int n);
    // Not owned; the caller calls SetCount afterwards.
    void SetDataSet(const CMeasDataSet* data) { graph_.SetDataSet(data); }
    // The record marked by the cursor line; repaints when the cursor shows.
    void SetCursorIndex(int index);
    // 0 hides the cursor line (while a capture runs), 1 allows it.
    void ShowCursor(int flag);
    // The font of every graph text. Not owned; null falls back to the
    // parent's font.
    void SetFont(const QFont* font, bool redraw = true);

    // Axis intervals and label decimals from the settings and the data set.
    void Recalculate() { graph_.Recalculate(); }

    // Draws the whole graph for client rectangle `client` with the plot
    // laid out in `plotArea`, in the painter's font. The window and an
    // off-screen image share it.
    void DrawGraph(QPainter& painter, const QRect& client, const QRect& plotArea) const {
        graph_.Draw(painter, client, plotArea);
    }
    // What the pane draws, for pictures of it.
    const CTrendGraph& Graph() const { return graph_; }
    // The font the pane draws with.
    QFont DrawingFont() const { return font_ != nullptr ? *font_ : font(); }

    // The plot-area placeholder's rectangle for a client rectangle.
    static QRect PlotAreaFor(const QRect& client) { return CTrendGraph::PlotAreaFor(client); }

    // The plot frame inside a plot area, right and bottom exclusive.
    using Frame = CTrendGraph::Frame;
    static Frame FrameFor(const QFontMetrics& metrics, const QRect& plotArea) {
        return CTrendGraph::FrameFor(metrics, plotArea);
    }

    int GetSlot() const { return graph_.GetSlot(); }
    int GetColumn() const { return graph_.GetColumn(); }
    int GetElement() const { return graph_.GetElement(); }
    int GetCount() const { return graph_.GetCount(); }
    int GetCursorIndex() const { return graph_.GetCursorIndex(); }
    int GetCursorEnabled() const { return graph_.GetCursorEnabled(); }
    int GetDecimals() const { return graph_.GetDecimals(); }
    double GetXMin() const { return graph_.GetXMin(); }
    double GetXMax() const { return graph_.GetXMax(); }
    double GetYMin() const { return graph_.GetYMin(); }
    double GetYMax() const { return graph_.GetYMax(); }
    double GetMinElapsed() const { return graph_.GetMinElapsed(); }
    const CDateTime& GetReferenceTime() const { return graph_.GetReferenceTime(); }

    static constexpr std::uint32_t kSeriesColour = CTrendGraph::kSeriesColour;
    static constexpr std::uint32_t kCursorColour = CTrendGraph::kCursorColour;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void LayOut();
    void Repaint();
    void RequestPanes(int count);
    int LookUpElement(int column) const;

    QWidget* plotArea_ = nullptr;     // 1145, never shown
    QWidget* focusHolder_ = nullptr;  // 1057, outside the visible area
    QToolButton* threeButton_ = nullptr;
    QToolButton* twoButton_ = nullptr;
    QToolButton* oneButton_ = nullptr;

    CTrendGraph graph_;
    const QFont* font_ = nullptr;
    const ColumnElementTable* columnElements_ = nullptr;
    IMessageTarget* target_ = nullptr;
};

// File > Save Picture... and File > Print... of the main window: the
// panes shown, stacked as they stand, at their size on the screen, under
// the line `title`, on white; the save dialog proposes `proposedName`.
// Nothing happens without a pane.
void SavePanesPicture(QWidget* owner, const std::vector<const CTrendGraphPane*>& panes, const QString& title,
                      const std::string& proposedName = {});
void PrintPanes(QWidget* owner, const std::vector<const CTrendGraphPane*>& panes, const QString& title);

}  // namespace kelp
