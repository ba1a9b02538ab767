#include "ui/graphs/TrendGraph.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <string>

#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/graphs/GraphPicture.h"
#include "ui/main/ColorLamp.h"

namespace kelp {

namespace {

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

// One pixel wide on the screen and in proportion on paper.
QPen LinePen(const QColor& colour) {
    return QPen(colour, 1);
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

// Half the side of the square that marks a lone point.
constexpr int kPointRadius = 2;

}  // namespace

void CTrendGraph::SetSlot(int slot, int column, int element, const GraphTimeSettings& time,
                          const GraphSlotSettings& settings) {
    slot_ = slot;
    column_ = column;
    element_ = element;
    time_ = time;
    settings_ = settings;
    Recalculate();
}

void CTrendGraph::SetCount(int n) {
    count_ = data_ == nullptr ? 0 : std::clamp(n, 0, data_->GetCount());
    Recalculate();
}

void CTrendGraph::Recalculate() {
    noData_ = false;
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
    } else {
        noData_ = true;
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

QRect CTrendGraph::PlotAreaFor(const QRect& client) {
    const int right = client.x() + client.width();
    const int bottom = client.y() + client.height();
    return QRect(QPoint(client.left() + 2, client.top() + 21), QPoint(right - 2 - 1, bottom - 2 - 1));
}

CTrendGraph::Frame CTrendGraph::FrameFor(const QFontMetrics& fm, const QRect& a) {
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

void CTrendGraph::Render(QPainter& painter, const QRect& rect, const QFont& font) const {
    painter.save();
    painter.setFont(PixelFont(font));
    Draw(painter, rect, PlotAreaFor(rect));
    painter.restore();
}

void CTrendGraph::RenderStack(QPainter& painter, const QRect& rect, const QFont& font,
                              const std::vector<const CTrendGraph*>& graphs) {
    const int n = static_cast<int>(graphs.size());
    if (n == 0) {
        return;
    }
    // Each graph is (H + n - 1) / n high; the next starts on its last row.
    const int height = (rect.height() + n - 1) / n;
    for (int i = 0; i < n; ++i) {
        const int top = rect.top() + i * (height - 1);
        const int bottom = i == n - 1 ? rect.y() + rect.height() : top + height;
        graphs[static_cast<std::size_t>(i)]->Render(
            painter, QRect(rect.left(), top, rect.width(), bottom - top), font);
    }
}

void CTrendGraph::Draw(QPainter& p, const QRect& c, const QRect& a) const {
    const QFontMetrics fm = p.fontMetrics();
    const auto extent = [&fm](const std::string& s) {
        const QString q = QString::fromStdString(s);
        return TextExtent{fm.horizontalAdvance(q), fm.height()};
    };
    p.fillRect(c, QColorFromRef(ButtonFaceColour()));

    // Title: the slot number carries a leading blank below 10.
    const QString title = QString::asprintf("%2d : ", slot_ + 1) + Text(ElementNameId(element_));
    TextOut(p, fm, c.left() + c.width() / 2 - fm.horizontalAdvance(title) / 2, c.top() + 5, title);

    const Frame f = FrameFor(fm, a);
    const int s2h = fm.height();

    const QString unit = QStringLiteral("[%1]").arg(Text(UnitTextId(element_, settings_.YUnit)));
    TextOut(p, fm, std::max(c.left(), f.X0 - fm.horizontalAdvance(unit)), a.top() - fm.height() - 2, unit);

    p.fillRect(QRect(QPoint(f.X0, f.Y0), QPoint(f.X1 - 1, f.Y1 - 1)), QColorFromRef(kFrameFillColour));
    p.setPen(LinePen(QColorFromRef(kFrameLineColour)));
    p.setBrush(Qt::NoBrush);
    if (f.X1 > f.X0 && f.Y1 > f.Y0) {
        p.drawRect(f.X0, f.Y0, f.X1 - f.X0 - 1, f.Y1 - f.Y0 - 1);
    }
    const QPen grid = LinePen(QColorFromRef(kGridColour));

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

    // Value axis. Without a value to fit it to, a fitted axis would only
    // show a made-up interval around 0: the plot says "no data" instead.
    const bool valueAxis = !noData_ || settings_.YAuto == 0;
    const int decimals = decimals_;
    const auto valueLabel = [decimals](double v) { return FormatAxisValue(v, decimals); };
    const TickLayout yTicks = valueAxis ? LayoutTicks(ymin_, ymax_, decimals, f.Y0, f.Y1,
                                                      AxisOrientation::Vertical, valueLabel, extent)
                                        : TickLayout{};
    for (const double t : yTicks.Ticks()) {
        const int y = MapToPixel(t, ymax_, ymin_, f.Y0, f.Y1);
        if (f.Y0 < y && y < f.Y1 - 1) {
            p.setPen(grid);
            LineTo(p, f.X0 + 1, y, f.X1 - 1, y);
        }
        const QString label = QString::fromStdString(valueLabel(t));
        TextOut(p, fm, f.X0 - fm.horizontalAdvance(label) - 2, y - fm.height() / 2, label);
    }
    if (noData_) {
        const QString text = Text(IDS_GRAPH_NO_DATA);
        TextOut(p, fm, f.X0 + (f.X1 - f.X0 - fm.horizontalAdvance(text)) / 2,
                f.Y0 + (f.Y1 - f.Y0 - fm.height()) / 2, text);
    }
    DrawCurve(p, f);
}

void CTrendGraph::DrawCurve(QPainter& p, const Frame& f) const {
    // Invalid values and values in another unit are skipped; the curve
    // joins the points on either side of them. A column beyond the data
    // set's (a damaged settings file) has no curve.
    if (data_ == nullptr || column_ < 0 || column_ >= kSlotCount) {
        return;
    }
    // The data set may have shrunk since the last SetCount.
    const int n = std::min(count_, data_->GetCount());
    if (n <= 0) {
        return;
    }
    p.save();
    const QRect interior(QPoint(f.X0 + 1, f.Y0 + 1), QPoint(f.X1 - 2, f.Y1 - 2));
    p.setClipRect(interior);
    const QPen seriesPen = LinePen(QColorFromRef(kSeriesColour));
    const QPen cursorPen = LinePen(QColorFromRef(kCursorColour));
    const bool cursorShown =
        cursorEnabled_ != 0 && time_.Cursol != 0 && cursorIndex_ >= 0 && cursorIndex_ < n;
    // Thousands of records share a few hundred pixel columns. The segments
    // between points of one column only fill the span from their lowest to
    // their highest point, so a column's run is reduced to its first,
    // lowest, highest and last point: the same pixels, a fraction of the
    // line drawing.
    QPolygon curve;
    curve.reserve(std::min(n, 4 * (f.X1 - f.X0 + 2)) + 2);
    bool lineDrawn = false;
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
            lineDrawn = true;
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
    // A curve of one point has no line to show it: it gets a small square,
    // unless the time axis is empty and gives the point no place.
    if (!lineDrawn && curve.size() == 1 && xmax_ > xmin_) {
        const QPoint point = curve.first();
        p.setClipRect(QRect(QPoint(f.X0, f.Y0), QPoint(f.X1 - 1, f.Y1 - 1)));
        p.fillRect(QRect(point.x() - kPointRadius, point.y() - kPointRadius, 2 * kPointRadius + 1,
                         2 * kPointRadius + 1),
                   QColorFromRef(kSeriesColour));
    }
    p.restore();
}

}  // namespace kelp
