#pragma once
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "ui/graphs/DepthLegend.h"
#include "ui/graphs/DepthSeries.h"
#include "ui/graphs/GraphWindowUtil.h"

class QColor;
class QPainter;

namespace kelp {

class CMeasDataSet;

// The drawing of the depth-profile graph: up to 20 data sets side by side
// as a colour map of one component over depth (30 rows of two half-cells),
// the depth scale, the column numbers and the colour legend. The depth graph
// window draws its map with it, and anything else that wants the picture
// draws all of it, on any QPainter, without a window:
//
//   CDepthGraph graph;
//   graph.AddSeries(cast1);          // copies; refused without depth
//   graph.AddSeries(cast2);
//   graph.SelectDefaults();          // series 1's first component and units
//   graph.Render(painter, QRect(QPoint(0, 0), CDepthGraph::kPictureSize), font,
//                QString::fromStdString(graph.PictureTitle()));
//
// Select(element, unit, depthUnit) chooses another component or unit. The
// font is the graph's text font (the program uses its dialog font, 9 point
// "MS P Gothic" mapped to the installed Japanese gothic).
class CDepthGraph final {
  public:
    // The size of a picture when nobody asks for another: the window's.
    static constexpr QSize kPictureSize{800, 575};

    // The layout shared by the window and its pictures, in the dialog units
    // of the window's template (415 x 362).
    static constexpr int kTemplateWidth = 415;
    static constexpr int kTemplateHeight = 362;
    static constexpr TemplateRect kFrame{82, 28, 326, 327};
    static constexpr TemplateRect kRowLabel{86, 45, 26, 10};
    static constexpr TemplateRect kColumnNumber{116, 33, 15, 8};
    // The depth caption: the name of depth over its unit.
    static constexpr TemplateRect kCaption{83, 29, 32, 15};
    static constexpr TemplateRect kSeriesList{8, 177, 69, 163};
    static constexpr TemplateRect kComponent{81, 11, 79, 130};
    // The legend: its unit on top, 17 swatches below it, the values at the
    // boundaries between them to their left, the first boundary level with
    // the top of swatch 0 (the smallest value).
    static constexpr TemplateRect kLegendUnit{9, 1, 56, 9};
    static constexpr TemplateRect kSwatchFirst{40, 14, 21, 9};
    static constexpr int kSwatchStep = 9;
    static constexpr TemplateRect kLevelTop{13, 9, 26, 10};
    // The rectangle of the value at boundary b: b = 0 is the top of swatch
    // 0, b = k + 1 the boundary below swatch k.
    static constexpr TemplateRect LevelRect(int b) { return kLevelTop.Shifted(0, kSwatchStep * b); }
    static constexpr TemplateRect SwatchRect(int k) { return kSwatchFirst.Shifted(0, kSwatchStep * k); }

    CDepthGraph() = default;
    CDepthGraph(const CDepthGraph&) = delete;
    CDepthGraph& operator=(const CDepthGraph&) = delete;

    enum class AddResult { Added, Empty, Full, NoDepth, NoMemory };
    // Copies `data` as the last series: refused when it has no records, when
    // 20 series are there, when it has no valid depth, or when the copy's
    // storage cannot be had. A nameless data set is named "measured data"
    // (string 2015). Does not recompute.
    AddResult AddSeries(const CMeasDataSet& data);
    void RemoveSeries(int position);
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    const CDepthSeries& Series(int i) const { return *series_[static_cast<std::size_t>(i)]; }

    // A component (catalogue element, 0 for none) with its unit code, and
    // the depth unit code.
    struct Choice {
        int element = kNoElement;
        int unit = 0;
        int depthUnit = 0;
    };
    // Series 1's first component other than depth, and the units of it and
    // of depth in its first record, each through FittedUnit. No component and
    // the first units without series.
    Choice DefaultChoice() const;
    // `unit` where `element` has that unit, otherwise its first unit (0).
    static int FittedUnit(int element, int unit);
    // Selects DefaultChoice(); recomputes. Nothing without series.
    void SelectDefaults();
    // The component (catalogue element, 0 for none), its unit code and the
    // depth unit code; recomputes.
    void Select(int element, int unit, int depthUnit);
    int Element() const { return element_; }
    int Unit() const { return unit_; }
    int DepthUnit() const { return depthUnit_; }

    // Depth step, bins, legend boundaries from the series and the choice.
    void Recompute();

    double DepthStep() const { return scale_.step; }
    int RowFormatIndex() const { return scale_.formatIndex; }
    int ValueDecimals() const { return decimals_; }
    int ThresholdCount() const { return thresholdCount_; }
    const std::array<int, kDepthThresholds>& Thresholds() const { return thresholds_; }
    // The fill of bin `bin` of series `series`, or none (white) when empty.
    std::optional<QColor> BinColour(int series, int bin) const;

    // The legend's texts: the value at boundary b (0 the top of swatch 0,
    // k + 1 below swatch k; empty where none stands), and its unit.
    std::string LevelText(int boundary) const;
    std::string UnitText() const;
    // The depth caption: the name of depth, a line break, its unit.
    std::string CaptionText() const;
    // What the map says instead of a blank grid (0 when it shows values):
    // IDS_DEPTH_NO_DEPTH_UNIT when no record has its depth in the chosen
    // unit, IDS_DEPTH_NO_VALUES when none has the component in its unit.
    int MessageId() const;

    // The window's map in the graph frame G with the row-label template L and
    // the column-number template N, in the painter's font.
    void DrawMap(QPainter& painter, const QRect& g, const QRect& l, const QRect& n) const;
    // A picture: the map, the legend, the depth caption and the list of the
    // series, laid out as in the window, with `title` above; in `font` sized
    // in pixels.
    void Render(QPainter& painter, const QRect& rect, const QFont& font, const QString& title) const;
    // The title a picture carries: the window caption, the component and its
    // unit.
    std::string PictureTitle() const;

    // Row geometry of the map: height of a row, width of a column.
    static int RowHeight(const QRect& g, const QRect& l);
    static int ColumnWidth(const QRect& g, const QRect& n);

  private:
    bool HasDepthInUnit() const;

    std::vector<std::unique_ptr<CDepthSeries>> series_;
    int element_ = 0;
    int unit_ = 0;
    int depthUnit_ = 0;
    DepthScale scale_;
    int decimals_ = 0;
    bool used_ = false;
    double minimum_ = 0.0;
    double maximum_ = 0.0;
    std::array<int, kDepthThresholds> thresholds_{};
    int thresholdCount_ = 0;
};

}  // namespace kelp
