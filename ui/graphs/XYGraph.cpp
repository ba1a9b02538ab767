#include "ui/graphs/XYGraph.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/graphs/AxisScale.h"
#include "ui/graphs/GraphPicture.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/main/ColorLamp.h"

namespace kelp {

namespace {

// Half the side of the square that marks a point standing alone.
constexpr int kPointRadius = 1;
// The colour sample in front of the Y axis title.
constexpr int kSampleLength = 16;

// MapToPixel for the value of `slot` in every record of `data`.
void MapValues(const CMeasDataSet& data, int slot, double a, double b, int p0, int p1, double* out) {
    MapToPixels(
        data.GetCount(), [&data, slot](int r) { return static_cast<double>(data.GetValue(slot, r)); }, a, b,
        p0, p1, out);
}

// What a record does to a line: it places a point, it is passed over (a
// value in another unit) or the line breaks there (a value that is not
// valid).
enum Mark : std::uint8_t { kPoint, kPassOver, kBreak };

// Walks the records of `ranges` in order: `point(x, y)` for each record
// that places a point, `end(false)` where the line breaks and `end(true)`
// at the end of each range, which ends its piece too.
template <typename Point, typename End>
void WalkPieces(const std::vector<RecordRange>& ranges, const std::uint8_t* marks, const double* xs,
                const double* ys, Point point, End end) {
    for (const RecordRange& range : ranges) {
        for (auto r = static_cast<std::size_t>(range.first); static_cast<int>(r) <= range.last; ++r) {
            if (marks[r] == kPoint) {
                point(xs[r], ys[r]);
            } else if (marks[r] == kBreak) {
                end(false);
            }
        }
        end(true);
    }
}

// Gathers the points of a line and hands them on in pieces, a piece ending
// where the line breaks. Repeated points are dropped, and a run of points in
// one pixel column (or row) becomes its first, lowest, highest and last
// point: the segments between them only fill that column (row) from the
// lowest to the highest, so the pixels stay those of the whole line.
class LineReducer final {
  public:
    // The points go on at the end of `points`, the end of each piece at
    // the end of `pieceEnds`.
    LineReducer(std::vector<QPointF>& points, std::vector<int>& pieceEnds)
        : points_(points), pieceEnds_(pieceEnds), pieceStart_(points.size()) {}

    void Add(double x, double y) {
        switch (run_) {
            case Run::Column:
                if (x == fixed_) {
                    Extend(y);
                    return;
                }
                break;
            case Run::Row:
                if (y == fixed_) {
                    Extend(x);
                    return;
                }
                break;
            case Run::Single:
                // The point alone is (fixed_, first_).
                if (x == fixed_) {
                    run_ = Run::Column;
                    Extend(y);
                    return;
                }
                if (y == first_) {
                    run_ = Run::Row;
                    const double startX = fixed_;
                    fixed_ = y;
                    first_ = last_ = low_ = high_ = startX;
                    Extend(x);
                    return;
                }
                break;
            case Run::None:
                break;
        }
        CloseRun();
        run_ = Run::Single;
        fixed_ = x;
        first_ = last_ = low_ = high_ = y;
    }

    void Break() {
        CloseRun();
        if (points_.size() > pieceStart_) {
            pieceEnds_.push_back(static_cast<int>(points_.size()));
            pieceStart_ = points_.size();
        }
    }

  private:
    enum class Run { None, Single, Column, Row };

    void Extend(double v) {
        last_ = v;
        low_ = std::min(low_, v);
        high_ = std::max(high_, v);
    }

    // Exact comparisons: the points are whole pixels (QPointF's own
    // comparison is fuzzy and, for every point, slow).
    void Append(double x, double y) {
        if (points_.size() == pieceStart_ || points_.back().x() != x || points_.back().y() != y) {
            points_.emplace_back(x, y);
        }
    }

    void CloseRun() {
        switch (run_) {
            case Run::Single:
                Append(fixed_, first_);
                break;
            case Run::Column:
                Append(fixed_, first_);
                Append(fixed_, low_);
                Append(fixed_, high_);
                Append(fixed_, last_);
                break;
            case Run::Row:
                Append(first_, fixed_);
                Append(low_, fixed_);
                Append(high_, fixed_);
                Append(last_, fixed_);
                break;
            case Run::None:
                break;
        }
        run_ = Run::None;
    }

    std::vector<QPointF>& points_;
    std::vector<int>& pieceEnds_;
    std::size_t pieceStart_ = 0;
    Run run_ = Run::None;
    double fixed_ = 0.0;  // the column's x or the row's y
    double first_ = 0.0;  // along the run
    double last_ = 0.0;
    double low_ = 0.0;
    double high_ = 0.0;
};

TextExtent Measure(const QFontMetrics& metrics, const std::string& text) {
    return {metrics.horizontalAdvance(Utf8(text)), metrics.height()};
}

// A short thick line in a slot's colour, as the legend strip draws them.
void DrawSample(QPainter& painter, int left, int right, int y, const QColor& colour) {
    QPen pen(colour, 3);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QPoint(left, y), QPoint(right, y));
}

}  // namespace

QColor CXYGraph::LineColour(int k) {
    return QColorFromRef(kGraphPalette[static_cast<std::size_t>(k)]);
}

bool CXYGraph::HasData() const {
    return data_ != nullptr && data_->GetCount() > 0;
}

void CXYGraph::SetPieces(std::vector<Piece> pieces, bool colourEach) {
    pieces_ = std::move(pieces);
    colourEach_ = colourEach;
    ForgetLines();
}

bool CXYGraph::ColoursPieces() const {
    if (!colourEach_ || pieces_.size() < 2) {
        return false;
    }
    // Lines without a value draw nothing.
    int drawn = 0;
    for (int k = 0; k < kSlots; ++k) {
        drawn += IsDrawn(k) && count_[static_cast<std::size_t>(k)] != 0 ? 1 : 0;
    }
    return drawn == 1;
}

QColor CXYGraph::PieceColour(int i) {
    return LineColour(i % kSlots);
}

std::vector<RecordRange> CXYGraph::DrawnRanges() const {
    const int n = HasData() ? data_->GetCount() : 0;
    if (pieces_.empty()) {
        return {{0, n - 1}};
    }
    std::vector<RecordRange> ranges;
    for (const Piece& piece : pieces_) {
        ranges.push_back({std::max(piece.records.first, 0), std::min(piece.records.last, n - 1)});
    }
    return ranges;
}

void CXYGraph::ResetSlots() {
    checked_.fill(0);
    xSlot_ = 0;
    yScaleSlot_ = -1;
    if (HasData()) {
        int first = -1;
        for (int k = 0; k < kSlots && first < 0; ++k) {
            first = data_->GetElement(k) != kNoElement ? k : -1;
        }
        xSlot_ = first < 0 ? 0 : first;
        for (int k = 0; k < kSlots; ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (data_->GetElement(k) == kNoElement) {
                settings_[i].YUnit = 0;
                continue;
            }
            settings_[i].YUnit = std::clamp(data_->GetUnit(k, 0), 0, kUnitCount - 1);
            if (k != xSlot_) {
                checked_[i] = 1;
                yScaleSlot_ = yScaleSlot_ < 0 ? k : yScaleSlot_;
            }
        }
    }
    ComputeRanges();
}

void CXYGraph::ChooseXSlot(int slot) {
    if (slot < 0 || slot >= kSlots || slot == xSlot_ || !HasData()) {
        return;
    }
    SetChecked(xSlot_, data_->GetElement(xSlot_) != kNoElement);
    SetXSlot(slot);
    SetChecked(slot, false);
    yScaleSlot_ = -1;
    for (int k = 0; k < kSlots && yScaleSlot_ < 0; ++k) {
        yScaleSlot_ = k != xSlot_ && data_->GetElement(k) != kNoElement ? k : -1;
    }
    ComputeRanges();
}

void CXYGraph::SetXSlot(int slot) {
    if (slot >= 0 && slot < kSlots) {
        xSlot_ = slot;
        ForgetLines();
    }
}

void CXYGraph::SetChecked(int slot, bool checked) {
    if (slot >= 0 && slot < kSlots) {
        checked_[static_cast<std::size_t>(slot)] = checked ? 1 : 0;
    }
}

bool CXYGraph::IsDrawn(int k) const {
    return IsChecked(k) && k != xSlot_ && HasData() && data_->GetElement(k) != kNoElement;
}

const SlotStats& CXYGraph::Stats(int slot) const {
    return data_->GetStats(slot, settings_[static_cast<std::size_t>(slot)].YUnit);
}

bool CXYGraph::ValidEverywhere(int slot) const {
    return HasData() && data_->GetElement(slot) != kNoElement && Stats(slot).Count == data_->GetCount();
}

void CXYGraph::ComputeRanges() {
    ForgetLines();
    min_.fill(0.0);
    max_.fill(10.0);
    count_.fill(0);
    if (!HasData()) {
        return;
    }
    const auto x = static_cast<std::size_t>(xSlot_);
    const SlotStats& xs = Stats(xSlot_);
    count_[x] = xs.Count;
    if (count_[x] == 0) {
        return;
    }
    min_[x] = xs.Min;
    max_[x] = xs.Max;
    // Only records whose X value is valid place points, and only valid
    // values widen an axis: a missing value (read back as 0) or a data
    // error must not stretch it. When every record is drawn and has a valid
    // X, those are the data set's own statistics of the valid values;
    // otherwise the records drawn with a valid X are gathered first and
    // each slot goes through them.
    const bool everyRecord = pieces_.empty() && ValidEverywhere(xSlot_);
    std::vector<int> records;
    if (!everyRecord) {
        records.reserve(static_cast<std::size_t>(xs.Count));
        for (const RecordRange& range : DrawnRanges()) {
            for (int r = range.first; r <= range.last; ++r) {
                if (data_->GetUnit(xSlot_, r) == settings_[x].YUnit && data_->IsValueValid(xSlot_, r)) {
                    records.push_back(r);
                }
            }
        }
    }
    if (!pieces_.empty()) {
        count_[x] = static_cast<int>(records.size());
        if (records.empty()) {
            return;
        }
        const auto [low, high] = std::minmax_element(records.begin(), records.end(), [this](int a, int b) {
            return data_->GetValue(xSlot_, a) < data_->GetValue(xSlot_, b);
        });
        min_[x] = data_->GetValue(xSlot_, *low);
        max_[x] = data_->GetValue(xSlot_, *high);
    }
    for (int j = 0; j < kSlots; ++j) {
        const auto i = static_cast<std::size_t>(j);
        if (j == xSlot_ || data_->GetElement(j) == kNoElement) {
            continue;
        }
        if (everyRecord) {
            const SlotStats& stats = Stats(j);
            count_[i] = stats.Count;
            if (stats.Count != 0) {
                min_[i] = stats.Min;
                max_[i] = stats.Max;
            }
            continue;
        }
        const bool valid = ValidEverywhere(j);
        const int unit = settings_[i].YUnit;
        for (const int r : records) {
            if (!valid && (data_->GetUnit(j, r) != unit || !data_->IsValueValid(j, r))) {
                continue;
            }
            const double v = data_->GetValue(j, r);
            if (count_[i] == 0) {
                min_[i] = v;
                max_[i] = v;
            } else {
                min_[i] = std::min(min_[i], v);
                max_[i] = std::max(max_[i], v);
            }
            ++count_[i];
        }
    }
    for (std::size_t k = 0; k < static_cast<std::size_t>(kSlots); ++k) {
        if (count_[k] == 0) {
            continue;
        }
        if (settings_[k].YAuto != 0) {
            if (min_[k] == max_[k]) {
                const int d = Stats(static_cast<int>(k)).Decimals;
                const double unitStep = std::pow(10.0, -d);
                min_[k] -= unitStep;
                max_[k] += unitStep;
            }
            const double margin = (max_[k] - min_[k]) * 0.02;
            min_[k] -= margin;
            max_[k] += margin;
        } else {
            min_[k] = settings_[k].YMin;
            max_[k] = settings_[k].YMax;
        }
    }
}

QRect CXYGraph::PlotRect(const QFontMetrics& metrics, const QRect& g) {
    const int aw = metrics.horizontalAdvance(QStringLiteral("999.999"));
    const int ah = metrics.height();
    const int bw = metrics.horizontalAdvance(QStringLiteral("99:99:99"));
    const int left = g.left() + aw + 4;
    const int top = g.top() + ah / 2 + 2 * ah;
    const int right = RectRight(g) - bw / 2;
    const int bottom = RectBottom(g) - 3 * ah - 2;
    return QRect(left, top, right - left, bottom - top);
}

std::string CXYGraph::AxisTitle(int slot) const {
    const int element = HasData() ? data_->GetElement(slot) : kNoElement;
    return LoadText(ElementNameId(element)) + " [" +
           LoadText(UnitTextId(element, settings_[static_cast<std::size_t>(slot)].YUnit)) + "]";
}

std::string CXYGraph::LegendText(int slot) const {
    const auto i = static_cast<std::size_t>(slot);
    const int element = HasData() ? data_->GetElement(slot) : kNoElement;
    const QString name = Utf8(LoadText(ElementNameId(element)));
    if (count_[i] == 0) {
        return (name + QStringLiteral("  ") + Utf8(LoadText(IDS_GRAPH_NO_DATA))).toStdString();
    }
    const int d = FitDecimals(Stats(slot).Decimals, min_[i], max_[i]);
    const int unitId = UnitTextId(element, settings_[i].YUnit);
    const QString unit = unitId == IDS_UNIT_NONE ? QString() : Utf8(LoadText(unitId));
    return Utf8(LoadText(IDS_XY_LEGEND_RANGE))
        .arg(name, Utf8(FormatAxisValue(min_[i], d)), Utf8(FormatAxisValue(max_[i], d)), unit)
        .trimmed()
        .toStdString();
}

void CXYGraph::Draw(QPainter& painter, const QRect& s, const QRect& g,
                    const std::array<QRect, kSlots>& rows) const {
    DrawLegendStrip(painter, s, rows);
    DrawFrame(painter, g);
}

void CXYGraph::DrawLegendStrip(QPainter& painter, const QRect& s,
                               const std::array<QRect, kSlots>& rows) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(s, Qt::white);
    // Only slots that can be drawn get a colour: not the X slot, and not a
    // slot without a component.
    for (int k = 0; k < kSlots; ++k) {
        if (k == xSlot_ || !HasData() || data_->GetElement(k) == kNoElement) {
            continue;
        }
        const QRect& b = rows[static_cast<std::size_t>(k)];
        const int y = b.top() + (RectBottom(b) - b.top()) / 2 - 1;
        DrawSample(painter, s.left() + 3, RectRight(s) - 4, y, LineColour(k));
    }
    painter.restore();
}

void CXYGraph::DrawFrame(QPainter& painter, const QRect& g) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(g, QColorFromRef(ButtonFaceColour()));
    const Layout layout = LayOut(painter.fontMetrics(), g);
    const QRect& p = layout.plot;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(p.adjusted(0, 0, -1, -1));

    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    DrawXAxis(painter, p);
    DrawYAxis(painter, g, p, layout.left);
    DrawRightAxis(painter, g, p, layout.right);

    if (HasData() && count_[static_cast<std::size_t>(xSlot_)] != 0) {
        // The lines stay inside the plot, its outline left free.
        painter.setClipRect(p.adjusted(1, 1, -1, -1));
        painter.setBrush(Qt::NoBrush);
        KeepLinesFor(p);
        for (int k = 0; k < kSlots; ++k) {
            if (IsChecked(k) && k != xSlot_ && k != yScaleSlot_) {
                DrawLine(painter, k, p);
            }
        }
        // The line of the Y scale lies on top.
        if (yScaleSlot_ >= 0 && IsChecked(yScaleSlot_) && yScaleSlot_ != xSlot_) {
            DrawLine(painter, yScaleSlot_, p);
        }
    }
    painter.restore();
}

int CXYGraph::RightAxisSlot() const {
    if (!HasData() || yScaleSlot_ < 0 || count_[static_cast<std::size_t>(xSlot_)] == 0) {
        return -1;
    }
    const auto fits = [this](int k) {
        return k >= 0 && k < kSlots && k != yScaleSlot_ && IsDrawn(k) &&
               count_[static_cast<std::size_t>(k)] != 0;
    };
    if (rightSlot_ >= 0) {
        return fits(rightSlot_) ? rightSlot_ : -1;
    }
    for (int k = 0; k < kSlots; ++k) {
        if (fits(k)) {
            return k;
        }
    }
    return -1;
}

CXYGraph::ValueAxis CXYGraph::LayOutValueAxis(const QFontMetrics& metrics, int slot, const QRect& p) const {
    ValueAxis axis;
    axis.slot = slot;
    int d = 0;
    if (slot >= 0) {
        const auto i = static_cast<std::size_t>(slot);
        axis.lo = min_[i];
        axis.hi = max_[i];
        d = FitDecimals(HasData() ? Stats(slot).Decimals : 0, axis.lo, axis.hi);
    }
    const auto label = [d](double v) { return FormatAxisValue(v, d); };
    const TickLayout layout =
        LayoutTicks(axis.lo, axis.hi, d, p.top(), RectBottom(p), AxisOrientation::Vertical, label,
                    [&metrics](const std::string& text) { return Measure(metrics, text); });
    for (const double t : layout.Ticks()) {
        axis.ticks.emplace_back(t, Utf8(label(t)));
        axis.widest = std::max(axis.widest, metrics.horizontalAdvance(axis.ticks.back().second));
    }
    return axis;
}

CXYGraph::Layout CXYGraph::LayOut(const QFontMetrics& metrics, const QRect& g) const {
    Layout layout;
    QRect& p = layout.plot;
    p = PlotRect(metrics, g);
    // The vertical ticks depend on the plot's height only: laid out first,
    // they say how much room their labels need beside it.
    layout.left = LayOutValueAxis(metrics, yScaleSlot_, p);
    p.setLeft(std::max(p.left(), g.left() + layout.left.widest + 4));
    const int right = RightAxisSlot();
    if (right >= 0) {
        layout.right = LayOutValueAxis(metrics, right, p);
        p.setRight(std::min(p.right(), RectRight(g) - layout.right.widest - 8 - 1));
    }
    return layout;
}

QRect CXYGraph::PlotRectIn(const QFontMetrics& metrics, const QRect& g) const {
    return LayOut(metrics, g).plot;
}

void CXYGraph::DrawXAxis(QPainter& painter, const QRect& p) const {
    const auto x = static_cast<std::size_t>(xSlot_);
    const double lo = min_[x];
    const double hi = max_[x];
    const int d = HasData() ? Stats(xSlot_).Decimals : 0;
    const QFontMetrics metrics = painter.fontMetrics();
    const TickLayout layout = LayoutTicks(
        lo, hi, d, p.left(), RectRight(p), AxisOrientation::Horizontal,
        [d](double v) { return FormatAxisValue(v, d); },
        [&metrics](const std::string& text) { return Measure(metrics, text); });
    if (!layout.valid) {
        return;
    }
    const int h = metrics.height() / 2;
    for (double t : layout.Ticks()) {
        const int px = MapToPixel(t, lo, hi, p.left(), RectRight(p));
        if (p.left() < px && px < RectRight(p) - 1) {
            painter.setPen(QPen(QColorFromRef(kGridColour), 1));
            painter.drawLine(px, p.top() + 1, px, RectBottom(p) - 1 - 1);
        }
        const QString label = Utf8(FormatAxisValue(t, d));
        const int width = metrics.horizontalAdvance(label);
        painter.setPen(Qt::black);
        painter.drawText(QRect(px - width / 2, RectBottom(p) + h, width, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, label);
    }
    if (HasData() && data_->GetElement(xSlot_) != kNoElement) {
        const QString title = Utf8(AxisTitle(xSlot_));
        const int width = metrics.horizontalAdvance(title);
        painter.setPen(Qt::black);
        painter.drawText(QRect(p.left() + (RectRight(p) - width - p.left()) / 2,
                               RectBottom(p) + metrics.height() + h, width, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, title);
    }
}

void CXYGraph::DrawYAxis(QPainter& painter, const QRect& g, const QRect& p, const ValueAxis& axis) const {
    const QFontMetrics metrics = painter.fontMetrics();
    if (axis.ticks.empty()) {
        return;
    }
    for (const auto& [t, label] : axis.ticks) {
        const int py = MapToPixel(t, axis.hi, axis.lo, p.top(), RectBottom(p));
        if (p.top() < py && py < RectBottom(p) - 1) {
            painter.setPen(QPen(QColorFromRef(kGridColour), 1));
            painter.drawLine(p.left() + 1, py, RectRight(p) - 1 - 1, py);
        }
        const int width = metrics.horizontalAdvance(label);
        painter.setPen(Qt::black);
        painter.drawText(QRect(p.left() - width - 2, py - metrics.height() / 2, width, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, label);
    }
    if (yScaleSlot_ >= 0 && HasData()) {
        // The title names the component the labels belong to, behind a
        // sample of its line's colour.
        const QString title = Utf8(AxisTitle(yScaleSlot_));
        const int top = p.top() - 2 * metrics.height();
        const int left = g.left() + 5;
        // Lines in the colours of their pieces have no one colour to show.
        if (!ColoursPieces()) {
            DrawSample(painter, left, left + kSampleLength, top + metrics.height() / 2,
                       LineColour(yScaleSlot_));
        }
        painter.setPen(Qt::black);
        painter.drawText(
            QRect(left + kSampleLength + 4, top, metrics.horizontalAdvance(title), metrics.height()),
            Qt::AlignLeft | Qt::AlignTop, title);
    }
}

void CXYGraph::DrawRightAxis(QPainter& painter, const QRect& g, const QRect& p, const ValueAxis& axis) const {
    if (axis.slot < 0 || axis.ticks.empty()) {
        return;
    }
    // Short marks in the line's colour outside the frame, no grid of its
    // own: the grid belongs to the left axis.
    const QFontMetrics metrics = painter.fontMetrics();
    const QColor colour = LineColour(axis.slot);
    for (const auto& [t, label] : axis.ticks) {
        const int py = MapToPixel(t, axis.hi, axis.lo, p.top(), RectBottom(p));
        painter.setPen(QPen(colour, 1));
        painter.drawLine(RectRight(p), py, RectRight(p) + 3, py);
        painter.setPen(Qt::black);
        painter.drawText(QRect(RectRight(p) + 6, py - metrics.height() / 2, metrics.horizontalAdvance(label),
                               metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, label);
    }
    const QString title = Utf8(AxisTitle(axis.slot));
    const int width = metrics.horizontalAdvance(title);
    const int top = p.top() - 2 * metrics.height();
    const int right = RectRight(g) - 5;
    painter.setPen(Qt::black);
    painter.drawText(QRect(right - width, top, width, metrics.height()), Qt::AlignLeft | Qt::AlignTop, title);
    DrawSample(painter, right - width - 4 - kSampleLength, right - width - 4, top + metrics.height() / 2,
               colour);
}

std::vector<std::vector<QPointF>> CXYGraph::Polylines(int k, const QRect& p) const {
    std::vector<std::vector<QPointF>> pieces;
    const auto i = static_cast<std::size_t>(k);
    if (!HasData() || k < 0 || k >= kSlots || count_[i] == 0) {
        return pieces;
    }
    const auto n = static_cast<std::size_t>(data_->GetCount());
    KeepLinesFor(p);
    const std::vector<double>& xs = XPixels(p);
    const std::uint8_t* marks = Marks(k);
    std::vector<double> ys(n);
    MapValues(*data_, k, max_[i], min_[i], p.top(), RectBottom(p), ys.data());
    std::vector<QPointF> piece;
    WalkPieces(
        DrawnRanges(), marks, xs.data(), ys.data(),
        [&piece](double x, double y) { piece.emplace_back(x, y); },
        [&](bool) {
            if (!piece.empty()) {
                pieces.push_back(std::move(piece));
                piece.clear();
            }
        });
    return pieces;
}

void CXYGraph::DrawLine(QPainter& painter, int k, const QRect& p) const {
    const auto i = static_cast<std::size_t>(k);
    if (count_[i] == 0) {
        return;
    }
    Line& line = lines_.bySlot[i];
    if (!line.built) {
        BuildLine(k, p, line);
    }
    const bool pieceColours = ColoursPieces();
    int start = 0;
    for (std::size_t e = 0; e < line.pieceEnds.size(); ++e) {
        const int end = line.pieceEnds[e];
        const QColor colour = pieceColours ? PieceColour(line.pieceGroups[e]) : LineColour(k);
        painter.setPen(QPen(colour, 1));
        const int n = end - start;
        const QPointF* points = line.points.data() + start;
        if (n > 1) {
            painter.drawPolyline(points, n);
        } else if (n == 1) {
            // A piece of one point has no line to show it.
            painter.fillRect(QRectF(points->x() - kPointRadius, points->y() - kPointRadius,
                                    2 * kPointRadius + 1, 2 * kPointRadius + 1),
                             colour);
        }
        start = end;
    }
}

void CXYGraph::BuildLine(int k, const QRect& p, Line& line) const {
    const auto i = static_cast<std::size_t>(k);
    line.points.clear();
    line.pieceEnds.clear();
    line.pieceGroups.clear();
    line.built = true;
    const std::vector<double>& xs = XPixels(p);
    const std::uint8_t* marks = Marks(k);
    const auto n = static_cast<std::size_t>(data_->GetCount());
    // The pixels first, in a loop of their own that the compiler can keep
    // free of branches; then the walk that decides which points are drawn.
    std::vector<double>& ys = lines_.ys;
    ys.resize(n);
    MapValues(*data_, k, max_[i], min_[i], p.top(), RectBottom(p), ys.data());
    // Thousands of records share a few hundred pixel columns: the reducer
    // keeps the pixels of the line and drops the points that add none.
    LineReducer reducer(line.points, line.pieceEnds);
    int group = 0;
    WalkPieces(
        DrawnRanges(), marks, xs.data(), ys.data(), [&reducer](double x, double y) { reducer.Add(x, y); },
        [&](bool rangeEnd) {
            reducer.Break();
            line.pieceGroups.resize(line.pieceEnds.size(), group);
            group += rangeEnd ? 1 : 0;
        });
}

const std::vector<double>& CXYGraph::XPixels(const QRect& p) const {
    std::vector<double>& xs = lines_.xs;
    if (lines_.xsBuilt) {
        return xs;
    }
    lines_.xsBuilt = true;
    const auto x = static_cast<std::size_t>(xSlot_);
    const int n = HasData() ? data_->GetCount() : 0;
    xs.resize(static_cast<std::size_t>(n));
    lines_.xMarks.assign(static_cast<std::size_t>(n), kPoint);
    if (n == 0) {
        return xs;
    }
    MapValues(*data_, xSlot_, min_[x], max_[x], p.left(), RectRight(p), xs.data());
    if (ValidEverywhere(xSlot_)) {
        return xs;
    }
    for (int r = 0; r < n; ++r) {
        if (data_->GetUnit(xSlot_, r) != settings_[x].YUnit) {
            lines_.xMarks[static_cast<std::size_t>(r)] = kPassOver;
        } else if (!data_->IsValueValid(xSlot_, r)) {
            lines_.xMarks[static_cast<std::size_t>(r)] = kBreak;
        }
    }
    return xs;
}

const std::uint8_t* CXYGraph::Marks(int k) const {
    const std::uint8_t* xMarks = lines_.xMarks.data();
    // A slot valid in every record takes the marks of X as they are.
    if (ValidEverywhere(k)) {
        return xMarks;
    }
    const int n = data_->GetCount();
    const int unit = settings_[static_cast<std::size_t>(k)].YUnit;
    std::vector<std::uint8_t>& marks = lines_.marks;
    marks.resize(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r) {
        const auto i = static_cast<std::size_t>(r);
        std::uint8_t mark = xMarks[i];
        if (mark == kPassOver || data_->GetUnit(k, r) != unit) {
            mark = kPassOver;
        } else if (mark == kPoint && !data_->IsValueValid(k, r)) {
            mark = kBreak;
        }
        marks[i] = mark;
    }
    return marks.data();
}

void CXYGraph::ForgetLines() const {
    lines_.xsBuilt = false;
    for (Line& line : lines_.bySlot) {
        line.built = false;
    }
}

void CXYGraph::KeepLinesFor(const QRect& p) const {
    const int count = HasData() ? data_->GetCount() : 0;
    if (lines_.plot != p || lines_.data != data_ || lines_.count != count) {
        lines_.plot = p;
        lines_.data = data_;
        lines_.count = count;
        ForgetLines();
    }
}

void CXYGraph::Render(QPainter& painter, const QRect& rect, const QFont& font, const QString& title) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(PixelFont(font));
    const QFontMetrics fm = painter.fontMetrics();
    painter.fillRect(rect, QColorFromRef(ButtonFaceColour()));
    painter.setPen(Qt::black);
    const int margin = fm.height() / 2;
    painter.drawText(QRect(rect.left(), rect.top() + margin, rect.width(), fm.height()), Qt::AlignCenter,
                     title);

    // The legend: one row a drawn line, its colour, name and scale; or
    // one row a piece when they have colours of their own.
    std::vector<std::pair<QColor, QString>> entries;
    const int top = rect.top() + 2 * margin + fm.height();
    const int rowHeight = fm.height() + 4;
    if (ColoursPieces()) {
        // As many as the picture's height holds, the last row telling how
        // many more there are.
        const auto rows = static_cast<std::size_t>(
            std::max(1, (rect.bottom() - margin - top - 2 * fm.height() - 6) / rowHeight));
        const std::size_t shown = pieces_.size() <= rows ? pieces_.size() : rows - 1;
        for (std::size_t i = 0; i < shown; ++i) {
            entries.emplace_back(PieceColour(static_cast<int>(i)), Utf8(pieces_[i].name));
        }
        if (shown < pieces_.size()) {
            entries.emplace_back(Qt::transparent,
                                 Utf8(LoadText(IDS_PICTURE_MORE_SITES)).arg(pieces_.size() - shown));
        }
    }
    for (int k = 0; k < kSlots && !ColoursPieces(); ++k) {
        if (IsDrawn(k)) {
            entries.emplace_back(LineColour(k), Utf8(LegendText(k)));
        }
    }
    int width = 0;
    for (const auto& entry : entries) {
        width = std::max(width, fm.horizontalAdvance(entry.second));
    }
    int legendRight = rect.left();
    if (!entries.empty()) {
        const QRect box(rect.left() + margin, top + 2 * fm.height(), kSampleLength + 12 + width,
                        static_cast<int>(entries.size()) * rowHeight + 6);
        painter.fillRect(box, Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        int y = box.top() + 3;
        for (const auto& [colour, text] : entries) {
            DrawSample(painter, box.left() + 4, box.left() + 4 + kSampleLength, y + rowHeight / 2 - 1,
                       colour);
            painter.setPen(Qt::black);
            painter.drawText(QRect(box.left() + kSampleLength + 8, y + 2, width, fm.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
            y += rowHeight;
        }
        legendRight = RectRight(box);
    }
    const QRect g(QPoint(legendRight + margin, top), QPoint(rect.right() - margin, rect.bottom() - margin));
    DrawFrame(painter, g);
    painter.restore();
}

}  // namespace kelp
