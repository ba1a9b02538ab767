#include "ui/graphs/DepthGraphDlg.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/main/ColorLamp.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

// The template's client area in dialog units; controls are placed by
// scaling their template rectangles to the client area the window has.
constexpr int kTemplateWidth = 415;
constexpr int kTemplateHeight = 362;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

constexpr TemplateRect kSwatchFirst{40, 5, 21, 10};
constexpr TemplateRect kLevelFirst{13, 10, 26, 10};
constexpr TemplateRect kLevelSpare{13, 172, 26, 11};
constexpr TemplateRect kComponent{81, 11, 79, 130};
constexpr TemplateRect kComponentUnit{165, 11, 48, 104};
// The caption of the depth-unit list reaches left to the unit list so that
// longer captions (English) fit; it ends where the template's does.
constexpr TemplateRect kDepthUnitLabel{216, 13, 50, 8};
constexpr TemplateRect kDepthUnit{272, 11, 48, 118};
constexpr TemplateRect kFrame{82, 28, 326, 327};
constexpr TemplateRect kCaption{86, 36, 26, 8};
constexpr TemplateRect kRowLabel{86, 45, 26, 10};
constexpr TemplateRect kColumnNumber{116, 33, 15, 8};
constexpr TemplateRect kSeriesList{8, 177, 69, 163};
constexpr TemplateRect kAdd{7, 341, 31, 14};
constexpr TemplateRect kDelete{45, 341, 31, 14};

}  // namespace

CDepthGraphDlg::CDepthGraphDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(IDD_DEPTH_GRAPH));
    setWindowTitle(Utf8(LoadDialogTitle(IDD_DEPTH_GRAPH)));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildControls();
}

CDepthGraphDlg::~CDepthGraphDlg() = default;

void CDepthGraphDlg::BuildControls() {
    auto* menuBar = new QMenuBar(this);
    fileMenu_ = menuBar->addMenu(Utf8(LoadMenuText(IDR_MENU_DEPTH, ID_POPUP_GRAPH_FILE)));
    addAction_ = fileMenu_->addAction(Utf8(LoadMenuText(IDR_MENU_DEPTH, ID_ADD_SERIES)));
    addAction_->setObjectName(QString::number(ID_ADD_SERIES));
    QAction* close = fileMenu_->addAction(Utf8(LoadMenuText(IDR_MENU_DEPTH, ID_CLOSE_GRAPH)));
    close->setObjectName(QString::number(ID_CLOSE_GRAPH));
    connect(addAction_, &QAction::triggered, this, &CDepthGraphDlg::OnAddFile);
    connect(close, &QAction::triggered, this, &CDepthGraphDlg::OnCloseGraph);
    // The menu items follow the button state whenever the menu opens.
    connect(fileMenu_, &QMenu::aboutToShow, this, &CDepthGraphDlg::UpdateMenu);

    // The window keeps the size the design gives it: 800 x 600 pixels.
    setFixedSize(kWindowWidth, kWindowHeight);
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, kWindowWidth, menuHeight);
    client_ = new QWidget(this);
    client_->setGeometry(0, menuHeight, kWindowWidth, kWindowHeight - menuHeight);
    const TemplateScale ts{kTemplateWidth, kTemplateHeight, client_->width(), client_->height()};

    // The graph is painted by the client area itself, under the controls
    // that stand inside the frame (the depth caption).
    graphFrame_ = new QWidget(client_);
    graphFrame_->setObjectName(QString::number(IDC_DEPTH_FRAME));
    graphFrame_->setGeometry(ts.Map(kFrame));
    graphFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    client_->installEventFilter(this);

    for (int k = 0; k < 17; ++k) {
        auto* swatch = new CColorLamp(client_);
        swatch->setObjectName(QString::number(IDC_DEPTH_SWATCH_FIRST + k));
        swatch->setGeometry(ts.Map(kSwatchFirst.Shifted(0, 10 * k)));
        swatch->SetBackgroundColour(kDepthColours[static_cast<std::size_t>(k)]);
        swatch->setText(QString());
        swatches_[static_cast<std::size_t>(k)] = swatch;

        auto* level = new CColorLamp(client_);
        const bool spare = k == 16;
        level->setObjectName(QString::number(spare ? IDC_DEPTH_LEVEL_SPARE : IDC_DEPTH_LEVEL_FIRST + k));
        level->setGeometry(ts.Map(spare ? kLevelSpare : kLevelFirst.Shifted(0, 10 * k)));
        level->setAlignment(Qt::AlignCenter);
        level->SetBackgroundColour(0xFFFFFF);
        level->setText(QString());
        level->setVisible(!spare);
        levelLabels_[static_cast<std::size_t>(k)] = level;
    }

    componentList_ = new QComboBox(client_);
    componentList_->setObjectName(QString::number(IDC_DEPTH_COMPONENT));
    componentList_->setGeometry(ts.MapCombo(kComponent));
    componentList_->setEnabled(false);
    componentUnitList_ = new QComboBox(client_);
    componentUnitList_->setObjectName(QString::number(IDC_DEPTH_COMPONENT_UNIT));
    componentUnitList_->setGeometry(ts.MapCombo(kComponentUnit));
    componentUnitList_->setEnabled(false);
    auto* unitLabel = new QLabel(Utf8(LoadCaption(IDD_DEPTH_GRAPH, IDC_LABEL_DEPTH_UNIT)), client_);
    unitLabel->setObjectName(QString::number(IDC_LABEL_DEPTH_UNIT));
    unitLabel->setGeometry(ts.Map(kDepthUnitLabel));
    unitLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    depthUnitList_ = new QComboBox(client_);
    depthUnitList_->setObjectName(QString::number(IDC_DEPTH_UNIT));
    depthUnitList_->setGeometry(ts.MapCombo(kDepthUnit));
    depthUnitList_->setEnabled(false);

    depthCaption_ = new CColorLamp(client_);
    depthCaption_->setObjectName(QString::number(IDC_DEPTH_CAPTION));
    depthCaption_->setGeometry(ts.Map(kCaption));
    depthCaption_->setAlignment(Qt::AlignCenter);
    depthCaption_->SetBackgroundColour(0xFFFFFF);
    depthCaption_->setText(Utf8(LoadText(ElementNameId(kDepthElement))));

    rowLabelTemplate_ = new QWidget(client_);
    rowLabelTemplate_->setObjectName(QString::number(IDC_DEPTH_ROW_LABEL));
    rowLabelTemplate_->setGeometry(ts.Map(kRowLabel));
    rowLabelTemplate_->hide();
    columnNumberTemplate_ = new QWidget(client_);
    columnNumberTemplate_->setObjectName(QString::number(IDC_DEPTH_COLUMN_NO));
    columnNumberTemplate_->setGeometry(ts.Map(kColumnNumber));
    columnNumberTemplate_->hide();

    seriesList_ = new QTreeWidget(client_);
    seriesList_->setObjectName(QString::number(IDC_DEPTH_SERIES_LIST));
    seriesList_->setGeometry(ts.Map(kSeriesList));
    seriesList_->setColumnCount(1);
    seriesList_->setHeaderLabels({QStringLiteral("No.")});
    seriesList_->setHeaderHidden(true);
    seriesList_->setRootIsDecorated(false);
    seriesList_->setSelectionMode(QAbstractItemView::SingleSelection);
    seriesList_->setColumnWidth(0, 50);

    addButton_ = new QPushButton(Utf8(LoadCaption(IDD_DEPTH_GRAPH, IDC_DEPTH_ADD)), client_);
    addButton_->setObjectName(QString::number(IDC_DEPTH_ADD));
    addButton_->setGeometry(ts.Map(kAdd));
    addButton_->setAutoDefault(false);
    deleteButton_ = new QPushButton(Utf8(LoadCaption(IDD_DEPTH_GRAPH, IDC_DEPTH_DELETE)), client_);
    deleteButton_->setObjectName(QString::number(IDC_DEPTH_DELETE));
    deleteButton_->setGeometry(ts.Map(kDelete));
    deleteButton_->setAutoDefault(false);
    deleteButton_->setEnabled(false);
    connect(addButton_, &QPushButton::clicked, this, &CDepthGraphDlg::OnAddFile);
    connect(deleteButton_, &QPushButton::clicked, this, &CDepthGraphDlg::OnDeleteSeries);

    for (int u = 0; u < kUnitCount; ++u) {
        const int id = UnitTextId(kDepthElement, u);
        if (id == IDS_UNIT_NONE) {
            break;
        }
        depthUnitList_->addItem(Utf8(LoadText(id)));
    }
    depthUnitList_->setCurrentIndex(0);
    connect(componentList_, &QComboBox::currentIndexChanged, this, &CDepthGraphDlg::OnComponentChange);
    connect(componentUnitList_, &QComboBox::currentIndexChanged, this,
            &CDepthGraphDlg::OnComponentUnitChange);
    connect(depthUnitList_, &QComboBox::currentIndexChanged, this, &CDepthGraphDlg::OnDepthUnitChange);

    startClient_ = client_->size();
    startFrame_ = graphFrame_->geometry();
    startSeriesList_ = seriesList_->geometry();
    startAdd_ = addButton_->geometry();
    startDelete_ = deleteButton_->geometry();
    rememberedUnits_.fill(0);
    initialised_ = true;
}

void CDepthGraphDlg::SetGraphFont(const QFont* font) {
    if (font == nullptr) {
        return;
    }
    font_ = std::make_unique<QFont>(*font);
    setFont(*font_);
    RebuildSeriesList();
    client_->update();
}

QFont CDepthGraphDlg::DrawingFont() const {
    return font_ ? *font_ : font();
}

int CDepthGraphDlg::RememberedUnit(int element) const {
    return element >= 0 && element < kElementCount ? rememberedUnits_[static_cast<std::size_t>(element)] : 0;
}

void CDepthGraphDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // Added once the window stands on the screen, so that a refusal
        // (message 2014) appears over it.
        QTimer::singleShot(0, this, &CDepthGraphDlg::OnShow);
    }
}

void CDepthGraphDlg::OnShow() {
    if (initialData_ != nullptr) {
        const CMeasDataSet* data = initialData_;
        initialData_ = nullptr;
        AddSeries(*data);
    }
}

bool CDepthGraphDlg::AddSeries(const CMeasDataSet& data) {
    if (data.GetCount() == 0) {
        return false;
    }
    if (series_.size() >= static_cast<std::size_t>(kDepthMaxSeries)) {
        return false;
    }
    const int depthSlot = data.FindSlot(kDepthElement);
    bool hasDepth = false;
    for (int u = 0; depthSlot >= 0 && u < kUnitCount; ++u) {
        hasDepth = hasDepth || data.GetStats(depthSlot, u).Count > 0;
    }
    if (!hasDepth) {
        ShowMessage(this, IDS_NO_DEPTH, MB_ICONSTOP);
        return false;
    }
    auto series = std::make_unique<CDepthSeries>();
    if (!series->data.IsReserved()) {
        ShowMessage(this, IDS_MEMORY_FAILED, MB_ICONSTOP);
        return false;
    }
    series->data.CopyFrom(data);
    if (series->data.GetName().empty()) {
        series->data.SetName(LoadText(IDS_MEASURED_DATA));
    }
    const bool first = series_.empty();
    series_.push_back(std::move(series));
    if (first) {
        SetupComponentLists();
    }
    RebuildSeriesList();
    Recompute();
    return true;
}

void CDepthGraphDlg::OnAddFile() {
    if (series_.size() >= static_cast<std::size_t>(kDepthMaxSeries)) {
        return;
    }
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
        scratch_.SetName(path);
        AddSeries(scratch_);
    }
    scratch_.Clear();
}

void CDepthGraphDlg::OnDeleteSeries() {
    const QList<QTreeWidgetItem*> selected = seriesList_->selectedItems();
    if (series_.empty() || selected.isEmpty()) {
        return;
    }
    const int position = seriesList_->indexOfTopLevelItem(selected.front());
    if (position < 0 || position >= static_cast<int>(series_.size())) {
        return;
    }
    series_.erase(series_.begin() + position);
    if (series_.empty()) {
        const QSignalBlocker a(componentList_);
        const QSignalBlocker b(componentUnitList_);
        const QSignalBlocker c(depthUnitList_);
        componentList_->clear();
        componentUnitList_->clear();
        componentList_->setEnabled(false);
        componentUnitList_->setEnabled(false);
        depthUnitList_->setEnabled(false);
    } else if (position == 0) {
        SetupComponentLists();
    }
    RebuildSeriesList();
    Recompute();
}

void CDepthGraphDlg::OnCloseGraph() {
    close();
}

void CDepthGraphDlg::SetupComponentLists() {
    const CMeasDataSet& first = series_.front()->data;
    const QSignalBlocker a(componentList_);
    const QSignalBlocker b(depthUnitList_);
    componentList_->setEnabled(true);
    componentUnitList_->setEnabled(true);
    depthUnitList_->setEnabled(true);
    componentList_->clear();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int element = first.GetElement(slot);
        if (element <= kNoElement || element >= kElementCount) {
            continue;
        }
        rememberedUnits_[static_cast<std::size_t>(element)] = first.GetUnit(slot, 0);
        if (element != kDepthElement) {
            componentList_->addItem(Utf8(LoadText(ElementNameId(element))), element);
        }
    }
    if (componentList_->count() > 0) {
        componentList_->setCurrentIndex(0);
        elementPosition_ = 0;
        element_ = componentList_->itemData(0).toInt();
    } else {
        // Only depth in the data: nothing to colour, and no units to offer.
        elementPosition_ = -1;
        element_ = kNoElement;
    }
    FillUnitList();
    depthUnit_ = rememberedUnits_[kDepthElement];
    if (depthUnit_ >= depthUnitList_->count()) {
        depthUnit_ = 0;
    }
    depthUnitList_->setCurrentIndex(depthUnit_);
}

void CDepthGraphDlg::FillUnitList() {
    const QSignalBlocker block(componentUnitList_);
    componentUnitList_->clear();
    if (element_ != kNoElement) {
        for (int u = 0; u < kUnitCount; ++u) {
            const int id = UnitTextId(element_, u);
            if (id == IDS_UNIT_NONE) {
                break;
            }
            componentUnitList_->addItem(Utf8(LoadText(id)));
        }
    }
    const int remembered = RememberedUnit(element_);
    componentUnit_ = remembered < componentUnitList_->count() ? remembered : 0;
    componentUnitList_->setCurrentIndex(componentUnitList_->count() > 0 ? componentUnit_ : -1);
}

void CDepthGraphDlg::OnComponentChange(int index) {
    if (index < 0 || index == elementPosition_) {
        return;
    }
    elementPosition_ = index;
    element_ = componentList_->itemData(index).toInt();
    FillUnitList();
    Recompute();
}

void CDepthGraphDlg::OnComponentUnitChange(int index) {
    if (index < 0 || index == componentUnit_) {
        return;
    }
    componentUnit_ = index;
    if (element_ > kNoElement && element_ < kElementCount) {
        rememberedUnits_[static_cast<std::size_t>(element_)] = index;
    }
    Recompute();
}

void CDepthGraphDlg::OnDepthUnitChange(int index) {
    if (index < 0 || index == depthUnit_) {
        return;
    }
    depthUnit_ = index;
    rememberedUnits_[kDepthElement] = index;
    Recompute();
}

void CDepthGraphDlg::RebuildSeriesList() {
    seriesList_->clear();
    int width = 10;
    const QFontMetrics metrics(seriesList_->font());
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const QString text = Utf8(series_[i]->ListText(static_cast<int>(i)));
        seriesList_->addTopLevelItem(new QTreeWidgetItem(QStringList{text}));
        width = std::max(width, metrics.horizontalAdvance(text) + 20);
    }
    seriesList_->setColumnWidth(0, width);
    addButton_->setEnabled(series_.size() < static_cast<std::size_t>(kDepthMaxSeries));
    deleteButton_->setEnabled(!series_.empty());
    UpdateMenu();
}

void CDepthGraphDlg::UpdateMenu() {
    addAction_->setEnabled(addButton_->isEnabled());
}

void CDepthGraphDlg::Recompute() {
    double maxDepth = -1.0;
    for (const auto& s : series_) {
        maxDepth = std::max(maxDepth, s->data.GetMaxByElement(kDepthElement, depthUnit_));
    }
    scale_ = ChooseDepthScale(depthUnit_, maxDepth);

    decimals_ = 0;
    double minimum = 999999.0;
    double maximum = -999999.0;
    bool used = false;
    for (const auto& s : series_) {
        if (element_ == kNoElement) {
            s->binMean.fill(0.0);
            s->binCount.fill(0);
            continue;
        }
        const CDepthSeries::BinResult r = s->Rebin(scale_.step, depthUnit_, element_, componentUnit_);
        if (r.used > 0) {
            used = true;
            minimum = std::min(minimum, r.minimum);
            maximum = std::max(maximum, r.maximum);
            decimals_ = std::max(decimals_, r.decimals);
        }
    }
    thresholdCount_ = 0;
    thresholds_.fill(0);
    if (used) {
        thresholdCount_ = ComputeThresholds(minimum, maximum, decimals_, thresholds_);
    }
    const double unit = std::pow(10.0, -decimals_);
    for (int i = 0; i < kDepthThresholds; ++i) {
        QString text;
        if (i < thresholdCount_) {
            text = QString::fromStdString(FormatWith(ValueFormat(decimals_), thresholds_[i] * unit));
        }
        levelLabels_[static_cast<std::size_t>(i)]->setText(text);
    }
    client_->update(graphFrame_->geometry());
}

std::optional<QColor> CDepthGraphDlg::BinColour(int series, int bin) const {
    const CDepthSeries& s = *series_[static_cast<std::size_t>(series)];
    if (s.binCount[static_cast<std::size_t>(bin)] == 0) {
        return std::nullopt;
    }
    const int index =
        ColourIndexOf(s.binMean[static_cast<std::size_t>(bin)], decimals_, thresholds_, thresholdCount_);
    return QColorFromRef(kDepthColours[static_cast<std::size_t>(index)]);
}

int CDepthGraphDlg::RowHeight(const QRect& g, const QRect& l) {
    return static_cast<int>(std::ceil((RectBottom(g) - l.top()) / static_cast<double>(kDepthRows)));
}

int CDepthGraphDlg::ColumnWidth(const QRect& g, const QRect& n) {
    return (RectRight(g) - n.left()) / kDepthMaxSeries;
}

void CDepthGraphDlg::DrawGraph(QPainter& painter, const QRect& g, const QRect& l, const QRect& n) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(DrawingFont());
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
        painter.setPen(Qt::black);
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
    painter.restore();
}

QRect CDepthGraphDlg::GraphFrameRect() const {
    return graphFrame_->geometry();
}
QRect CDepthGraphDlg::RowLabelRect() const {
    return rowLabelTemplate_->geometry();
}
QRect CDepthGraphDlg::ColumnNumberRect() const {
    return columnNumberTemplate_->geometry();
}

QImage CDepthGraphDlg::RenderClient() const {
    QImage image(client_->size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter painter(&image);
    DrawGraph(painter, GraphFrameRect(), RowLabelRect(), ColumnNumberRect());
    return image;
}

bool CDepthGraphDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Paint) {
        QPainter painter(client_);
        DrawGraph(painter, GraphFrameRect(), RowLabelRect(), ColumnNumberRect());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CDepthGraphDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!initialised_) {
        return;
    }
    // Only the frame, the list and the two buttons follow the window.
    const int menuHeight = client_->y();
    client_->setGeometry(0, menuHeight, width(), height() - menuHeight);
    const int dx = client_->width() - startClient_.width();
    const int dy = client_->height() - startClient_.height();
    graphFrame_->setGeometry(startFrame_.adjusted(0, 0, dx, dy));
    addButton_->setGeometry(startAdd_.translated(0, dy));
    deleteButton_->setGeometry(startDelete_.translated(0, dy));
    seriesList_->setGeometry(startSeriesList_.adjusted(0, 0, 0, dy));
    client_->update();
}

}  // namespace kelp
