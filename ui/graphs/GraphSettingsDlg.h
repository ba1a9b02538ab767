#pragma once
#include <QDialog>
#include <array>
#include <span>

#include "app/GraphSettings.h"
#include "data/Catalogue.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace kelp {

class IMessageTarget;

// The graph display settings dialog (template 140): for each of the 13
// graph slots the data column, unit and value range, and the time axis of
// the trend panes. Modeless: the main window creates it once, shows it and
// calls SetSettings each time. It edits working copies; Apply and OK copy
// them over the main window's records only after every check has passed,
// then post WM_APP_GRAPH_APPLIED to the owner and emit applied().
class CGraphSettingsDlg final : public QDialog {
    Q_OBJECT
  public:
    // `owner` receives WM_APP_GRAPH_APPLIED (may be null). `columnElements`
    // is the main window's column-to-element table; it must outlive the
    // dialog and is read at every SetSettings.
    CGraphSettingsDlg(IMessageTarget* owner, std::span<const int, kSlotCount> columnElements,
                      QWidget* parent = nullptr);

    // Remembers where the main window keeps its records, copies them into
    // the working copies and fills every control. Unapplied edits are lost.
    void SetSettings(GraphSlotArray* slotSettings, GraphTimeSettings* timeSettings);

    // Validates, and on success writes the working copies back and posts
    // the notice. False (after a message, with the focus on the offending
    // edit) when a check failed; nothing is written then.
    bool Apply();

    const GraphSlotArray& WorkingSlots() const { return workSlots_; }
    const GraphTimeSettings& WorkingTime() const { return workTime_; }

    static constexpr int kRowCount = 13;
    static constexpr int kBoundChars = 6;  // lower and upper edits
    static constexpr int kTimeChars = 9;   // time-axis edits

  signals:
    void applied();

  public slots:
    void accept() override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    struct Row {
        QComboBox* component = nullptr;
        QComboBox* unit = nullptr;
        QCheckBox* autoRange = nullptr;
        QLineEdit* lower = nullptr;
        QLineEdit* upper = nullptr;
    };

    void BuildControls();
    void SizeEdits();
    void FillRow(int row);
    void FillUnits(int row);
    void FillTimeAxis();
    void EnableRangeEdits(int row);
    void EnableTimeEdits();
    int ColumnElement(int column) const;

    void OnComponentChanged(int row, int selection);
    void OnRangeType(int type);

    IMessageTarget* owner_ = nullptr;
    std::span<const int, kSlotCount> columnElements_;
    std::array<Row, kRowCount> rows_{};
    GraphSlotArray workSlots_ = DefaultGraphSlots();
    GraphTimeSettings workTime_;
    std::array<QRadioButton*, 3> rangeRadios_{};
    QButtonGroup* rangeGroup_ = nullptr;
    QComboBox* dispType_ = nullptr;
    QLineEdit* xMin_ = nullptr;
    QLineEdit* xMax_ = nullptr;
    QLineEdit* xRange_ = nullptr;
    QCheckBox* cursor_ = nullptr;
    GraphSlotArray* sourceSlots_ = nullptr;
    GraphTimeSettings* sourceTime_ = nullptr;
    bool filling_ = false;
};

}  // namespace kelp
