#pragma once
#include <QDialog>
#include <QFont>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "data/MeasDataSet.h"
#include "ui/graphs/DepthLegend.h"
#include "ui/graphs/DepthSeries.h"

class QComboBox;
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
class CDepthGraphDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CDepthGraphDlg(QWidget* parent = nullptr);
    ~CDepthGraphDlg() override;

    // The data set added as series 1 when the window is shown. Not owned; it
    // must outlive the first showing.
    void SetInitialData(const CMeasDataSet* data) { initialData_ = data; }
    // The font of the window, its controls and its drawing. Copied.
    void SetGraphFont(const QFont* font);

    // Adds a copy of `data` as the last series (the path shared by files and
    // the initial data). False, after message 2014 or 1009 where the design
    // asks for one, when nothing was added.
    bool AddSeries(const CMeasDataSet& data);

    // Draws the graph frame G in client coordinates of the window, with the
    // row-label template L and the column-number template N; the window and
    // off-screen images share it.
    void DrawGraph(QPainter& painter, const QRect& g, const QRect& l, const QRect& n) const;

    // The three rectangles of DrawGraph as they stand, in client coordinates.
    QRect GraphFrameRect() const;
    QRect RowLabelRect() const;
    QRect ColumnNumberRect() const;
    // Renders the client area (what the window shows inside the graph frame
    // and the controls around it) into an image of the client size.
    QImage RenderClient() const;

    // ---- state, for the main window's tests and the screenshot tour ----
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    const CDepthSeries& Series(int i) const { return *series_[static_cast<std::size_t>(i)]; }
    int DepthUnit() const { return depthUnit_; }
    int ComponentElement() const { return element_; }
    int ComponentUnit() const { return componentUnit_; }
    int RememberedUnit(int element) const;
    double DepthStep() const { return scale_.step; }
    int RowFormatIndex() const { return scale_.formatIndex; }
    int ValueDecimals() const { return decimals_; }
    int ThresholdCount() const { return thresholdCount_; }
    const std::array<int, kDepthThresholds>& Thresholds() const { return thresholds_; }
    // The fill of bin `bin` of series `series`, or no colour (white) when the
    // bin is empty.
    std::optional<QColor> BinColour(int series, int bin) const;

    // Row geometry of DrawGraph: height of a row and top of row i.
    static int RowHeight(const QRect& g, const QRect& l);
    static int ColumnWidth(const QRect& g, const QRect& n);

  public slots:
    void OnAddFile();
    void OnDeleteSeries();
    void OnCloseGraph();
    void OnComponentChange(int index);
    void OnComponentUnitChange(int index);
    void OnDepthUnitChange(int index);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void OnShow();
    void SetupComponentLists();
    void FillUnitList();
    void RebuildSeriesList();
    void Recompute();
    void UpdateMenu();
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
    std::array<CColorLamp*, 17> swatches_{};
    std::array<CColorLamp*, 17> levelLabels_{};

    bool initialised_ = false;
    bool shownOnce_ = false;
    int depthUnit_ = 0;
    int element_ = kNoElement;
    int elementPosition_ = 0;
    int componentUnit_ = 0;
    std::array<int, kElementCount> rememberedUnits_{};
    DepthScale scale_;
    int decimals_ = 0;
    std::array<int, kDepthThresholds> thresholds_{};
    int thresholdCount_ = 0;

    QSize startClient_;
    QRect startFrame_;
    QRect startSeriesList_;
    QRect startAdd_;
    QRect startDelete_;

    const CMeasDataSet* initialData_ = nullptr;
    std::unique_ptr<QFont> font_;
    CMeasDataSet scratch_;
    std::vector<std::unique_ptr<CDepthSeries>> series_;
};

}  // namespace kelp
