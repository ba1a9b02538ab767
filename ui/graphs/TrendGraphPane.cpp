#include "ui/graphs/TrendGraphPane.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPolygon>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <string>

#include "data/MeasDataSet.h"
#include "link/MessageTarget.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/main/ColorLamp.h"

// The bitmaps live in a static library; referencing the initialiser keeps
// the linker from dropping them.
static void InitGraphResources() {
    Q_INIT_RESOURCE(graphs);
}

namespace kelp {

namespace {

constexpr int kButtonSize = 17;

// Reference time of the empty graph: 2007-01-01 00:00:00.
CDateTime EmptyGraphReference() {
    return CDateTime(2007, 1, 1, 0, 0, 0);
}

QString Text(int id) {
    return QString::fromStdString(LoadText(id));
}

// Text drawn like a default device context: black on an opaque white box
// whose top-left corner is (x, y).
void TextOut(QPainter& p, const QFontMetrics& fm, int x, int y, const QString& text) {
    p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), Qt::white);
    p.setPen(Qt::black);
    p.drawText(x, y + fm.ascent(), text);
}

// A line whose end point is left out, as the device-context line drawing does.
void LineTo(QPainter& p, int x0, int y0, int x1, int y1) {
    if (x0 == x1) {
        if (y0 != y1) {
            p.drawLine(x0, y0, x1, y1 > y0 ? y1 - 1 : y1 + 1);
        }
    } else if (y0 == y1) {
        p.drawLine(x0, y0, x1 > x0 ? x1 - 1 : x1 + 1, y1);
    }
}

// Keeps far-off curve points (a fixed value range far from the data) inside
// what the rasteriser handles exactly; they are clipped anyway.
int ClampCoordinate(int v) {
    return std::clamp(v, -(1 << 20), 1 << 20);
}

}  // namespace

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
    slot_ = slot;
    column_ = column;
    element_ = LookUpElement(column);
    time_ = time;
    settings_ = settings;
    Recalculate();
    Repaint();
}

void CTrendGraphPane::SetCount(int n) {
    count_ = data_ == nullptr ? 0 : std::clamp(n, 0, data_->GetCount());
    Recalculate();
    Repaint();
}

void CTrendGraphPane::SetCursorIndex(int index) {
    cursorIndex_ = index;
    if (cursorEnabled_ != 0 && time_.Cursol != 0) {
        Repaint();
    }
}

void CTrendGraphPane::ShowCursor(int flag) {
    cursorEnabled_ = flag;
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
    return data_ != nullptr && data_->GetCount() > 0 ? data_->GetElement(column) : SlotElement(column);
}

void CTrendGraphPane::Recalculate() {
    if (data_ == nullptr || count_ == 0 || element_ == kNoElement) {
        xmin_ = 0.0;
        xmax_ = 10.0;
        reference_ = EmptyGraphReference();
        minElapsed_ = 0.0;
        ymin_ = 0.0;
        ymax_ = 1.0;
        decimals_ = AxisDecimals(element_, settings_.YUnit);
        return;
    }
    const TimeRange& range = data_->GetElapsedRange();
    const double a = range.MinElapsed;
    const double b = range.MaxElapsed;
    reference_ = range.Reference;
    minElapsed_ = a;

    decimals_ = AxisDecimals(element_, settings_.YUnit);
    const SlotStats& stats = data_->GetStats(column_, settings_.YUnit);
    double lo = 0.0;
    double hi = 0.0;
    if (stats.Count != 0) {
        lo = stats.Min;
        hi = stats.Max;
        decimals_ = stats.Decimals;
    }

    switch (time_.RangeType) {
        case 0:
            xmin_ = a;
            xmax_ = b - a < 10.0 ? a + 10.0 : b;
            break;
        case 1:
            xmin_ = a + time_.XMin;
            xmax_ = a + time_.XMax;
            break;
        case 2:
            xmin_ = b - time_.Range;
            xmax_ = b;
            break;
        default:
            break;
    }
    if (a > xmin_) {
        xmin_ = a;
    }

    if (settings_.YAuto == 0) {
        ymin_ = settings_.YMin;
        ymax_ = settings_.YMax;
    } else {
        if (lo == hi) {
            const double e = std::pow(10.0, -static_cast<int>(stats.Decimals));
            lo -= e;
            hi += e;
        }
        const double m = (hi - lo) * 0.06;
        ymin_ = lo - m;
        ymax_ = hi + m;
    }
    decimals_ = FitDecimals(decimals_, ymin_, ymax_);
}

QRect CTrendGraphPane::PlotAreaFor(const QRect& client) {
    const int right = client.x() + client.width();
    const int bottom = client.y() + client.height();
    return QRect(QPoint(client.left() + 2, 21), QPoint(right - 2 - 1, bottom - 2 - 1));
}

CTrendGraphPane::Frame CTrendGraphPane::FrameFor(const QFontMetrics& fm, const QRect& a) {
    const int s1w = fm.horizontalAdvance(QStringLiteral("999.999"));
    const int s1h = fm.height();
    const int s2w = fm.horizontalAdvance(QStringLiteral("9999999999"));
    Frame f;
    f.X0 = a.left() + s1w + 4;
    f.Y0 = a.top() + s1h / 2;
    f.X1 = a.x() + a.width() - s2w / 2;
    f.Y1 = a.y() + a.height() - (5 * s1h) / 2;
    return f;
}

void CTrendGraphPane::DrawGraph(QPainter& p, const QRect& c, const QRect& a) const {
    const QFontMetrics fm = p.fontMetrics();
    const auto extent = [&fm](const std::string& s) {
        const QString q = QString::fromStdString(s);
        return TextExtent{fm.horizontalAdvance(q), fm.height()};
    };
    p.fillRect(c, QColorFromRef(ButtonFaceColour()));

    // Title: the slot number carries a leading blank below 10.
    const QString title = QString::asprintf("%2d : ", slot_ + 1) + Text(ElementNameId(element_));
    TextOut(p, fm, c.width() / 2 - fm.horizontalAdvance(title) / 2, 5, title);

    const Frame f = FrameFor(fm, a);
    const int s2h = fm.height();

    const QString unit = QStringLiteral("[%1]").arg(Text(UnitTextId(element_, settings_.YUnit)));
    TextOut(p, fm, std::max(0, f.X0 - fm.horizontalAdvance(unit)), a.top() - fm.height() - 2, unit);

    p.fillRect(QRect(QPoint(f.X0, f.Y0), QPoint(f.X1 - 1, f.Y1 - 1)), QColorFromRef(kFrameFillColour));
    p.setPen(QColorFromRef(kFrameLineColour));
    p.setBrush(Qt::NoBrush);
    if (f.X1 > f.X0 && f.Y1 > f.Y0) {
        p.drawRect(f.X0, f.Y0, f.X1 - f.X0 - 1, f.Y1 - f.Y0 - 1);
    }
    const QColor grid = QColorFromRef(kGridColour);

    // Time axis.
    const auto timeLabel = [this](double t) {
        if (time_.DispType == 0) {
            return FormatAxisValue(t - minElapsed_, 0);
        }
        const CDateTime clock = CDateTime::FromDays(reference_.GetDays() + std::trunc(t) / 86400.0);
        return clock.Format("%H:%M:%S");
    };
    const TickLayout xTicks =
        LayoutTicks(xmin_, xmax_, 0, f.X0, f.X1, AxisOrientation::Horizontal, timeLabel, extent);
    if (xTicks.valid) {
        for (const double t : xTicks.Ticks()) {
            const int x = MapToPixel(t, xmin_, xmax_, f.X0, f.X1);
            if (f.X0 < x && x < f.X1 - 1) {
                p.setPen(grid);
                LineTo(p, x, f.Y0 + 1, x, f.Y1 - 1);
            }
            const QString label = QString::fromStdString(timeLabel(t));
            TextOut(p, fm, x - fm.horizontalAdvance(label) / 2, f.Y1 + s2h / 2, label);
        }
        const QString axisTitle = Text(time_.DispType == 0 ? IDS_TIME_AXIS_SECONDS : IDS_TIME_AXIS_CLOCK);
        const int w = fm.horizontalAdvance(axisTitle);
        TextOut(p, fm, f.X0 + (f.X1 - w - f.X0) / 2, f.Y1 + fm.height() + s2h / 2, axisTitle);
    }

    // Value axis.
    const int decimals = decimals_;
    const auto valueLabel = [decimals](double v) { return FormatAxisValue(v, decimals); };
    const TickLayout yTicks =
        LayoutTicks(ymin_, ymax_, decimals, f.Y0, f.Y1, AxisOrientation::Vertical, valueLabel, extent);
    for (const double t : yTicks.Ticks()) {
        const int y = MapToPixel(t, ymax_, ymin_, f.Y0, f.Y1);
        if (f.Y0 < y && y < f.Y1 - 1) {
            p.setPen(grid);
            LineTo(p, f.X0 + 1, y, f.X1 - 1, y);
        }
        const QString label = QString::fromStdString(valueLabel(t));
        TextOut(p, fm, f.X0 - fm.horizontalAdvance(label) - 2, y - fm.height() / 2, label);
    }

    // Curve and cursor. Invalid values and values in another unit are
    // skipped; the curve joins the points on either side of them.
    // A column beyond the data set's (a damaged settings file) has no curve.
    if (data_ == nullptr || column_ < 0 || column_ >= kSlotCount) {
        return;
    }
    // The data set may have shrunk since the last SetCount.
    const int n = std::min(count_, data_->GetCount());
    if (n <= 0) {
        return;
    }
    p.save();
    p.setClipRect(QRect(QPoint(f.X0 + 1, f.Y0 + 1), QPoint(f.X1 - 2, f.Y1 - 2)));
    const QPen seriesPen(QColorFromRef(kSeriesColour), 0);
    const QPen cursorPen(QColorFromRef(kCursorColour), 0);
    const bool cursorShown =
        cursorEnabled_ != 0 && time_.Cursol != 0 && cursorIndex_ >= 0 && cursorIndex_ < n;
    // Thousands of records share a few hundred pixel columns. The segments
    // between points of one column only fill the span from their lowest to
    // their highest point, so a column's run is reduced to its first,
    // lowest, highest and last point: the same pixels, a fraction of the
    // line drawing.
    QPolygon curve;
    curve.reserve(std::min(n, 4 * (f.X1 - f.X0 + 2)) + 2);
    struct Run {
        bool open = false;
        int x = 0;
        int first = 0;
        int last = 0;
        int low = 0;
        int high = 0;
    } run;
    const auto append = [&curve](int x, int y) {
        const QPoint point(x, y);
        if (curve.isEmpty() || curve.last() != point) {
            curve.append(point);
        }
    };
    const auto closeRun = [&] {
        if (run.open) {
            append(run.x, run.first);
            append(run.x, run.low);
            append(run.x, run.high);
            append(run.x, run.last);
            run.open = false;
        }
    };
    const auto flush = [&] {
        closeRun();
        p.setPen(seriesPen);
        if (curve.size() > 1) {
            p.drawPolyline(curve);
        }
        // Keep the last point: the curve goes on from it.
        if (!curve.isEmpty()) {
            const QPoint last = curve.last();
            curve.clear();
            curve.append(last);
        }
    };
    for (int i = 0; i < n; ++i) {
        const int x = ClampCoordinate(MapToPixel(data_->GetElapsed(i), xmin_, xmax_, f.X0, f.X1));
        if (cursorShown && i == cursorIndex_) {
            flush();
            if (f.X0 < x && x < f.X1 - 1) {
                p.setPen(cursorPen);
                LineTo(p, x, f.Y0 + 1, x, f.Y1 - 1);
            }
        }
        if (data_->IsValueValid(column_, i) && data_->GetUnit(column_, i) == settings_.YUnit) {
            const int y = ClampCoordinate(MapToPixel(data_->GetValue(column_, i), ymax_, ymin_, f.Y0, f.Y1));
            if (run.open && run.x == x) {
                run.last = y;
                run.low = std::min(run.low, y);
                run.high = std::max(run.high, y);
            } else {
                closeRun();
                run = Run{true, x, y, y, y, y};
            }
        }
    }
    flush();
    p.restore();
}

void CTrendGraphPane::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(font_ != nullptr ? *font_ : font());
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
        target_->Post(AppMessage{WM_APP_PANE_COUNT, static_cast<std::uintptr_t>(count), slot_, {}});
    }
}

}  // namespace kelp
