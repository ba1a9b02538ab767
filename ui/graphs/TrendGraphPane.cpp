#include "ui/graphs/TrendGraphPane.h"

#include <QIcon>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

#include "data/MeasDataSet.h"
#include "link/MessageTarget.h"
#include "resources/ResourceIds.h"
#include "ui/graphs/GraphPicture.h"

// The bitmaps live in a static library; referencing the initialiser keeps
// the linker from dropping them.
static void InitGraphResources() {
    Q_INIT_RESOURCE(graphs);
}

namespace kelp {

namespace {

constexpr int kButtonSize = 17;

// The panes' picture: the title line, then their graphs stacked in the
// height they take on the screen (neighbours share a row), on white.
struct PanesPicture {
    QSize size;
    PictureRenderer render;
};

PanesPicture PictureOf(const std::vector<const CTrendGraphPane*>& panes, const QString& title) {
    PanesPicture picture;
    if (panes.empty()) {
        return picture;
    }
    int height = 0;
    for (const CTrendGraphPane* pane : panes) {
        height += pane->height() - 1;
    }
    picture.size = QSize(panes.front()->width(), CTrendGraph::kPictureTitleHeight + height + 1);
    picture.render = [panes, title](QPainter& painter, const QRect& rect) {
        std::vector<const CTrendGraph*> graphs;
        for (const CTrendGraphPane* pane : panes) {
            graphs.push_back(&pane->Graph());
        }
        CTrendGraph::RenderPicture(painter, rect, panes.front()->DrawingFont(), graphs, title);
    };
    return picture;
}

}  // namespace

void SavePanesPicture(QWidget* owner, const std::vector<const CTrendGraphPane*>& panes, const QString& title,
                      const std::string& proposedName) {
    const PanesPicture picture = PictureOf(panes, title);
    if (picture.render) {
        SavePictureCommand(owner, picture.size, title, picture.render, proposedName);
    }
}

void PrintPanes(QWidget* owner, const std::vector<const CTrendGraphPane*>& panes, const QString& title) {
    const PanesPicture picture = PictureOf(panes, title);
    if (picture.render) {
        PrintPictureCommand(owner, picture.size, title, picture.render);
    }
}

CTrendGraphPane::CTrendGraphPane(QWidget* parent) : QWidget(parent) {
    InitGraphResources();
    setObjectName(QString::number(IDD_TREND_PANE));
    // Every paint covers the whole client area.
    setAttribute(Qt::WA_OpaquePaintEvent);

    plotArea_ = new QWidget(this);
    plotArea_->setObjectName(QString::number(IDC_PANE_PLOT));
    plotArea_->hide();

    focusHolder_ = new QWidget(this);
    focusHolder_->setObjectName(QString::number(IDC_PANE_FOCUS));
    // Takes the focus only when a layout button hands it over, never by Tab:
    // it lies outside the visible area.
    focusHolder_->setFocusPolicy(Qt::NoFocus);

    const auto makeButton = [this](int id, int bitmap, int panes) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::number(id));
        b->setAutoRaise(true);
        b->setIcon(QIcon(QStringLiteral(":/bitmaps/%1.png").arg(bitmap)));
        b->setIconSize(QSize(13, 13));
        connect(b, &QToolButton::clicked, this, [this, panes] { RequestPanes(panes); });
        return b;
    };
    threeButton_ = makeButton(IDC_PANE_THREE, IDB_THREE_PANES, 3);
    twoButton_ = makeButton(IDC_PANE_TWO, IDB_TWO_PANES, 2);
    oneButton_ = makeButton(IDC_PANE_ONE, IDB_ONE_PANE, 1);
    LayOut();
}

CTrendGraphPane::~CTrendGraphPane() = default;

void CTrendGraphPane::SetSlot(int slot, int column, const GraphTimeSettings& time,
                              const GraphSlotSettings& settings) {
    graph_.SetSlot(slot, column, LookUpElement(column), time, settings);
    Repaint();
}

void CTrendGraphPane::SetCount(int n) {
    graph_.SetCount(n);
    Repaint();
}

void CTrendGraphPane::SetCursorIndex(int index) {
    graph_.SetCursorIndex(index);
    if (graph_.GetCursorEnabled() != 0 && graph_.TimeSettings().Cursol != 0) {
        Repaint();
    }
}

void CTrendGraphPane::ShowCursor(int flag) {
    graph_.ShowCursor(flag);
    Repaint();
}

void CTrendGraphPane::SetFont(const QFont* font, bool redraw) {
    font_ = font;
    if (font != nullptr) {
        setFont(*font);
    }
    if (redraw) {
        Repaint();
    }
}

int CTrendGraphPane::LookUpElement(int column) const {
    if (column < 0 || column >= kSlotCount) {
        return kNoElement;
    }
    if (columnElements_ != nullptr) {
        return (*columnElements_)[column];
    }
    // An empty data set has no slot elements yet; the instrument's order is
    // what the main window's table starts with.
    const CMeasDataSet* data = graph_.DataSet();
    return data != nullptr && data->GetCount() > 0 ? data->GetElement(column) : SlotElement(column);
}

void CTrendGraphPane::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(DrawingFont());
    DrawGraph(painter, rect(), plotArea_->geometry());
}

void CTrendGraphPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
    Repaint();
}

void CTrendGraphPane::LayOut() {
    const int right = width();
    oneButton_->setGeometry(right - 57, 2, kButtonSize, kButtonSize);
    twoButton_->setGeometry(right - 38, 2, kButtonSize, kButtonSize);
    threeButton_->setGeometry(right - 19, 2, kButtonSize, kButtonSize);
    focusHolder_->setGeometry(right + 18, 2, 20, kButtonSize);
    plotArea_->setGeometry(PlotAreaFor(rect()));
}

void CTrendGraphPane::Repaint() {
    if (isVisible()) {
        update();
    }
}

void CTrendGraphPane::RequestPanes(int count) {
    // The pressed button gives up the focus so that it does not stay
    // marked; the placeholder that takes it lies outside the visible area.
    focusHolder_->setFocus(Qt::OtherFocusReason);
    if (target_ != nullptr) {
        target_->Post(
            AppMessage{WM_APP_PANE_COUNT, static_cast<std::uintptr_t>(count), graph_.GetSlot(), {}});
    }
}

}  // namespace kelp
