// The trend panes of the main window: how many are shown, which graph slots
// they show, and the graph windows opened from the window.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "MainTestSupport.h"
#include "app/SettingsStore.h"
#include "link/MessageTarget.h"
#include "link/RunEnd.h"
#include "resources/ResourceIds.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/GraphSettingsDlg.h"
#include "ui/graphs/TrendGraphPane.h"
#include "ui/graphs/XYGraphDlg.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"
#include "ui/main/PaneStack.h"

namespace kelp {
namespace {

using test::App;
using test::LiveReply;
using test::NormalBlocks;
using test::Responder;
using test::WaitFor;

class PaneStack : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        folder_ = std::make_unique<test::SettingsFolder>("/nonexistent/tty");
        store_ = std::make_unique<CSettingsStore>(folder_->File());
        dlg_ = std::make_unique<CMainDlg>(*store_, "/nowhere/kelp-collector");
        dlg_->show();
        ASSERT_TRUE(WaitFor([&] { return dlg_->Pane(0)->isVisible(); }));
    }
    void TearDown() override { dlg_.reset(); }

    template <class T>
    T* Find(int id) {
        T* widget = dlg_->findChild<T*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    QAction* Action(int id) { return Find<QAction>(id); }
    QScrollBar* Bar() { return Find<QScrollBar>(IDC_GRAPH_SCROLL); }

    // The graph slots of the panes on show, top to bottom.
    std::vector<int> ShownSlots() {
        std::vector<int> shown;
        for (int i = 0; i < dlg_->GetPaneCount(); ++i) {
            EXPECT_TRUE(dlg_->Pane(i)->isVisible()) << i;
            shown.push_back(dlg_->Pane(i)->GetSlot());
        }
        for (int i = dlg_->GetPaneCount(); i < CPaneStack::kPaneObjects; ++i) {
            EXPECT_FALSE(dlg_->Pane(i)->isVisible()) << i;
        }
        return shown;
    }

    void ScrollTo(int position) {
        Bar()->setSliderPosition(position);
        ASSERT_EQ(dlg_->GetScrollPosition(), position);
    }

    // Presses a layout button of pane `pane` and waits for its request.
    void PressLayoutButton(int pane, int buttonId, int expectedCount) {
        auto* button = dlg_->Pane(pane)->findChild<QToolButton*>(QString::number(buttonId));
        ASSERT_NE(button, nullptr);
        button->click();
        ASSERT_TRUE(WaitFor([&] { return dlg_->GetPaneCount() == expectedCount; }));
    }

    void PostRecords(int first, int n) {
        for (int i = first; i < first + n; ++i) {
            dlg_->Target().Post(AppMessage{WM_APP_CAPTURE, static_cast<std::uintptr_t>(RunEnd::RecordArrived),
                                           0, LiveReply(NormalBlocks(i))});
        }
        const int count = dlg_->LiveData().GetCount() + n;
        ASSERT_TRUE(WaitFor([&] { return dlg_->Pane(0)->GetCount() == count; }));
    }

    std::unique_ptr<test::SettingsFolder> folder_;
    std::unique_ptr<CSettingsStore> store_;
    std::unique_ptr<CMainDlg> dlg_;
};

TEST_F(PaneStack, MenuCountsSetTheScrollRange) {
    EXPECT_EQ(dlg_->GetPaneCount(), 1);
    EXPECT_EQ(Bar()->minimum(), 1);
    EXPECT_EQ(Bar()->maximum(), 13);
    EXPECT_EQ(ShownSlots(), std::vector<int>{0});
    // The hidden panes are fed too.
    EXPECT_EQ(dlg_->Pane(2)->GetSlot(), 2);

    const std::vector<std::pair<int, int>> commands = {{ID_PANES_3, 11}, {ID_PANES_2, 12}, {ID_PANES_1, 13}};
    for (auto [command, maximum] : commands) {
        ScrollTo(5);
        Action(command)->trigger();
        const int count = 14 - maximum;
        EXPECT_EQ(dlg_->GetPaneCount(), count);
        EXPECT_EQ(Bar()->maximum(), maximum);
        EXPECT_EQ(dlg_->GetScrollMaximum(), maximum);
        // The menu starts the panes at the first slot.
        EXPECT_EQ(Bar()->value(), 1);
        dlg_->UpdateCommandUi();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Action(ID_PANES_1 + i)->isChecked(), i + 1 == count) << command;
        }
        Bar()->triggerAction(QAbstractSlider::SliderToMaximum);
        EXPECT_EQ(dlg_->GetScrollPosition(), maximum);
        std::vector<int> bottom;
        for (int slot = maximum - 1; slot < 13; ++slot) {
            bottom.push_back(slot);
        }
        EXPECT_EQ(ShownSlots(), bottom);
    }
}

TEST_F(PaneStack, AskingForTheSameCountChangesNothing) {
    Action(ID_PANES_2)->trigger();
    ScrollTo(5);
    Action(ID_PANES_2)->trigger();
    EXPECT_EQ(dlg_->GetScrollPosition(), 5);
    EXPECT_EQ(Bar()->value(), 5);
    EXPECT_EQ(ShownSlots(), (std::vector<int>{4, 5}));
}

TEST_F(PaneStack, APaneAsksForPanesStartingWithItsSlot) {
    ScrollTo(8);
    ASSERT_EQ(ShownSlots(), std::vector<int>{7});
    PressLayoutButton(0, IDC_PANE_TWO, 2);
    EXPECT_EQ(dlg_->GetScrollPosition(), 8);
    EXPECT_EQ(Bar()->maximum(), 12);
    EXPECT_EQ(ShownSlots(), (std::vector<int>{7, 8}));

    // The second pane asks for one: it becomes the only one.
    PressLayoutButton(1, IDC_PANE_ONE, 1);
    EXPECT_EQ(ShownSlots(), std::vector<int>{8});

    // The last slot asking for three ends at the bottom position.
    ScrollTo(13);
    PressLayoutButton(0, IDC_PANE_THREE, 3);
    EXPECT_EQ(dlg_->GetScrollPosition(), 11);
    EXPECT_EQ(ShownSlots(), (std::vector<int>{10, 11, 12}));
}

TEST_F(PaneStack, ScrollCodesMoveOneSlotAtATime) {
    Action(ID_PANES_3)->trigger();
    QScrollBar* bar = Bar();
    const std::vector<std::pair<QAbstractSlider::SliderAction, int>> steps = {
        {QAbstractSlider::SliderSingleStepAdd, 2}, {QAbstractSlider::SliderPageStepAdd, 3},
        {QAbstractSlider::SliderPageStepSub, 2},   {QAbstractSlider::SliderToMaximum, 11},
        {QAbstractSlider::SliderPageStepAdd, 11},  {QAbstractSlider::SliderSingleStepSub, 10},
        {QAbstractSlider::SliderToMinimum, 1},     {QAbstractSlider::SliderSingleStepSub, 1},
    };
    for (auto [action, position] : steps) {
        bar->triggerAction(action);
        EXPECT_EQ(dlg_->GetScrollPosition(), position) << action;
        EXPECT_EQ(bar->value(), position) << action;
        EXPECT_EQ(dlg_->Pane(0)->GetSlot(), position - 1) << action;
        EXPECT_EQ(dlg_->Pane(2)->GetSlot(), position + 1) << action;
    }
    bar->setSliderPosition(7);  // dragging the thumb
    EXPECT_EQ(ShownSlots(), (std::vector<int>{6, 7, 8}));
}

TEST_F(PaneStack, PanesShareOnePixelRow) {
    Action(ID_PANES_2)->trigger();
    auto* area = Find<QFrame>(IDC_PANE_AREA);
    area->resize(area->width(), 301);
    const QRect first = dlg_->Pane(0)->geometry();
    const QRect second = dlg_->Pane(1)->geometry();
    EXPECT_EQ(first.top(), 0);
    EXPECT_EQ(first.height(), 151);
    EXPECT_EQ(second.height(), 151);
    EXPECT_EQ(second.top() - first.top(), 150);
    EXPECT_EQ(first.width(), area->width());

    // Three panes of 600 rows: 200 each, stepping 199.
    Action(ID_PANES_3)->trigger();
    area->resize(area->width(), 600);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dlg_->Pane(i)->geometry(), QRect(0, i * 199, area->width(), 200)) << i;
    }
}

TEST_F(PaneStack, WindowKeepsItsMinimumAndThePaneAreaGrows) {
    auto* area = Find<QFrame>(IDC_PANE_AREA);
    auto* depth = Find<QPushButton>(IDC_DEPTH_GRAPH);
    auto* capture = Find<QPushButton>(IDC_CAPTURE);
    EXPECT_EQ(dlg_->size(), QSize(800, 600));
    EXPECT_EQ(dlg_->minimumSize(), QSize(800, 600));
    const QRect areaBefore = area->geometry();
    const QRect depthBefore = depth->geometry();
    const QRect captureBefore = capture->geometry();
    dlg_->resize(1000, 700);
    ASSERT_TRUE(WaitFor([&] { return area->height() == areaBefore.height() + 100; }));
    EXPECT_EQ(area->width(), areaBefore.width() + 200);
    EXPECT_EQ(dlg_->Pane(0)->height(), area->height());
    EXPECT_EQ(depth->geometry().topLeft(), depthBefore.topLeft() + QPoint(200, 100));
    EXPECT_EQ(capture->geometry().topLeft(), captureBefore.topLeft() + QPoint(0, 100));
    EXPECT_EQ(Bar()->mapTo(dlg_.get(), QPoint(Bar()->width() - 1, 0)).x(), dlg_->width() - 1);
    EXPECT_EQ(Bar()->geometry().left() - area->geometry().right(), 2);  // one pixel between
}

TEST_F(PaneStack, DialogFontFollowsTheScreen) {
    EXPECT_FALSE(CMainDlg::MakeDialogFont(96, true).has_value());
    const auto japanese = CMainDlg::MakeDialogFont(120, true);
    ASSERT_TRUE(japanese.has_value());
    EXPECT_DOUBLE_EQ(japanese->pointSizeF(), 7.2);
    EXPECT_EQ(japanese->weight(), QFont::Normal);
    const auto latin = CMainDlg::MakeDialogFont(144, false);
    ASSERT_TRUE(latin.has_value());
    EXPECT_DOUBLE_EQ(latin->pointSizeF(), 5.3);  // 7680 / 144 = 53 tenths
    EXPECT_NE(latin->family(), japanese->family());
}

TEST_F(PaneStack, PanesFollowTheRecordsAndTheState) {
    Responder answers;
    PostRecords(0, 5);
    for (int i = 0; i < CPaneStack::kPaneObjects; ++i) {
        EXPECT_EQ(dlg_->Pane(i)->GetCount(), 5) << i;
        EXPECT_EQ(dlg_->Pane(i)->GetCursorIndex(), 4) << i;
        EXPECT_EQ(dlg_->Pane(i)->GetCursorEnabled(), 1) << i;
    }
    // Slot 0 holds temperature 10.00 .. 10.04: the auto range covers it.
    EXPECT_LT(dlg_->Pane(0)->GetYMin(), 10.0);
    EXPECT_GT(dlg_->Pane(0)->GetYMax(), 10.04);

    // A capture that cannot open its port is still capturing when it says so.
    int cursorWhileCapturing = -1;
    SetMessageResponder([&](QWidget*, int id, int) {
        if (id == IDS_PORT_OPEN_FAILED && dlg_->GetState() == CMainDlg::Capturing) {
            cursorWhileCapturing = dlg_->Pane(1)->GetCursorEnabled();
        }
        return IDOK;
    });
    Find<QPushButton>(IDC_CAPTURE)->click();
    ASSERT_TRUE(WaitFor([&] { return dlg_->GetState() == CMainDlg::Idle; }));
    EXPECT_EQ(cursorWhileCapturing, 0);
    EXPECT_EQ(dlg_->Pane(1)->GetCursorEnabled(), 1);
    // The capture cleared the data first.
    EXPECT_EQ(dlg_->Pane(0)->GetCount(), 0);
}

TEST_F(PaneStack, GraphSettingsApplyToThePanes) {
    Responder answers;
    auto* button = Find<QPushButton>(IDC_GRAPH_SETTINGS);
    ASSERT_TRUE(button->isEnabled());
    button->click();
    CGraphSettingsDlg* settings = dlg_->GraphSettingsDialog();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible());

    // Slot 1 shows data column 3 once applied.
    auto* component = settings->findChild<QComboBox*>(QString::number(kRangeRowComponentIds[0]));
    ASSERT_NE(component, nullptr);
    component->setCurrentIndex(3);
    EXPECT_EQ(dlg_->Pane(0)->GetColumn(), 0);
    ASSERT_TRUE(settings->Apply());
    ASSERT_TRUE(WaitFor([&] { return dlg_->Pane(0)->GetColumn() == 3; }));
    EXPECT_EQ(dlg_->GraphSlots()[0].ElmNo, 3);

    // An edit not yet applied is replaced when new data change the rows.
    component->setCurrentIndex(5);
    EXPECT_EQ(settings->WorkingSlots()[0].ElmNo, 5);
    PostRecords(0, 1);
    EXPECT_EQ(settings->WorkingSlots()[0].ElmNo, 3);

    // The same dialog comes back from the menu.
    settings->hide();
    dlg_->UpdateCommandUi();
    ASSERT_TRUE(Action(ID_GRAPH_SETTINGS)->isEnabled());
    Action(ID_GRAPH_SETTINGS)->trigger();
    EXPECT_EQ(dlg_->GraphSettingsDialog(), settings);
    EXPECT_TRUE(settings->isVisible());
}

// Opens a modal graph window with `open`, reports what it holds through
// `inspect`, and closes it.
template <class Dialog>
bool RunModal(const std::function<void()>& open, const std::function<void(Dialog&)>& inspect) {
    bool seen = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible() && !seen) {
            seen = true;
            inspect(*dialog);
            dialog->reject();
        }
    });
    probe.start(10);
    open();
    return seen;
}

TEST_F(PaneStack, GraphWindowsOpenWithTheLiveData) {
    Responder answers;
    PostRecords(0, 6);
    Find<QPushButton>(IDC_GRAPH_SETTINGS)->click();
    ASSERT_TRUE(dlg_->GraphSettingsDialog()->isVisible());

    int depthSeries = -1;
    EXPECT_TRUE(RunModal<CDepthGraphDlg>([&] { Find<QPushButton>(IDC_DEPTH_GRAPH)->click(); },
                                         [&](CDepthGraphDlg& d) { depthSeries = d.SeriesCount(); }));
    EXPECT_EQ(depthSeries, 1);
    // The settings dialog made way for the graph window.
    EXPECT_FALSE(dlg_->GraphSettingsDialog()->isVisible());

    int xyRecords = -1;
    dlg_->UpdateCommandUi();
    ASSERT_TRUE(Action(ID_XY_GRAPH)->isEnabled());
    EXPECT_TRUE(RunModal<CXYGraphDlg>([&] { Action(ID_XY_GRAPH)->trigger(); },
                                      [&](CXYGraphDlg& d) { xyRecords = d.Data().GetCount(); }));
    EXPECT_EQ(xyRecords, 6);
    EXPECT_TRUE(
        RunModal<CXYGraphDlg>([&] { Find<QPushButton>(IDC_XY_GRAPH)->click(); }, [](CXYGraphDlg&) {}));

    // Without data the depth graph opens empty.
    dlg_->UpdateCommandUi();
    answers.Answer(IDOK);
    Action(ID_CLEAR)->trigger();
    ASSERT_EQ(dlg_->LiveData().GetCount(), 0);
    EXPECT_TRUE(RunModal<CDepthGraphDlg>([&] { Action(ID_DEPTH_GRAPH)->trigger(); },
                                         [&](CDepthGraphDlg& d) { depthSeries = d.SeriesCount(); }));
    EXPECT_EQ(depthSeries, 0);
}

}  // namespace
}  // namespace kelp
