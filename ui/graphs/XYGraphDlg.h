#pragma once
#include <QDialog>
#include <QFont>
#include <array>
#include <memory>

#include "app/GraphSettings.h"
#include "data/MeasDataSet.h"
#include "ui/graphs/XYGraph.h"

class QCheckBox;
class QComboBox;
class QMenuBar;
class QPainter;
class QPushButton;

namespace kelp {

class CAxisSettingsDlg;
class CSettingsStore;
struct TemplateScale;

// The X-Y graph (template 137): one component of one data set chosen as the
// X axis against any of the others, each a coloured polyline in record order.
// Modal and resizable. Its 13 axis settings live in the settings file under
// "XYGraphSettings": read when it opens, written when it is closed through
// its close box or menu (not on Escape).
//
// The main window constructs it with its settings store (may be null: then
// nothing is read or written), hands over its live data with SetSourceData
// and its font with SetGraphFont (only when it has one), and runs exec().
// The drawing is CXYGraph's, which pictures and prints use as well.
class CXYGraphDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CXYGraphDlg(const CSettingsStore* store, QWidget* parent = nullptr);
    ~CXYGraphDlg() override;

    static constexpr const char* kSettingsSection = "XYGraphSettings";

    // Replaces the displayed data with a copy of `source` (empty when it has
    // no records) and refills the lists.
    void SetSourceData(const CMeasDataSet& source);
    void SetGraphFont(const QFont* font);

    // Draws the legend strip S and the graph frame G (client coordinates);
    // `boxes` are the rectangles of the 13 check boxes, whose middles place
    // the legend lines. The window and off-screen images share it.
    void DrawGraph(QPainter& painter, const QRect& s, const QRect& g,
                   const std::array<QRect, 13>& boxes) const;
    // The plot rectangle inside G for the drawing font.
    QRect PlotRect(const QRect& g) const;

    QRect GraphFrameRect() const;
    QRect LegendRect() const;
    std::array<QRect, 13> CheckBoxRects() const;
    QImage RenderClient() const;
    // File > Save Picture... and File > Print...: the graph with its caption
    // and a legend naming the lines, at the window's size.
    void OnSavePicture();
    void OnPrint();
    // Draws the picture those commands keep.
    void RenderPicture(QPainter& painter, const QRect& rect) const;

    // ---- state ----
    int XSlot() const { return graph_.XSlot(); }
    int YScaleSlot() const { return graph_.YScaleSlot(); }
    double AxisMin(int slot) const { return graph_.AxisMin(slot); }
    double AxisMax(int slot) const { return graph_.AxisMax(slot); }
    int RangeCount(int slot) const { return graph_.RangeCount(slot); }
    bool IsSlotChecked(int slot) const { return graph_.IsChecked(slot); }
    // See CXYGraph::SetRightAxisSlot.
    void SetRightAxisSlot(int slot) { graph_.SetRightAxisSlot(slot); }
    const GraphSlotArray& Settings() const { return graph_.Settings(); }
    GraphSlotArray& MutableSettings() { return graph_.Settings(); }
    const CMeasDataSet& Data() const { return data_; }
    CAxisSettingsDlg* AxisSettings() const { return axisDlg_.get(); }
    // The pieces of slot k's polyline in the plot rectangle P (none when the
    // slot draws nothing), as DrawGraph draws them.
    std::vector<std::vector<QPointF>> Polylines(int k, const QRect& p) const {
        return graph_.Polylines(k, p);
    }

  public slots:
    void OnXComponentChange(int index);
    void OnComponentCheck();
    void OnYScaleChange(int index);
    void OnGraphSettings();
    void OnOpenFile();
    void OnCloseGraph();
    void OnSettingsApplied();
    // The cast list (XYGraphCasts.cpp): 0 every record as one line, 1 each
    // cast a line of its own, then one cast alone.
    void OnCastChange(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    // The caption and the list of the casts found in the data; the list
    // back at every record.
    void BuildCastList(const TemplateScale& ts);
    void FillCastList();
    void FillFromData();
    void RebuildYScaleList();
    void SetCaption();
    void ReadCheckBoxes();
    // Each box's tooltip names its line's scale, for lines without an axis.
    void UpdateBoxTips();
    QFont DrawingFont() const;

    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    QComboBox* xList_ = nullptr;
    QComboBox* yScaleList_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QComboBox* castList_ = nullptr;
    QWidget* graphFrame_ = nullptr;
    QWidget* legend_ = nullptr;
    std::array<QCheckBox*, 13> boxes_{};

    bool initialised_ = false;
    QSize startClient_;
    QRect startFrame_;

    CMeasDataSet data_;
    CastList casts_;
    CMeasDataSet scratch_;
    CXYGraph graph_;
    std::unique_ptr<CAxisSettingsDlg> axisDlg_;
    std::unique_ptr<QFont> font_;
    const CSettingsStore* store_ = nullptr;
};

}  // namespace kelp
