#include "ui/graphs/DepthGraph.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/graphs/AxisScale.h"
#include "ui/graphs/GraphPicture.h"
#include "ui/main/ColorLamp.h"

namespace kelp {

namespace {

// Text on a white box filling `box`, centred, as the window's labels show it.
void DrawBoxedText(QPainter& painter, const QRect& box, const QString& text) {
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

CDepthGraph::AddResult CDepthGraph::AddSeries(const CMeasDataSet& data) {
    if (data.GetCount() == 0) {
        return AddResult::Empty;
    }
    if (series_.size() >= static_cast<std::size_t>(kDepthMaxSeries)) {
        return AddResult::Full;
    }
    const int depthSlot = data.FindSlot(kDepthElement);
    bool hasDepth = false;
    for (int u = 0; depthSlot >= 0 && u < kUnitCount; ++u) {
        hasDepth = hasDepth || data.GetStats(depthSlot, u).Count > 0;
    }
    if (!hasDepth) {
        return AddResult::NoDepth;
    }
    auto series = std::make_unique<CDepthSeries>();
    if (!series->data.IsReserved()) {
        return AddResult::NoMemory;
    }
    series->data.CopyFrom(data);
    if (series->data.GetName().empty()) {
        series->data.SetName(LoadText(IDS_MEASURED_DATA));
    }
    series_.push_back(std::move(series));
    return AddResult::Added;
}

void CDepthGraph::RemoveSeries(int position) {
    if (position >= 0 && position < SeriesCount()) {
        series_.erase(series_.begin() + position);
    }
}

int CDepthGraph::FittedUnit(int element, int unit) {
    return unit < UnitCount(element) ? unit : 0;
}

CDepthGraph::Choice CDepthGraph::DefaultChoice() const {
    Choice choice;
    if (series_.empty()) {
        return choice;
    }
    const CMeasDataSet& first = series_.front()->data;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int e = first.GetElement(slot);
        if (e == kDepthElement) {
            choice.depthUnit = first.GetUnit(slot, 0);
        } else if (e != kNoElement && choice.element == kNoElement) {
            choice.element = e;
            choice.unit = first.GetUnit(slot, 0);
        }
    }
    choice.unit = FittedUnit(choice.element, choice.unit);
    choice.depthUnit = FittedUnit(kDepthElement, choice.depthUnit);
    return choice;
}

void CDepthGraph::SelectDefaults() {
    if (series_.empty()) {
        return;
    }
    const Choice choice = DefaultChoice();
    Select(choice.element, choice.unit, choice.depthUnit);
}

void CDepthGraph::Select(int element, int unit, int depthUnit) {
    element_ = element;
    unit_ = unit;
    depthUnit_ = depthUnit;
    Recompute();
}

void CDepthGraph::Recompute() {
    double maxDepth = -1.0;
    for (const auto& s : series_) {
        maxDepth = std::max(maxDepth, s->data.GetMaxByElement(kDepthElement, depthUnit_));
    }
    scale_ = ChooseDepthScale(depthUnit_, maxDepth);

    decimals_ = 0;
    minimum_ = 999999.0;
    maximum_ = -999999.0;
    used_ = false;
    for (const auto& s : series_) {
        if (element_ == kNoElement) {
            s->binMean.fill(0.0);
            s->binCount.fill(0);
            continue;
        }
        const CDepthSeries::BinResult r = s->Rebin(scale_.step, depthUnit_, element_, unit_);
        if (r.used > 0) {
            used_ = true;
            minimum_ = std::min(minimum_, r.minimum);
            maximum_ = std::max(maximum_, r.maximum);
            decimals_ = std::max(decimals_, r.decimals);
        }
    }
    thresholdCount_ = 0;
    thresholds_.fill(0);
    if (used_) {
        thresholdCount_ = ComputeThresholds(minimum_, maximum_, decimals_, thresholds_);
    }
}

std::optional<QColor> CDepthGraph::BinColour(int series, int bin) const {
    const CDepthSeries& s = *series_[static_cast<std::size_t>(series)];
    if (s.binCount[static_cast<std::size_t>(bin)] == 0) {
        return std::nullopt;
    }
    const int index =
        ColourIndexOf(s.binMean[static_cast<std::size_t>(bin)], decimals_, thresholds_, thresholdCount_);
    return QColorFromRef(kDepthColours[static_cast<std::size_t>(index)]);
}

std::string CDepthGraph::LevelText(int boundary) const {
    if (!used_ || thresholdCount_ == 0) {
        return {};
    }
    // Equal values have one boundary, the value itself; otherwise the
    // smallest value tops the scale and the largest ends it below the last
    // colour in use.
    const bool ends = minimum_ != maximum_;
    if (ends && boundary == 0) {
        return FormatAxisValue(minimum_, decimals_);
    }
    if (boundary >= 1 && boundary <= thresholdCount_) {
        return FormatAxisValue(
            thresholds_[static_cast<std::size_t>(boundary - 1)] * std::pow(10.0, -decimals_), decimals_);
    }
    // Below fewer than 16 boundaries the last one is the largest value
    // already; below 16 the last colour reaches on to it.
    if (ends && boundary == thresholdCount_ + 1) {
        const std::string largest = FormatAxisValue(maximum_, decimals_);
        return largest != LevelText(thresholdCount_) ? largest : std::string();
    }
    return {};
}

std::string CDepthGraph::UnitText() const {
    if (element_ == kNoElement || series_.empty()) {
        return {};
    }
    const int id = UnitTextId(element_, unit_);
    return id == IDS_UNIT_NONE ? std::string() : LoadText(id);
}

std::string CDepthGraph::CaptionText() const {
    return LoadText(ElementNameId(kDepthElement)) + "\n[" + LoadText(UnitTextId(kDepthElement, depthUnit_)) +
           "]";
}

bool CDepthGraph::HasDepthInUnit() const {
    for (const auto& s : series_) {
        const int slot = s->data.FindSlot(kDepthElement);
        if (slot >= 0 && s->data.GetStats(slot, depthUnit_).Count > 0) {
            return true;
        }
    }
    return false;
}

int CDepthGraph::MessageId() const {
    if (series_.empty()) {
        return 0;
    }
    if (!HasDepthInUnit()) {
        return IDS_DEPTH_NO_DEPTH_UNIT;
    }
    return used_ || element_ == kNoElement ? 0 : IDS_DEPTH_NO_VALUES;
}

std::string CDepthGraph::PictureTitle() const {
    std::string title = LoadDialogTitle(IDD_DEPTH_GRAPH);
    if (element_ != kNoElement && !series_.empty()) {
        title += "  " + LoadText(ElementNameId(element_));
        const std::string unit = UnitText();
        if (!unit.empty()) {
            title += " [" + unit + "]";
        }
    }
    return title;
}

int CDepthGraph::RowHeight(const QRect& g, const QRect& l) {
    return static_cast<int>(std::ceil((RectBottom(g) - l.top()) / static_cast<double>(kDepthRows)));
}

int CDepthGraph::ColumnWidth(const QRect& g, const QRect& n) {
    return (RectRight(g) - n.left()) / kDepthMaxSeries;
}

void CDepthGraph::DrawMap(QPainter& painter, const QRect& g, const QRect& l, const QRect& n) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(g, Qt::white);
    painter.setPen(Qt::black);

    const int w = ColumnWidth(g, n);
    int x = n.left();
    for (std::size_t k = 1; k <= series_.size(); ++k) {
        char text[16];
        std::snprintf(text, sizeof text, "%2d", static_cast<int>(k));
        painter.drawText(QRect(x, n.top(), w - 5, n.height()), Qt::AlignCenter | Qt::TextSingleLine,
                         QString::fromLatin1(text));
        x += w;
    }

    const int h = RowHeight(g, l);
    const int half = h / 2;
    const char* format = ValueFormat(scale_.formatIndex);
    int top = l.top();
    for (int i = 0; i < kDepthRows; ++i) {
        const QRect cell(l.left(), top, l.width(), h);
        painter.setBrush(Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine,
                         QString::fromStdString(FormatWith(format, 2 * i * scale_.step)));
        x = n.left();
        for (std::size_t s = 0; s < series_.size(); ++s) {
            for (int part = 0; part < 2; ++part) {
                const std::optional<QColor> colour = BinColour(static_cast<int>(s), 2 * i + part);
                if (colour) {
                    painter.fillRect(QRect(x, top + part * half, w - 5, half), *colour);
                }
            }
            x += w;
        }
        top += h - 1;
    }

    // A map without a coloured cell says why.
    if (const int id = MessageId(); id != 0) {
        const QString text = QString::fromStdString(LoadText(id));
        const QRect cells(QPoint(n.left(), l.top()), QPoint(g.right(), g.bottom()));
        const QFontMetrics fm = painter.fontMetrics();
        const QRect box =
            fm.boundingRect(cells.adjusted(8, 0, -8, 0), Qt::AlignCenter | Qt::TextWordWrap, text)
                .adjusted(-6, -4, 6, 4);
        painter.fillRect(box, Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
    }
    painter.restore();
}

void CDepthGraph::Render(QPainter& painter, const QRect& rect, const QFont& font,
                         const QString& title) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(PixelFont(font));
    painter.translate(rect.topLeft());
    const TemplateScale ts{kTemplateWidth, kTemplateHeight, rect.width(), rect.height()};
    painter.fillRect(QRect(QPoint(0, 0), rect.size()), QColorFromRef(ButtonFaceColour()));

    const QRect g = ts.Map(kFrame);
    DrawMap(painter, g, ts.Map(kRowLabel), ts.Map(kColumnNumber));
    DrawBoxedText(painter, ts.Map(kCaption), QString::fromStdString(CaptionText()));

    // The title where the window has its lists.
    const QRect titleRow = ts.Map(kComponent);
    painter.setPen(Qt::black);
    painter.drawText(
        QRect(titleRow.left(), titleRow.top(), RectRight(g) - titleRow.left(), g.top() - titleRow.top()),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title);

    // The legend.
    painter.drawText(ts.Map(kLegendUnit), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdString(UnitText()));
    for (int k = 0; k < 17; ++k) {
        painter.fillRect(ts.Map(SwatchRect(k)), QColorFromRef(kDepthColours[static_cast<std::size_t>(k)]));
    }
    for (int b = 0; b <= kDepthThresholds + 1; ++b) {
        const std::string text = LevelText(b);
        if (!text.empty()) {
            DrawBoxedText(painter, ts.Map(LevelRect(b)), QString::fromStdString(text));
        }
    }

    // The series, named as in the window's list.
    const QRect list = ts.Map(kSeriesList);
    painter.fillRect(list, Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(list.adjusted(0, 0, -1, -1));
    const int line = painter.fontMetrics().height();
    for (int i = 0; i < SeriesCount(); ++i) {
        const QRect row(list.left() + 4, list.top() + 2 + i * line, list.width() - 8, line);
        if (RectBottom(row) > RectBottom(list)) {
            break;
        }
        painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::fromStdString(Series(i).ListText(i)));
    }
    painter.restore();
}

}  // namespace kelp
