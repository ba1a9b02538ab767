#pragma once
// Ahead of every Qt header: it names a variable `slots`, which Qt's headers
// define as a macro.
#include "app/GraphSettings.h"

#include <QFont>
#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>

#include "data/Catalogue.h"
#include "data/DateTime.h"
#include "ui/graphs/AxisScale.h"

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
// plotted records once and nothing else scans the data set.
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
    void SetDataSet(const CMeasDataSet* data) { data_ = data; }
    // The record marked by the cursor line; repaints when the cursor shows.
    void SetCursorIndex(int index);
    // 0 hides the cursor line (while a capture runs), 1 allows it.
    void ShowCursor(int flag);
    // The font of every graph text. Not owned; null falls back to the
    // parent's font.
    void SetFont(const QFont* font, bool redraw = true);

    // Axis intervals and label decimals from the settings and the data set.
    void Recalculate();

    // Draws the whole graph for client rectangle `client` with the plot
    // laid out in `plotArea`, in the painter's font. The window and an
    // off-screen image share it.
    void DrawGraph(QPainter& painter, const QRect& client, const QRect& plotArea) const;

    // The plot-area placeholder's rectangle for a client rectangle.
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

    static constexpr std::uint32_t kSeriesColour = ColourRef(0, 255, 0);
    static constexpr std::uint32_t kCursorColour = ColourRef(255, 0, 0);

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

    int slot_ = 0;
    int element_ = kNoElement;
    int decimals_ = 0;
    int column_ = 0;
    int count_ = 0;
    int cursorIndex_ = -1;
    double xmin_ = 0.0;
    double xmax_ = 10.0;
    double ymin_ = 0.0;
    double ymax_ = 1.0;
    double minElapsed_ = 0.0;
    int cursorEnabled_ = 1;
    CDateTime reference_ = CDateTime::FromDays(0.0);
    GraphTimeSettings time_;
    GraphSlotSettings settings_;

    const CMeasDataSet* data_ = nullptr;
    const QFont* font_ = nullptr;
    const ColumnElementTable* columnElements_ = nullptr;
    IMessageTarget* target_ = nullptr;
};

}  // namespace kelp
