#include "ui/graphs/XYGraphDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <cmath>

#include "app/SettingsStore.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/graphs/AxisScale.h"
#include "ui/graphs/AxisSettingsDlg.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/main/ColorLamp.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

// A component name too long for its box is drawn narrower rather than cut.
void FitBoxText(QCheckBox* box) {
    box->setFont(QFont());  // the window's font again
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    // What the style draws besides the text: the indicator, spacing, margins.
    const int around =
        box->style()
            ->sizeFromContents(QStyle::CT_CheckBox, &option, QSize(0, box->fontMetrics().height()), box)
            .width();
    const int room = box->width() - around - 2;
    const int needed = box->fontMetrics().horizontalAdvance(box->text());
    if (room > 0 && needed > room) {
        QFont narrow = box->font();
        narrow.setStretch(std::max(60, 100 * room / needed));
        box->setFont(narrow);
    }
}

constexpr int kTemplateWidth = 378;
constexpr int kTemplateHeight = 363;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

constexpr TemplateRect kXLabel{7, 10, 50, 12};
constexpr TemplateRect kXList{7, 26, 60, 146};
constexpr TemplateRect kYLabel{7, 48, 50, 12};
constexpr TemplateRect kLegend{7, 64, 13, 186};
constexpr TemplateRect kBoxFirst{23, 68, 49, 10};
constexpr TemplateRect kYScaleLabel{7, 257, 30, 8};
constexpr TemplateRect kYScaleList{7, 269, 60, 124};
constexpr TemplateRect kSettings{14, 337, 45, 19};
constexpr TemplateRect kFrame{75, 3, 296, 353};

// Pixel of v as MapToPixel gives it, kept in double precision when the
// value lies so far outside the axis that the pixel would not fit an int
// (fixed bounds far from the data); such points are clipped anyway.
double PixelOf(double v, double a, double b, int p0, int p1) {
    if (b - a == 0.0) {
        return p0;
    }
    const double d = p1 - p0;
    const double f = std::trunc((v - a) * d / (b - a));
    if (std::fabs(f) < 1.0e8) {
        return MapToPixel(v, a, b, p0, p1);
    }
    return d > 0 ? p0 + f : p1 - f;
}

TextExtent Measure(const QFontMetrics& metrics, const std::string& text) {
    return {metrics.horizontalAdvance(Utf8(text)), metrics.height()};
}

}  // namespace

CXYGraphDlg::CXYGraphDlg(const CSettingsStore* store, QWidget* parent) : QDialog(parent), store_(store) {
    setObjectName(QString::number(IDD_XY_GRAPH));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(QApplication::windowIcon());
    setSizeGripEnabled(true);
    BuildControls();
    if (store_ != nullptr) {
        store_->ReadGraphSlots(kSettingsSection, settings_);
    }
    FillFromData();
    SetCaption();
    ComputeRanges();
}

CXYGraphDlg::~CXYGraphDlg() = default;

void CXYGraphDlg::BuildControls() {
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(Utf8(LoadMenuText(IDR_MENU_XY, ID_POPUP_GRAPH_FILE)));
    QAction* open = file->addAction(Utf8(LoadMenuText(IDR_MENU_XY, ID_OPEN_DATA_FILE)));
    open->setObjectName(QString::number(ID_OPEN_DATA_FILE));
    QAction* close = file->addAction(Utf8(LoadMenuText(IDR_MENU_XY, ID_CLOSE_GRAPH)));
    close->setObjectName(QString::number(ID_CLOSE_GRAPH));
    connect(open, &QAction::triggered, this, &CXYGraphDlg::OnOpenFile);
    connect(close, &QAction::triggered, this, &CXYGraphDlg::OnCloseGraph);

    resize(kWindowWidth, kWindowHeight);
    setMinimumSize(kWindowWidth, kWindowHeight);
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, kWindowWidth, menuHeight);
    client_ = new QWidget(this);
    client_->setGeometry(0, menuHeight, kWindowWidth, kWindowHeight - menuHeight);
    client_->installEventFilter(this);
    const TemplateScale ts{kTemplateWidth, kTemplateHeight, client_->width(), client_->height()};

    graphFrame_ = new QWidget(client_);
    graphFrame_->setObjectName(QString::number(IDC_XY_FRAME));
    graphFrame_->setGeometry(ts.Map(kFrame));
    graphFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    legend_ = new QWidget(client_);
    legend_->setObjectName(QString::number(IDC_XY_LEGEND));
    legend_->setGeometry(ts.Map(kLegend));
    legend_->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* xLabel = new QLabel(Utf8(LoadCaption(IDD_XY_GRAPH, IDC_LABEL_X_AXIS)), client_);
    xLabel->setObjectName(QString::number(IDC_LABEL_X_AXIS));
    xLabel->setGeometry(ts.Map(kXLabel));
    xList_ = new QComboBox(client_);
    xList_->setObjectName(QString::number(IDC_XY_COMPONENT));
    xList_->setGeometry(ts.MapCombo(kXList));
    auto* yLabel = new QLabel(Utf8(LoadCaption(IDD_XY_GRAPH, IDC_LABEL_Y_AXIS)), client_);
    yLabel->setObjectName(QString::number(IDC_LABEL_Y_AXIS));
    yLabel->setGeometry(ts.Map(kYLabel));
    for (int k = 0; k < 13; ++k) {
        auto* box = new QCheckBox(client_);
        box->setObjectName(QString::number(kXYCheckIds[k]));
        // The box reaches to just before the graph frame: long English
        // names ("Specific Gravity") need the room.
        QRect boxRect = ts.Map(kBoxFirst.Shifted(0, 14 * k));
        boxRect.setRight(graphFrame_->geometry().left() - 4);
        box->setGeometry(boxRect);
        connect(box, &QCheckBox::clicked, this, &CXYGraphDlg::OnComponentCheck);
        boxes_[static_cast<std::size_t>(k)] = box;
    }
    auto* yScaleLabel = new QLabel(Utf8(LoadCaption(IDD_XY_GRAPH, IDC_LABEL_Y_SCALE)), client_);
    yScaleLabel->setObjectName(QString::number(IDC_LABEL_Y_SCALE));
    yScaleLabel->setGeometry(ts.Map(kYScaleLabel));
    yScaleList_ = new QComboBox(client_);
    yScaleList_->setObjectName(QString::number(IDC_XY_Y_SCALE));
    yScaleList_->setGeometry(ts.MapCombo(kYScaleList));
    settingsButton_ = new QPushButton(Utf8(LoadCaption(IDD_XY_GRAPH, IDC_XY_SETTINGS)), client_);
    settingsButton_->setObjectName(QString::number(IDC_XY_SETTINGS));
    settingsButton_->setGeometry(ts.Map(kSettings));
    settingsButton_->setAutoDefault(false);

    connect(xList_, &QComboBox::currentIndexChanged, this, &CXYGraphDlg::OnXComponentChange);
    connect(yScaleList_, &QComboBox::currentIndexChanged, this, &CXYGraphDlg::OnYScaleChange);
    connect(settingsButton_, &QPushButton::clicked, this, &CXYGraphDlg::OnGraphSettings);

    startClient_ = client_->size();
    startFrame_ = graphFrame_->geometry();
    initialised_ = true;
}

void CXYGraphDlg::SetSourceData(const CMeasDataSet& source) {
    data_.Clear();
    if (source.GetCount() > 0) {
        data_.CopyFrom(source);
    }
    FillFromData();
    SetCaption();
    ComputeRanges();
    client_->update();
}

void CXYGraphDlg::SetGraphFont(const QFont* font) {
    if (font == nullptr) {
        return;
    }
    font_ = std::make_unique<QFont>(*font);
    setFont(*font_);
    for (QCheckBox* box : boxes_) {
        FitBoxText(box);
    }
    client_->update();
}

QFont CXYGraphDlg::DrawingFont() const {
    return font_ ? *font_ : font();
}

void CXYGraphDlg::FillFromData() {
    const QSignalBlocker a(xList_);
    const QSignalBlocker b(yScaleList_);
    xList_->clear();
    yScaleList_->clear();
    xList_->setEnabled(false);
    yScaleList_->setEnabled(false);
    for (std::size_t k = 0; k < 13; ++k) {
        boxes_[k]->setText(Utf8(LoadText(IDS_ELM_NONE)));
        boxes_[k]->setEnabled(false);
        boxes_[k]->setChecked(false);
        checked_[k] = 0;
    }
    xSlot_ = 0;
    yScaleSlot_ = -1;
    if (data_.GetCount() > 0) {
        xList_->setEnabled(true);
        yScaleList_->setEnabled(true);
        // The X slot is the first slot that holds a component (slot 0 for
        // instrument data). It never gets a box of its own, so every other
        // slot with a component starts enabled and checked, whichever slot
        // that is.
        int first = -1;
        for (int k = 0; k < 13; ++k) {
            if (data_.GetElement(k) != kNoElement) {
                first = first < 0 ? k : first;
            }
        }
        xSlot_ = first < 0 ? 0 : first;
        for (int k = 0; k < 13; ++k) {
            const std::size_t i = static_cast<std::size_t>(k);
            const int element = data_.GetElement(k);
            if (element == kNoElement) {
                settings_[i].YUnit = 0;
                continue;
            }
            xList_->addItem(Utf8(LoadText(ElementNameId(element))), k);
            const QString label = Utf8(OneLineLabel(LoadText(ElementLabelId(element))));
            boxes_[i]->setText(label);
            if (k != xSlot_) {
                boxes_[i]->setEnabled(true);
                boxes_[i]->setChecked(true);
                checked_[i] = 1;
                yScaleList_->addItem(label, k);
            }
            settings_[i].YUnit = std::clamp(data_.GetUnit(k, 0), 0, kUnitCount - 1);
        }
        if (yScaleList_->count() > 0) {
            yScaleSlot_ = yScaleList_->itemData(0).toInt();
        }
        xList_->setCurrentIndex(xList_->count() > 0 ? 0 : -1);
        yScaleList_->setCurrentIndex(yScaleList_->count() > 0 ? 0 : -1);
    }
    for (QCheckBox* box : boxes_) {
        FitBoxText(box);
    }
}

void CXYGraphDlg::SetCaption() {
    QString caption = Utf8(LoadText(IDS_XY_GRAPH_TITLE));
    const std::string tail = NameTail(data_.GetName());
    if (!tail.empty()) {
        caption += QStringLiteral(" [") + Utf8(tail) + QStringLiteral("]");
    }
    setWindowTitle(caption);
}

void CXYGraphDlg::OnXComponentChange(int index) {
    if (index < 0) {
        return;
    }
    const int slot = xList_->itemData(index).toInt();
    if (slot == xSlot_) {
        return;
    }
    QCheckBox* old = boxes_[static_cast<std::size_t>(xSlot_)];
    if (data_.GetElement(xSlot_) != kNoElement) {
        old->setEnabled(true);
        old->setChecked(true);
    }
    xSlot_ = slot;
    boxes_[static_cast<std::size_t>(slot)]->setEnabled(false);
    boxes_[static_cast<std::size_t>(slot)]->setChecked(false);
    RebuildYScaleList();
    OnComponentCheck();
}

void CXYGraphDlg::RebuildYScaleList() {
    const QSignalBlocker block(yScaleList_);
    yScaleList_->clear();
    yScaleList_->setEnabled(false);
    yScaleSlot_ = -1;
    if (data_.GetCount() == 0) {
        return;
    }
    yScaleList_->setEnabled(true);
    for (int k = 0; k < 13; ++k) {
        const int element = data_.GetElement(k);
        if (element != kNoElement && k != xSlot_) {
            yScaleList_->addItem(Utf8(LoadText(ElementNameId(element))), k);
        }
    }
    if (yScaleList_->count() > 0) {
        yScaleSlot_ = yScaleList_->itemData(0).toInt();
        yScaleList_->setCurrentIndex(0);
    }
}

void CXYGraphDlg::OnComponentCheck() {
    for (std::size_t k = 0; k < 13; ++k) {
        checked_[k] = boxes_[k]->isEnabled() && boxes_[k]->isChecked() ? 1 : 0;
    }
    ComputeRanges();
    client_->update();
}

void CXYGraphDlg::OnYScaleChange(int index) {
    if (index < 0) {
        return;
    }
    yScaleSlot_ = yScaleList_->itemData(index).toInt();
    client_->update();
}

void CXYGraphDlg::ComputeRanges() {
    min_.fill(0.0);
    max_.fill(10.0);
    count_.fill(0);
    const int n = data_.GetCount();
    if (n == 0) {
        return;
    }
    const std::size_t x = static_cast<std::size_t>(xSlot_);
    const SlotStats& xs = data_.GetStats(xSlot_, settings_[x].YUnit);
    count_[x] = xs.Count;
    if (count_[x] == 0) {
        return;
    }
    min_[x] = xs.Min;
    max_[x] = xs.Max;
    std::array<int, 13> unit{};
    for (std::size_t j = 0; j < 13; ++j) {
        unit[j] = settings_[j].YUnit;
    }
    for (int r = 0; r < n; ++r) {
        if (data_.GetUnit(xSlot_, r) != unit[x]) {
            continue;
        }
        for (int j = 0; j < 13; ++j) {
            const std::size_t i = static_cast<std::size_t>(j);
            if (j == xSlot_ || data_.GetUnit(j, r) != unit[i]) {
                continue;
            }
            const double v = data_.GetValue(j, r);
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
    for (std::size_t k = 0; k < 13; ++k) {
        if (count_[k] == 0) {
            continue;
        }
        if (settings_[k].YAuto != 0) {
            if (min_[k] == max_[k]) {
                const int d = data_.GetStats(static_cast<int>(k), settings_[k].YUnit).Decimals;
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

QRect CXYGraphDlg::PlotRect(const QRect& g) const {
    const QFontMetrics metrics(DrawingFont());
    const int aw = metrics.horizontalAdvance(QStringLiteral("999.999"));
    const int ah = metrics.height();
    const int bw = metrics.horizontalAdvance(QStringLiteral("99:99:99"));
    const int left = g.left() + aw + 4;
    const int top = g.top() + ah / 2 + 2 * ah;
    const int right = RectRight(g) - bw / 2;
    const int bottom = RectBottom(g) - 3 * ah - 2;
    return QRect(left, top, right - left, bottom - top);
}

std::string CXYGraphDlg::AxisTitle(int slot) const {
    const int element = data_.GetElement(slot);
    return LoadText(ElementNameId(element)) + " [" +
           LoadText(UnitTextId(element, settings_[static_cast<std::size_t>(slot)].YUnit)) + "]";
}

void CXYGraphDlg::DrawGraph(QPainter& painter, const QRect& s, const QRect& g,
                            const std::array<QRect, 13>& boxes) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(DrawingFont());

    painter.fillRect(s, Qt::white);
    for (std::size_t k = 0; k < 13; ++k) {
        QPen pen(QColorFromRef(kGraphPalette[k]), 3);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        const QRect& b = boxes[k];
        const int y = b.top() + (RectBottom(b) - b.top()) / 2 - 1;
        painter.drawLine(QPoint(s.left() + 3, y), QPoint(RectRight(s) - 4, y));
    }

    painter.fillRect(g, palette().color(QPalette::Button));
    const QRect p = PlotRect(g);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(p.adjusted(0, 0, -1, -1));

    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    DrawXAxis(painter, p);
    DrawYAxis(painter, g, p);

    if (data_.GetCount() > 0 && count_[static_cast<std::size_t>(xSlot_)] != 0) {
        for (int k = 0; k < 13; ++k) {
            if (checked_[static_cast<std::size_t>(k)] != 0 && k != xSlot_ && k != yScaleSlot_) {
                DrawPolyline(painter, k, p);
            }
        }
        if (yScaleSlot_ >= 0 && checked_[static_cast<std::size_t>(yScaleSlot_)] != 0) {
            DrawPolyline(painter, yScaleSlot_, p);
        }
    }
    painter.restore();
}

void CXYGraphDlg::DrawXAxis(QPainter& painter, const QRect& p) const {
    const std::size_t x = static_cast<std::size_t>(xSlot_);
    const double lo = min_[x];
    const double hi = max_[x];
    const int d = data_.GetCount() > 0 ? data_.GetStats(xSlot_, settings_[x].YUnit).Decimals : 0;
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
    if (data_.GetCount() > 0 && data_.GetElement(xSlot_) != kNoElement) {
        const QString title = Utf8(AxisTitle(xSlot_));
        const int width = metrics.horizontalAdvance(title);
        painter.setPen(Qt::black);
        painter.drawText(QRect(p.left() + (RectRight(p) - width - p.left()) / 2,
                               RectBottom(p) + metrics.height() + h, width, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, title);
    }
}

void CXYGraphDlg::DrawYAxis(QPainter& painter, const QRect& g, const QRect& p) const {
    double lo = 0.0;
    double hi = 10.0;
    int d = 0;
    if (yScaleSlot_ >= 0) {
        const std::size_t y = static_cast<std::size_t>(yScaleSlot_);
        lo = min_[y];
        hi = max_[y];
        d = FitDecimals(data_.GetStats(yScaleSlot_, settings_[y].YUnit).Decimals, lo, hi);
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
    if (yScaleSlot_ >= 0 && data_.GetCount() > 0) {
        const QString title = Utf8(AxisTitle(yScaleSlot_));
        painter.setPen(Qt::black);
        painter.drawText(QRect(g.left() + 5, p.top() - 2 * metrics.height(), metrics.horizontalAdvance(title),
                               metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, title);
    }
}

std::vector<QPointF> CXYGraphDlg::PolylinePoints(int k, const QRect& p) const {
    std::vector<QPointF> points;
    const std::size_t i = static_cast<std::size_t>(k);
    const std::size_t x = static_cast<std::size_t>(xSlot_);
    if (count_[i] == 0 || data_.GetCount() == 0) {
        return points;
    }
    const int xUnit = settings_[x].YUnit;
    const int kUnit = settings_[i].YUnit;
    const int n = data_.GetCount();
    points.reserve(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r) {
        if (!data_.IsValueValid(xSlot_, r) || data_.GetUnit(xSlot_, r) != xUnit ||
            data_.GetUnit(k, r) != kUnit) {
            continue;
        }
        points.emplace_back(PixelOf(data_.GetValue(xSlot_, r), min_[x], max_[x], p.left(), RectRight(p)),
                            PixelOf(data_.GetValue(k, r), max_[i], min_[i], p.top(), RectBottom(p)));
    }
    return points;
}

void CXYGraphDlg::DrawPolyline(QPainter& painter, int k, const QRect& p) const {
    const std::vector<QPointF> points = PolylinePoints(k, p);
    if (points.empty()) {
        return;
    }
    painter.save();
    painter.setClipRect(p.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(QColorFromRef(kGraphPalette[static_cast<std::size_t>(k)]), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    painter.restore();
}

QRect CXYGraphDlg::GraphFrameRect() const {
    return graphFrame_->geometry();
}
QRect CXYGraphDlg::LegendRect() const {
    return legend_->geometry();
}

std::array<QRect, 13> CXYGraphDlg::CheckBoxRects() const {
    std::array<QRect, 13> rects;
    for (std::size_t k = 0; k < 13; ++k) {
        rects[k] = boxes_[k]->geometry();
    }
    return rects;
}

QImage CXYGraphDlg::RenderClient() const {
    QImage image(client_->size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter painter(&image);
    DrawGraph(painter, LegendRect(), GraphFrameRect(), CheckBoxRects());
    return image;
}

bool CXYGraphDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Paint) {
        QPainter painter(client_);
        DrawGraph(painter, LegendRect(), GraphFrameRect(), CheckBoxRects());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CXYGraphDlg::OnGraphSettings() {
    if (!axisDlg_) {
        axisDlg_ = std::make_unique<CAxisSettingsDlg>(this);
        connect(axisDlg_.get(), &CAxisSettingsDlg::GraphApplied, this, &CXYGraphDlg::OnSettingsApplied,
                Qt::QueuedConnection);
        axisDlg_->SetFont(font_.get());
        axisDlg_->adjustSize();
        axisDlg_->move(geometry().center() - axisDlg_->rect().center());
    }
    axisDlg_->show();
    axisDlg_->SetSettings(&settings_, data_);
    axisDlg_->raise();
    axisDlg_->activateWindow();
}

void CXYGraphDlg::OnSettingsApplied() {
    ComputeRanges();
    client_->update();
}

void CXYGraphDlg::OnOpenFile() {
    const std::string path = AskOpenFileName(this);
    if (path.empty()) {
        return;
    }
    scratch_.Clear();
    const int result = LoadGraphDataFile(this, font_.get(), path, scratch_);
    if (result == kLoadOpenFailed) {
        ShowMessage(this, IDS_FILE_OPEN_FAILED, MB_ICONSTOP);
    } else if (result == kLoadFormatFailed) {
        ShowMessage(this, IDS_FILE_FORMAT_INVALID, MB_ICONSTOP);
    } else if (result == kLoadOk) {
        data_.Clear();
        data_.CopyFrom(scratch_);
        data_.SetName(path);
        FillFromData();
        SetCaption();
        ComputeRanges();
        client_->update();
        if (axisDlg_ && axisDlg_->isVisible()) {
            axisDlg_->SetSettings(&settings_, data_);
        }
    }
    scratch_.Clear();
}

void CXYGraphDlg::OnCloseGraph() {
    close();
}

void CXYGraphDlg::closeEvent(QCloseEvent* event) {
    // Only a close request keeps the settings; Escape leaves without one.
    if (store_ != nullptr) {
        store_->WriteGraphSlots(kSettingsSection, settings_);
    }
    QDialog::closeEvent(event);
}

void CXYGraphDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!initialised_) {
        return;
    }
    const int menuHeight = client_->y();
    client_->setGeometry(0, menuHeight, width(), height() - menuHeight);
    const int dx = client_->width() - startClient_.width();
    const int dy = client_->height() - startClient_.height();
    graphFrame_->setGeometry(startFrame_.adjusted(0, 0, dx, dy));
    client_->update();
}

}  // namespace kelp
