#include "ui/graphs/XYGraph.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
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

// The X pixel of a record whose X value is in another unit (passed over)
// or not valid (the lines break there); real pixels are whole numbers.
constexpr double kPassOver = 0.25;
constexpr double kBreak = 0.5;

// Gathers the points of a line and hands them on in pieces, a piece ending
// where the line breaks. Repeated points are dropped, and a run of points in
// one pixel column (or row) becomes its first, lowest, highest and last
// point: the segments between them only fill that column (row) from the
// lowest to the highest, so the pixels stay those of the whole line.
class LineReducer final {
  public:
    // Told where each piece ends in `points`.
    using Sink = std::function<void(int end)>;
    // The points go on at the end of `points`.
    LineReducer(Sink sink, std::vector<QPointF>& points)
        : sink_(std::move(sink)), points_(points), pieceStart_(points.size()) {}

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
                if (x == startX_) {
                    run_ = Run::Column;
                    Extend(y);
                    return;
                }
                if (y == startY_) {
                    run_ = Run::Row;
                    fixed_ = y;
                    first_ = last_ = low_ = high_ = startX_;
                    Extend(x);
                    return;
                }
                break;
            case Run::None:
                break;
        }
        CloseRun();
        run_ = Run::Single;
        startX_ = x;
        startY_ = y;
        fixed_ = x;
        first_ = last_ = low_ = high_ = y;
    }

    void Break() {
        CloseRun();
        if (points_.size() > pieceStart_) {
            sink_(static_cast<int>(points_.size()));
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
        if (run_ == Run::Row) {
            Append(first_, fixed_);
            Append(low_, fixed_);
            Append(high_, fixed_);
            Append(last_, fixed_);
        } else if (run_ != Run::None) {
            Append(fixed_, first_);
            Append(fixed_, low_);
            Append(fixed_, high_);
            Append(fixed_, last_);
        }
        run_ = Run::None;
    }

    Sink sink_;
    std::vector<QPointF>& points_;
    std::size_t pieceStart_ = 0;
    Run run_ = Run::None;
    double startX_ = 0.0;
    double startY_ = 0.0;
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

void CXYGraph::ComputeRanges() {
    ForgetLines();
    min_.fill(0.0);
    max_.fill(10.0);
    count_.fill(0);
    if (!HasData()) {
        return;
    }
    const auto x = static_cast<std::size_t>(xSlot_);
    const SlotStats& xs = data_->GetStats(xSlot_, settings_[x].YUnit);
    count_[x] = xs.Count;
    if (count_[x] == 0) {
        return;
    }
    min_[x] = xs.Min;
    max_[x] = xs.Max;
    // Only records whose X value is valid place points, and only valid
    // values widen an axis: a missing value (read back as 0) or a data
    // error must not stretch it.
    const int n = data_->GetCount();
    for (int r = 0; r < n; ++r) {
        if (data_->GetUnit(xSlot_, r) != settings_[x].YUnit || !data_->IsValueValid(xSlot_, r)) {
            continue;
        }
        for (int j = 0; j < kSlots; ++j) {
            const auto i = static_cast<std::size_t>(j);
            if (j == xSlot_ || data_->GetUnit(j, r) != settings_[i].YUnit || !data_->IsValueValid(j, r)) {
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
                const int d = data_->GetStats(static_cast<int>(k), settings_[k].YUnit).Decimals;
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
    const QRect p = PlotRect(painter.fontMetrics(), g);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(p.adjusted(0, 0, -1, -1));

    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    DrawXAxis(painter, p);
    DrawYAxis(painter, g, p);

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

void CXYGraph::DrawXAxis(QPainter& painter, const QRect& p) const {
    const auto x = static_cast<std::size_t>(xSlot_);
    const double lo = min_[x];
    const double hi = max_[x];
    const int d = HasData() ? data_->GetStats(xSlot_, settings_[x].YUnit).Decimals : 0;
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

void CXYGraph::DrawYAxis(QPainter& painter, const QRect& g, const QRect& p) const {
    double lo = 0.0;
    double hi = 10.0;
    int d = 0;
    if (yScaleSlot_ >= 0) {
        const auto y = static_cast<std::size_t>(yScaleSlot_);
        lo = min_[y];
        hi = max_[y];
        d = FitDecimals(HasData() ? data_->GetStats(yScaleSlot_, settings_[y].YUnit).Decimals : 0, lo, hi);
    }
    const QFontMetrics metrics = painter.fontMetrics();
    const TickLayout layout = LayoutTicks(
        lo, hi, d, p.top(), RectBottom(p), AxisOrientation::Vertical,
        [d](double v) { return FormatAxisValue(v, d); },
        [&metrics](const std::string& text) { return Measure(metrics, text); });
    if (!layout.valid) {
        return;
    }
    for (double t : layout.Ticks()) {
        const int py = MapToPixel(t, hi, lo, p.top(), RectBottom(p));
        if (p.top() < py && py < RectBottom(p) - 1) {
            painter.setPen(QPen(QColorFromRef(kGridColour), 1));
            painter.drawLine(p.left() + 1, py, RectRight(p) - 1 - 1, py);
        }
        const QString label = Utf8(FormatAxisValue(t, d));
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
        DrawSample(painter, left, left + kSampleLength, top + metrics.height() / 2, LineColour(yScaleSlot_));
        painter.setPen(Qt::black);
        painter.drawText(
            QRect(left + kSampleLength + 4, top, metrics.horizontalAdvance(title), metrics.height()),
            Qt::AlignLeft | Qt::AlignTop, title);
    }
}

std::vector<std::vector<QPointF>> CXYGraph::Polylines(int k, const QRect& p) const {
    std::vector<std::vector<QPointF>> pieces;
    const auto i = static_cast<std::size_t>(k);
    if (!HasData() || k < 0 || k >= kSlots || count_[i] == 0) {
        return pieces;
    }
    const int n = data_->GetCount();
    KeepLinesFor(p);
    const std::vector<double> xs = XPixels(p);
    std::vector<double> ys(static_cast<std::size_t>(n));
    MapValues(*data_, k, max_[i], min_[i], p.top(), RectBottom(p), ys.data());
    std::vector<QPointF> piece;
    for (int r = 0; r < n; ++r) {
        const double x = xs[static_cast<std::size_t>(r)];
        if (x == kPassOver || data_->GetUnit(k, r) != settings_[i].YUnit) {
            continue;  // another unit: passed over
        }
        if (x == kBreak || !data_->IsValueValid(k, r)) {
            if (!piece.empty()) {
                pieces.push_back(std::move(piece));
                piece.clear();
            }
            continue;  // not a value: the line breaks
        }
        piece.emplace_back(x, ys[static_cast<std::size_t>(r)]);
    }
    if (!piece.empty()) {
        pieces.push_back(std::move(piece));
    }
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
    const QColor colour = LineColour(k);
    painter.setPen(QPen(colour, 1));
    int start = 0;
    for (const int end : line.pieceEnds) {
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
    line.built = true;
    const std::vector<double>& xs = XPixels(p);
    const int n = data_->GetCount();
    // The pixels first, in a loop of their own that the compiler can keep
    // free of branches; then the walk that decides which points are drawn.
    std::vector<double>& ys = lines_.ys;
    ys.resize(static_cast<std::size_t>(n));
    MapValues(*data_, k, max_[i], min_[i], p.top(), RectBottom(p), ys.data());
    // Thousands of records share a few hundred pixel columns: the reducer
    // keeps the pixels of the line and drops the points that add none.
    LineReducer reducer([&line](int end) { line.pieceEnds.push_back(end); }, line.points);
    const int unit = settings_[i].YUnit;
    for (int r = 0; r < n; ++r) {
        const double x = xs[static_cast<std::size_t>(r)];
        if (x == kPassOver || data_->GetUnit(k, r) != unit) {
            continue;
        }
        if (x == kBreak || !data_->IsValueValid(k, r)) {
            reducer.Break();
            continue;
        }
        reducer.Add(x, ys[static_cast<std::size_t>(r)]);
    }
    reducer.Break();
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
    if (n == 0) {
        return xs;
    }
    MapValues(*data_, xSlot_, min_[x], max_[x], p.left(), RectRight(p), xs.data());
    for (int r = 0; r < n; ++r) {
        if (data_->GetUnit(xSlot_, r) != settings_[x].YUnit) {
            xs[static_cast<std::size_t>(r)] = kPassOver;
        } else if (!data_->IsValueValid(xSlot_, r)) {
            xs[static_cast<std::size_t>(r)] = kBreak;
        }
    }
    return xs;
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

    // The legend: one row a drawn line, its colour and "name [unit]".
    std::vector<std::pair<int, QString>> entries;
    int width = 0;
    for (int k = 0; k < kSlots; ++k) {
        if (IsDrawn(k)) {
            entries.emplace_back(k, Utf8(AxisTitle(k)));
            width = std::max(width, fm.horizontalAdvance(entries.back().second));
        }
    }
    const int top = rect.top() + 2 * margin + fm.height();
    int legendRight = rect.left();
    if (!entries.empty()) {
        const int rowHeight = fm.height() + 4;
        const QRect box(rect.left() + margin, top + 2 * fm.height(), kSampleLength + 12 + width,
                        static_cast<int>(entries.size()) * rowHeight + 6);
        painter.fillRect(box, Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        int y = box.top() + 3;
        for (const auto& [k, text] : entries) {
            DrawSample(painter, box.left() + 4, box.left() + 4 + kSampleLength, y + rowHeight / 2 - 1,
                       LineColour(k));
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
