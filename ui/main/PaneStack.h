#pragma once
// Ahead of every Qt header: it names a variable `slots`, which Qt's headers
// define as a macro.
#include "app/GraphSettings.h"

#include <QWidget>
#include <array>

#include "ui/graphs/TrendGraphPane.h"

class QFrame;
class QScrollBar;

namespace kelp {

class CMeasDataSet;
class IMessageTarget;

// The trend pane area of the main window and its scroll bar: three pane
// objects of which one to three show, stacked with a shared pixel row, over
// a window of consecutive graph slots that the bar moves (position 1 shows
// slot 0 first; the last position shows slot 12 last).
class CPaneStack final : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kPaneObjects = 3;

    explicit CPaneStack(QWidget* parent = nullptr);
    ~CPaneStack() override;
    CPaneStack(const CPaneStack&) = delete;
    CPaneStack& operator=(const CPaneStack&) = delete;

    // Creates the panes over the owner's data and settings, none of which is
    // owned; they must outlive the panes (see DestroyPanes). Starts with one
    // pane on slot 0.
    void CreatePanes(const ColumnElementTable* columnElements, IMessageTarget* target,
                     const GraphSlotArray* graphSlots, const GraphTimeSettings* time,
                     const CMeasDataSet* data, const QFont* font);
    // Deletes the panes now, before the data they point into goes.
    void DestroyPanes();

    int Count() const { return count_; }
    // The graph slot shown in the first pane, plus one (1 .. 14 - count).
    int ScrollPosition() const { return position_; }
    int ScrollMaximum() const { return maximum_; }
    CTrendGraphPane* Pane(int i) const { return panes_[static_cast<std::size_t>(i)]; }
    QScrollBar* ScrollBar() const { return bar_; }

    // Shows `count` panes (1..3) with graph slot `firstSlot` in the first.
    // Returns false and changes nothing for the current count or one out of
    // range.
    bool SetCount(int count, int firstSlot);
    // Hands every visible pane its slot's settings again (after the settings
    // changed or the bar moved).
    void UpdateSlots();
    // Plots records 0..count-1 in every pane.
    void SetRecords(int count);
    void SetCursorIndex(int record);
    void ShowCursor(bool shown);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void LayOut();
    void OnScrollAction(int action);

    QFrame* area_ = nullptr;
    QScrollBar* bar_ = nullptr;
    std::array<CTrendGraphPane*, kPaneObjects> panes_{};
    const GraphSlotArray* slots_ = nullptr;
    const GraphTimeSettings* time_ = nullptr;
    int count_ = 1;
    int position_ = 1;
    int maximum_ = 13;
};

}  // namespace kelp
