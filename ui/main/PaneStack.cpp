#include "ui/main/PaneStack.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "resources/ResourceIds.h"

namespace kelp {

CPaneStack::CPaneStack(QWidget* parent) : QWidget(parent) {
    area_ = new QFrame(this);
    area_->setObjectName(QString::number(IDC_PANE_AREA));
    area_->setFrameStyle(QFrame::NoFrame);
    area_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    area_->installEventFilter(this);
    bar_ = new QScrollBar(Qt::Vertical, this);
    bar_->setObjectName(QString::number(IDC_GRAPH_SCROLL));
    bar_->setRange(1, maximum_);
    bar_->setValue(position_);
    bar_->setSingleStep(1);
    // Reached by Tab as well, so that the arrow keys move it.
    bar_->setFocusPolicy(Qt::StrongFocus);
    // The thumb stands for the slots on show.
    bar_->setPageStep(count_);
    connect(bar_, &QScrollBar::actionTriggered, this, &CPaneStack::OnScrollAction);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
        // Whatever moved the bar (a wheel, say), the panes follow it.
        if (value != position_ && value >= 1 && value <= maximum_) {
            position_ = value;
            UpdateSlots();
        }
    });

    // The pane area ends one pixel short of the scroll bar, which keeps to
    // the right edge.
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(area_, 1);
    layout->addWidget(bar_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

CPaneStack::~CPaneStack() = default;

void CPaneStack::CreatePanes(const ColumnElementTable* columnElements, IMessageTarget* target,
                             const GraphSlotArray* graphSlots, const GraphTimeSettings* time,
                             const CMeasDataSet* data, const QFont* font) {
    slots_ = graphSlots;
    time_ = time;
    for (int i = 0; i < kPaneObjects; ++i) {
        auto* pane = new CTrendGraphPane(area_);
        pane->setObjectName(QStringLiteral("pane%1").arg(i));
        pane->SetColumnElements(columnElements);
        pane->SetMessageTarget(target);
        const GraphSlotSettings& settings = (*slots_)[static_cast<std::size_t>(i)];
        pane->SetSlot(i, settings.ElmNo, *time_, settings);
        pane->SetCount(0);
        pane->SetDataSet(data);
        if (font != nullptr) {
            pane->SetFont(font);
        }
        pane->hide();
        panes_[static_cast<std::size_t>(i)] = pane;
    }
    LayOut();
}

void CPaneStack::DestroyPanes() {
    for (CTrendGraphPane*& pane : panes_) {
        delete pane;
        pane = nullptr;
    }
}

bool CPaneStack::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_ && event->type() == QEvent::Resize) {
        LayOut();
    }
    return QWidget::eventFilter(watched, event);
}

void CPaneStack::LayOut() {
    if (panes_[0] == nullptr) {
        return;
    }
    // Neighbours share one pixel row, so the frames of two panes meet in a
    // single line.
    const int width = area_->width();
    const int height = area_->height();
    const int h = (count_ + height - 1) / count_;
    for (int i = 0; i < kPaneObjects; ++i) {
        CTrendGraphPane* pane = panes_[static_cast<std::size_t>(i)];
        if (i < count_) {
            pane->setGeometry(0, i * (h - 1), width, h);
            pane->show();
        } else {
            pane->hide();
        }
    }
}

void CPaneStack::UpdateSlots() {
    if (panes_[0] == nullptr) {
        return;
    }
    for (int i = 0; i < kPaneObjects; ++i) {
        const int slot = position_ - 1 + i;
        if (slot >= kSlotCount) {
            break;
        }
        const GraphSlotSettings& settings = (*slots_)[static_cast<std::size_t>(slot)];
        panes_[static_cast<std::size_t>(i)]->SetSlot(slot, settings.ElmNo, *time_, settings);
    }
}

void CPaneStack::SetRecords(int count) {
    for (CTrendGraphPane* pane : panes_) {
        if (pane != nullptr) {
            pane->SetCount(count);
        }
    }
}

void CPaneStack::SetCursorIndex(int record) {
    for (CTrendGraphPane* pane : panes_) {
        if (pane != nullptr) {
            pane->SetCursorIndex(record);
        }
    }
}

void CPaneStack::ShowCursor(bool shown) {
    for (CTrendGraphPane* pane : panes_) {
        if (pane != nullptr) {
            pane->ShowCursor(shown ? 1 : 0);
        }
    }
}

bool CPaneStack::SetCount(int count, int firstSlot) {
    if (count < 1 || count > kPaneObjects || count == count_) {
        return false;
    }
    count_ = count;
    LayOut();
    maximum_ = 14 - count;
    position_ = std::clamp(firstSlot + 1, 1, maximum_);
    {
        // The stored position is the one that counts; the bar only shows it.
        const QSignalBlocker block(bar_);
        bar_->setRange(1, maximum_);
        bar_->setPageStep(count);
        bar_->setValue(position_);
    }
    UpdateSlots();
    return true;
}

void CPaneStack::OnScrollAction(int action) {
    int position = position_;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
        case QAbstractSlider::SliderPageStepSub:
            position = position_ - 1;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
        case QAbstractSlider::SliderPageStepAdd:
            position = position_ + 1;
            break;
        case QAbstractSlider::SliderMove:
            position = bar_->sliderPosition();
            break;
        case QAbstractSlider::SliderToMinimum:
            position = 0;
            break;
        case QAbstractSlider::SliderToMaximum:
            position = maximum_;
            break;
        default:
            break;
    }
    position = std::clamp(position, 1, maximum_);
    // The bar takes this position once the action is over.
    bar_->setSliderPosition(position);
    if (position != position_) {
        position_ = position;
        UpdateSlots();
    }
}

}  // namespace kelp
