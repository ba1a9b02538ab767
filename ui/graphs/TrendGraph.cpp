#include "ui/graphs/TrendGraph.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <string>

#include "data/Cp932.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/graphs/ClockTicks.h"
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

// Between the pieces of a picture's title.
const QString kTitleGap = QStringLiteral("   ");

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
    emptyGraph_ = data_ == nullptr || count_ == 0 || element_ == kNoElement;
    if (emptyGraph_) {
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

void CTrendGraph::Render(QPainter& painter, const QRect& rect, const QFont& font, bool onPaper) const {
    painter.save();
    painter.setFont(PixelFont(font));
    Draw(painter, rect, PlotAreaFor(rect), onPaper);
    painter.restore();
}

void CTrendGraph::RenderStack(QPainter& painter, const QRect& rect, const QFont& font,
                              const std::vector<const CTrendGraph*>& graphs, bool onPaper) {
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
            painter, QRect(rect.left(), top, rect.width(), bottom - top), font, onPaper);
    }
}

void CTrendGraph::RenderPicture(QPainter& painter, const QRect& rect, const QFont& font,
                                const std::vector<const CTrendGraph*>& graphs, const QString& title) {
    painter.save();
    painter.fillRect(rect, Qt::white);
    painter.setFont(PixelFont(font));
    const QFontMetrics fm = painter.fontMetrics();
    const int band = std::min(kPictureTitleHeight, rect.height() / 2);
    // A title too long for the width goes on in a second line, broken
    // between its pieces (the file and times, the sites).
    const int room = rect.width() - 12;
    QStringList lines{title};
    if (fm.horizontalAdvance(title) > room) {
        qsizetype at = title.lastIndexOf(kTitleGap);
        while (at > 0 && fm.horizontalAdvance(title.left(at)) > room) {
            at = title.lastIndexOf(kTitleGap, at - 1);
        }
        if (at > 0) {
            lines = QStringList{title.left(at), title.mid(at + kTitleGap.size())};
        }
    }
    painter.setPen(Qt::black);
    int top = rect.top() + (band - static_cast<int>(lines.size()) * fm.height()) / 2;
    for (const QString& line : lines) {
        painter.drawText(QRect(rect.left() + 6, top, room, fm.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         fm.elidedText(line, Qt::ElideRight, room));
        top += fm.height();
    }
    painter.restore();
    RenderStack(painter, rect.adjusted(0, band, 0, 0), font, graphs, true);
}

std::string CTrendGraph::PictureTitle(const CMeasDataSet& data, const std::string& name) {
    std::string title = name;
    const auto add = [&title](const std::string& piece) {
        if (!piece.empty()) {
            title += (title.empty() ? "" : kTitleGap.toStdString()) + piece;
        }
    };
    // The times before the sites: a picture too narrow for the whole line
    // loses the end of the sites rather than the times.
    if (data.GetCount() > 0) {
        const TimeRange& range = data.GetElapsedRange();
        const auto at = [&range](double seconds) {
            return QString::fromStdString(CDateTime::FromDays(range.Reference.GetDays() + seconds / 86400.0)
                                              .Format("%Y/%m/%d %H:%M:%S"));
        };
        add(range.MaxElapsed > range.MinElapsed
                ? Text(IDS_PICTURE_TIME_SPAN).arg(at(range.MinElapsed), at(range.MaxElapsed)).toStdString()
                : at(range.MinElapsed).toStdString());
    }
    // The sites in the order they were visited, each once.
    constexpr std::size_t kSitesNamed = 3;
    std::vector<std::string> sites;
    for (int r = 0; r < data.GetCount(); ++r) {
        std::string site = Cp932ToUtf8(data.GetSiteName(r));
        const auto first = site.find_first_not_of(' ');
        site = first == std::string::npos ? std::string()
                                          : site.substr(first, site.find_last_not_of(' ') - first + 1);
        if (!site.empty() && std::find(sites.begin(), sites.end(), site) == sites.end()) {
            sites.push_back(site);
        }
    }
    std::string named;
    for (std::size_t i = 0; i < std::min(sites.size(), kSitesNamed); ++i) {
        named += (named.empty() ? "" : ", ") + sites[i];
    }
    if (sites.size() > kSitesNamed) {
        named += ", " + Text(IDS_PICTURE_MORE_SITES).arg(sites.size() - kSitesNamed).toStdString();
    }
    add(named);
    return title;
}

void CTrendGraph::Draw(QPainter& p, const QRect& c, const QRect& a, bool onPaper) const {
    const QFontMetrics fm = p.fontMetrics();
    const auto extent = [&fm](const std::string& s) {
        const QString q = QString::fromStdString(s);
        return TextExtent{fm.horizontalAdvance(q), fm.height()};
    };
    p.fillRect(c, onPaper ? QColor(Qt::white) : QColorFromRef(ButtonFaceColour()));

    // Title: the slot number carries a leading blank below 10.
    const QString title = QString::asprintf("%2d : ", slot_ + 1) + Text(ElementNameId(element_));
    TextOut(p, fm, c.left() + c.width() / 2 - fm.horizontalAdvance(title) / 2, c.top() + 5, title);

    Frame f = FrameFor(fm, a);
    const int s2h = fm.height();

    // Value axis. Without a value to fit it to, a fitted axis would only
    // show a made-up interval around 0: the plot says "no data" instead.
    const bool valueAxis = !noData_ || settings_.YAuto == 0;
    const int decimals = decimals_;
    const auto valueLabel = [decimals](double v) { return FormatAxisValue(v, decimals); };
    std::vector<std::pair<double, QString>> valueTicks;
    if (valueAxis) {
        for (const double t :
             LayoutTicks(ymin_, ymax_, decimals, f.Y0, f.Y1, AxisOrientation::Vertical, valueLabel, extent)
                 .Ticks()) {
            valueTicks.emplace_back(t, QString::fromStdString(valueLabel(t)));
        }
    }
    // The label column is as wide as "999.999" unless a label is wider
    // (10000000): then the frame moves right rather than the label being cut.
    for (const auto& tick : valueTicks) {
        f.X0 = std::max(f.X0, a.left() + fm.horizontalAdvance(tick.second) + 4);
    }

    const QString unit = QStringLiteral("[%1]").arg(Text(UnitTextId(element_, settings_.YUnit)));
    TextOut(p, fm, std::max(c.left(), f.X0 - fm.horizontalAdvance(unit)), a.top() - fm.height() - 2, unit);

    p.fillRect(QRect(QPoint(f.X0, f.Y0), QPoint(f.X1 - 1, f.Y1 - 1)), QColorFromRef(kFrameFillColour));
    p.setPen(LinePen(QColorFromRef(kFrameLineColour)));
    p.setBrush(Qt::NoBrush);
    if (f.X1 > f.X0 && f.Y1 > f.Y0) {
        p.drawRect(f.X0, f.Y0, f.X1 - f.X0 - 1, f.Y1 - f.Y0 - 1);
    }
    const QPen grid = LinePen(QColorFromRef(kGridColour));

    // Time axis: seconds by the axis rule, or clock time at clock steps.
    std::vector<std::pair<double, QString>> timeTicks;
    // Without an interval there is no axis: no ticks and no title.
    bool timeAxis = xmax_ > xmin_ && std::isfinite(xmax_ - xmin_);
    if (time_.DispType == 0) {
        const auto seconds = [this](double t) { return FormatAxisValue(t - minElapsed_, 0); };
        const TickLayout layout =
            LayoutTicks(xmin_, xmax_, 0, f.X0, f.X1, AxisOrientation::Horizontal, seconds, extent);
        timeAxis = layout.valid;
        for (const double t : layout.Ticks()) {
            timeTicks.emplace_back(t, QString::fromStdString(seconds(t)));
        }
    } else if (timeAxis) {
        // The empty graph's reference time is made up: no date for it.
        const auto width = [&fm](const std::string& s) {
            return fm.horizontalAdvance(QString::fromStdString(s));
        };
        for (ClockTick& tick :
             LayoutClockTicks(xmin_, xmax_, reference_, f.X0, f.X1, width, !emptyGraph_).ticks) {
            timeTicks.emplace_back(tick.t, QString::fromStdString(tick.label));
        }
    }
    for (const auto& [t, label] : timeTicks) {
        const int x = MapToPixel(t, xmin_, xmax_, f.X0, f.X1);
        if (f.X0 < x && x < f.X1 - 1) {
            p.setPen(grid);
            LineTo(p, x, f.Y0 + 1, x, f.Y1 - 1);
        }
        TextOut(p, fm, x - fm.horizontalAdvance(label) / 2, f.Y1 + s2h / 2, label);
    }
    if (timeAxis) {
        const QString axisTitle = Text(time_.DispType == 0 ? IDS_TIME_AXIS_SECONDS : IDS_TIME_AXIS_CLOCK);
        const int w = fm.horizontalAdvance(axisTitle);
        TextOut(p, fm, f.X0 + (f.X1 - w - f.X0) / 2, f.Y1 + fm.height() + s2h / 2, axisTitle);
    }

    for (const auto& [t, label] : valueTicks) {
        const int y = MapToPixel(t, ymax_, ymin_, f.Y0, f.Y1);
        if (f.Y0 < y && y < f.Y1 - 1) {
            p.setPen(grid);
            LineTo(p, f.X0 + 1, y, f.X1 - 1, y);
        }
        TextOut(p, fm, f.X0 - fm.horizontalAdvance(label) - 2, y - fm.height() / 2, label);
    }
    if (noData_ || emptyGraph_) {
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
    // unless the time axis is empty and gives the point no place. Like the
    // curve it stays inside the frame's outline: at the axis start only its
    // inner half shows.
    if (!lineDrawn && curve.size() == 1 && xmax_ > xmin_) {
        const QPoint point = curve.first();
        p.fillRect(QRect(point.x() - kPointRadius, point.y() - kPointRadius, 2 * kPointRadius + 1,
                         2 * kPointRadius + 1),
                   QColorFromRef(kSeriesColour));
    }
    p.restore();
}

}  // namespace kelp
