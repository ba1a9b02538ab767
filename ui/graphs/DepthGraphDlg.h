#pragma once
#include <QDialog>
#include <QFont>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "analysis/CastFinder.h"
#include "data/MeasDataSet.h"
#include "ui/graphs/DepthGraph.h"

class QComboBox;
class QLabel;
class QMenu;
class QAction;
class QPainter;
class QPushButton;
class QTreeWidget;

namespace kelp {

class CColorLamp;

// The depth-profile graph (template 134): up to 20 data sets side by side as
// a colour map of one component over depth, 30 rows of two half-cells each.
// Modal; nothing of it is kept when it closes. The main window constructs it,
// hands over its data with SetInitialData (only when that holds records) and
// its font with SetGraphFont (only when it has one), then runs exec().
// The map is drawn by CDepthGraph, which pictures and prints use as well.
class CDepthGraphDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CDepthGraphDlg(QWidget* parent = nullptr);
    ~CDepthGraphDlg() override;

    // The data set added as series 1 when the window is shown, and whose
    // casts Add Casts adds. Not owned; it must outlive the window.
    void SetInitialData(const CMeasDataSet* data) { initialData_ = castSource_ = data; }
    // The thresholds Add Casts finds the casts with (the defaults until set).
    void SetCastOptions(const CastOptions& options) { castOptions_ = options; }
    // The font of the window, its controls and its drawing. Copied.
    void SetGraphFont(const QFont* font);

    // Adds a copy of `data` as the last series (the path shared by files and
    // the initial data). False, after message 2014 or 1009 where the design
    // asks for one, when nothing was added.
    // `file`, when given, is named in a refusal (one of several files).
    bool AddSeries(const CMeasDataSet& data, const std::string& file = {});

    // The three rectangles of the map as they stand, in client coordinates.
    QRect GraphFrameRect() const;
    QRect RowLabelRect() const;
    QRect ColumnNumberRect() const;
    // Renders the client area (what the window shows inside the graph frame
    // and the controls around it) into an image of the client size.
    QImage RenderClient() const;
    // File > Save Picture... and File > Print...: the map with its legend,
    // depth scale and list of series, at the window's size.
    void OnSavePicture();
    void OnPrint();

    // ---- state, for the main window's tests and the screenshot tour ----
    const CDepthGraph& Graph() const { return graph_; }
    int SeriesCount() const { return graph_.SeriesCount(); }
    const CDepthSeries& Series(int i) const { return graph_.Series(i); }
    int DepthUnit() const { return depthUnit_; }
    int ComponentElement() const { return element_; }
    int ComponentUnit() const { return componentUnit_; }
    int RememberedUnit(int element) const;
    double DepthStep() const { return graph_.DepthStep(); }
    int RowFormatIndex() const { return graph_.RowFormatIndex(); }
    int ValueDecimals() const { return graph_.ValueDecimals(); }
    int ThresholdCount() const { return graph_.ThresholdCount(); }
    const std::array<int, kDepthThresholds>& Thresholds() const { return graph_.Thresholds(); }
    // The fill of bin `bin` of series `series`, or no colour (white) when the
    // bin is empty.
    std::optional<QColor> BinColour(int series, int bin) const { return graph_.BinColour(series, bin); }

    // Row geometry of the map: height of a row, width of a column.
    static int RowHeight(const QRect& g, const QRect& l) { return CDepthGraph::RowHeight(g, l); }
    static int ColumnWidth(const QRect& g, const QRect& n) { return CDepthGraph::ColumnWidth(g, n); }

  public slots:
    void OnAddFile();
    // Adds the casts of the data on display (DepthGraphCasts.cpp): their
    // down-casts while Down-casts Only is checked (the start), as many as
    // there is room for, each named by its site and time.
    void OnAddCasts();
    void OnDeleteSeries();
    void OnCloseGraph();
    void OnComponentChange(int index);
    void OnComponentUnitChange(int index);
    void OnDepthUnitChange(int index);

    // Esc, the close box and the close command: the series the user added
    // are lost with the window, so it asks first when there are any.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    // The button and the menu items of Add Casts, and their state.
    void BuildCastControls();
    void UpdateCastCommands();
    void OnShow();
    // AddSeries in two steps, so that several series are drawn once: the
    // series taken into the graph (false, with the message shown, when
    // not), then the lists and the graph brought up to date (`first`: the
    // graph was empty before).
    bool TakeSeries(const CMeasDataSet& data, const std::string& file = {});
    void ShowSeries(bool first);
    void SetupComponentLists();
    void FillUnitList();
    void RebuildSeriesList();
    void Recompute();
    void UpdateMenu();
    void UpdateLegend();
    void RenderPicture(QPainter& painter, const QRect& rect) const;
    QFont DrawingFont() const;

    QWidget* client_ = nullptr;  // the area below the menu bar
    QComboBox* componentList_ = nullptr;
    QComboBox* componentUnitList_ = nullptr;
    QComboBox* depthUnitList_ = nullptr;
    QTreeWidget* seriesList_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QWidget* graphFrame_ = nullptr;
    CColorLamp* depthCaption_ = nullptr;
    QWidget* rowLabelTemplate_ = nullptr;
    QWidget* columnNumberTemplate_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* addAction_ = nullptr;
    QPushButton* addCastsButton_ = nullptr;
    QAction* addCastsAction_ = nullptr;
    QAction* downcastsAction_ = nullptr;
    std::array<CColorLamp*, 17> swatches_{};
    std::array<CColorLamp*, 17> levelLabels_{};
    CColorLamp* levelTop_ = nullptr;  // the smallest value, above swatch 0
    QLabel* legendUnit_ = nullptr;

    bool initialised_ = false;
    bool shownOnce_ = false;
    bool initialSeries_ = false;  // series 1 is the main window's data
    int depthUnit_ = 0;
    int element_ = kNoElement;
    int elementPosition_ = 0;
    int componentUnit_ = 0;
    std::array<int, kElementCount> rememberedUnits_{};

    QSize startClient_;
    QRect startFrame_;
    QRect startSeriesList_;
    QRect startAdd_;
    QRect startDelete_;

    const CMeasDataSet* initialData_ = nullptr;
    const CMeasDataSet* castSource_ = nullptr;
    CastOptions castOptions_;
    std::unique_ptr<QFont> font_;
    CMeasDataSet scratch_;
    CDepthGraph graph_;
};

}  // namespace kelp
