#pragma once
#include <QDialog>
#include <array>

#include "app/GraphSettings.h"

class QCheckBox;
class QComboBox;
class QFont;
class QLabel;
class QLineEdit;

namespace kelp {

class CMeasDataSet;

// The axis settings window of the X-Y graph (template 144): per data column
// the unit, automatic or fixed range and the fixed bounds. Modeless: the
// X-Y graph creates it on first use and then only shows and hides it. Edits
// go to a working copy, written back by Apply or OK only after every fixed
// range has passed its checks; then GraphApplied tells the X-Y graph to
// recompute (WM_APP_GRAPH_APPLIED; connect it queued, as a post).
class CAxisSettingsDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CAxisSettingsDlg(QWidget* owner = nullptr);
    ~CAxisSettingsDlg() override;

    // Remembers where the X-Y graph keeps its 13 records, takes the element
    // of each column from `data` (none when it has no records), copies the
    // records and fills the rows. Unapplied edits are lost.
    void SetSettings(GraphSlotArray* settings, const CMeasDataSet& data);
    // Font of the window and its controls; may be null. Not owned.
    void SetFont(const QFont* font);

    // Runs the checks and, when they pass, writes the working copy back and
    // emits GraphApplied. False (after the message) when a check failed.
    bool Apply();

    const GraphSlotArray& Working() const { return working_; }
    int RowElement(int row) const { return elements_[static_cast<std::size_t>(row)]; }

  signals:
    void GraphApplied();

  public slots:
    void OnApply();
    void accept() override;

  private:
    void BuildControls();
    void FillRow(int row);
    void OnUnitChange(int row, int index);
    void OnAutoClick(int row);

    struct Row {
        QLabel* label = nullptr;
        QComboBox* unit = nullptr;
        QCheckBox* automatic = nullptr;
        QLineEdit* lower = nullptr;
        QLineEdit* upper = nullptr;
    };

    const QFont* font_ = nullptr;
    std::array<Row, 13> rows_{};
    GraphSlotArray working_ = DefaultGraphSlots();
    GraphSlotArray* source_ = nullptr;
    std::array<int, 13> elements_{};
};

}  // namespace kelp
