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

#include "app/SettingsStore.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/DialogText.h"
#include "ui/graphs/AxisSettingsDlg.h"
#include "ui/graphs/GraphPicture.h"
#include "ui/graphs/GraphWindowUtil.h"
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

}  // namespace

CXYGraphDlg::CXYGraphDlg(const CSettingsStore* store, QWidget* parent) : QDialog(parent), store_(store) {
    graph_.SetData(&data_);
    setObjectName(QString::number(IDD_XY_GRAPH));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(QApplication::windowIcon());
    setSizeGripEnabled(true);
    BuildControls();
    if (store_ != nullptr) {
        store_->ReadGraphSlots(kSettingsSection, graph_.Settings());
    }
    FillFromData();
    SetCaption();
}

CXYGraphDlg::~CXYGraphDlg() = default;

void CXYGraphDlg::BuildControls() {
    auto* menuBar = new QMenuBar(this);
    menuBar_ = menuBar;
    QMenu* file = menuBar->addMenu(Utf8(LoadMenuText(IDR_MENU_XY, ID_POPUP_GRAPH_FILE)));
    QAction* open = AddMenuCommand(file, IDR_MENU_XY, ID_OPEN_DATA_FILE);
    file->addSeparator();
    QAction* savePicture = AddMenuCommand(file, IDR_MENU_XY, ID_SAVE_PICTURE);
    QAction* print = AddMenuCommand(file, IDR_MENU_XY, ID_PRINT_GRAPH);
    file->addSeparator();
    QAction* close = AddMenuCommand(file, IDR_MENU_XY, ID_CLOSE_GRAPH);
    connect(open, &QAction::triggered, this, &CXYGraphDlg::OnOpenFile);
    connect(savePicture, &QAction::triggered, this, &CXYGraphDlg::OnSavePicture);
    connect(print, &QAction::triggered, this, &CXYGraphDlg::OnPrint);
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

    auto* xLabel = new QLabel(WithMnemonic(Utf8(LoadCaption(IDD_XY_GRAPH, IDC_LABEL_X_AXIS)), 'X'), client_);
    xLabel->setObjectName(QString::number(IDC_LABEL_X_AXIS));
    xLabel->setGeometry(ts.Map(kXLabel));
    xList_ = new QComboBox(client_);
    xList_->setObjectName(QString::number(IDC_XY_COMPONENT));
    xList_->setGeometry(ts.MapCombo(kXList));
    xLabel->setBuddy(xList_);
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
    auto* yScaleLabel =
        new QLabel(WithMnemonic(Utf8(LoadCaption(IDD_XY_GRAPH, IDC_LABEL_Y_SCALE)), 'Y'), client_);
    yScaleLabel->setObjectName(QString::number(IDC_LABEL_Y_SCALE));
    yScaleLabel->setGeometry(ts.Map(kYScaleLabel));
    yScaleList_ = new QComboBox(client_);
    yScaleList_->setObjectName(QString::number(IDC_XY_Y_SCALE));
    yScaleList_->setGeometry(ts.MapCombo(kYScaleList));
    yScaleLabel->setBuddy(yScaleList_);
    settingsButton_ =
        new QPushButton(WithMnemonic(Utf8(LoadCaption(IDD_XY_GRAPH, IDC_XY_SETTINGS)), 'G'), client_);
    settingsButton_->setObjectName(QString::number(IDC_XY_SETTINGS));
    settingsButton_->setGeometry(ts.Map(kSettings));
    settingsButton_->setAutoDefault(false);
    BuildCastList(ts);

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
    FillCastList();
    const QSignalBlocker a(xList_);
    const QSignalBlocker b(yScaleList_);
    xList_->clear();
    yScaleList_->clear();
    graph_.ResetSlots();
    const bool hasData = data_.GetCount() > 0;
    xList_->setEnabled(hasData);
    yScaleList_->setEnabled(hasData);
    // The X slot is the first slot that holds a component (slot 0 for
    // instrument data). It never gets a box of its own; every other slot
    // with a component starts enabled and checked, whichever slot X is.
    for (int k = 0; k < 13; ++k) {
        QCheckBox* box = boxes_[static_cast<std::size_t>(k)];
        const int element = hasData ? data_.GetElement(k) : kNoElement;
        const QString label = Utf8(element == kNoElement ? LoadText(IDS_ELM_NONE)
                                                         : OneLineLabel(LoadText(ElementLabelId(element))));
        box->setText(label);
        box->setEnabled(graph_.IsChecked(k));
        box->setChecked(graph_.IsChecked(k));
        if (element == kNoElement) {
            continue;
        }
        xList_->addItem(Utf8(LoadText(ElementNameId(element))), k);
        if (graph_.IsChecked(k)) {
            yScaleList_->addItem(label, k);
        }
    }
    for (QCheckBox* box : boxes_) {
        FitBoxText(box);
    }
    xList_->setCurrentIndex(xList_->count() > 0 ? 0 : -1);
    yScaleList_->setCurrentIndex(yScaleList_->count() > 0 ? 0 : -1);
    UpdateBoxTips();
}

void CXYGraphDlg::UpdateBoxTips() {
    for (int k = 0; k < 13; ++k) {
        const bool line = data_.GetCount() > 0 && data_.GetElement(k) != kNoElement && k != graph_.XSlot();
        boxes_[static_cast<std::size_t>(k)]->setToolTip(line ? Utf8(graph_.LegendText(k)) : QString());
    }
}

void CXYGraphDlg::SetCaption() {
    setWindowTitle(Utf8(CaptionWithName(IDS_XY_GRAPH_TITLE, data_.GetName())));
}

void CXYGraphDlg::OnXComponentChange(int index) {
    if (index < 0) {
        return;
    }
    const int slot = xList_->itemData(index).toInt();
    const int old = graph_.XSlot();
    if (slot == old) {
        return;
    }
    QCheckBox* oldBox = boxes_[static_cast<std::size_t>(old)];
    if (data_.GetElement(old) != kNoElement) {
        oldBox->setEnabled(true);
        oldBox->setChecked(true);
    }
    graph_.ChooseXSlot(slot);
    boxes_[static_cast<std::size_t>(slot)]->setEnabled(false);
    boxes_[static_cast<std::size_t>(slot)]->setChecked(false);
    RebuildYScaleList();
    OnComponentCheck();
    UpdateBoxTips();
}

void CXYGraphDlg::RebuildYScaleList() {
    const QSignalBlocker block(yScaleList_);
    yScaleList_->clear();
    yScaleList_->setEnabled(false);
    graph_.SetYScaleSlot(-1);
    if (data_.GetCount() == 0) {
        return;
    }
    yScaleList_->setEnabled(true);
    for (int k = 0; k < 13; ++k) {
        const int element = data_.GetElement(k);
        if (element != kNoElement && k != graph_.XSlot()) {
            yScaleList_->addItem(Utf8(LoadText(ElementNameId(element))), k);
        }
    }
    if (yScaleList_->count() > 0) {
        graph_.SetYScaleSlot(yScaleList_->itemData(0).toInt());
        yScaleList_->setCurrentIndex(0);
    }
}

void CXYGraphDlg::ReadCheckBoxes() {
    for (std::size_t k = 0; k < 13; ++k) {
        graph_.SetChecked(static_cast<int>(k), boxes_[k]->isEnabled() && boxes_[k]->isChecked());
    }
}

void CXYGraphDlg::OnComponentCheck() {
    // The ranges do not depend on which lines are drawn.
    ReadCheckBoxes();
    client_->update();
}

void CXYGraphDlg::OnYScaleChange(int index) {
    if (index < 0) {
        return;
    }
    graph_.SetYScaleSlot(yScaleList_->itemData(index).toInt());
    client_->update();
}

QRect CXYGraphDlg::PlotRect(const QRect& g) const {
    return graph_.PlotRectIn(QFontMetrics(DrawingFont()), g);
}

void CXYGraphDlg::DrawGraph(QPainter& painter, const QRect& s, const QRect& g,
                            const std::array<QRect, 13>& boxes) const {
    painter.save();
    painter.setFont(DrawingFont());
    graph_.Draw(painter, s, g, boxes);
    painter.restore();
}

void CXYGraphDlg::RenderPicture(QPainter& painter, const QRect& rect) const {
    graph_.Render(painter, rect, DrawingFont(), windowTitle());
}

void CXYGraphDlg::OnSavePicture() {
    SavePictureCommand(
        this, client_->size(), windowTitle(),
        [this](QPainter& painter, const QRect& rect) { RenderPicture(painter, rect); },
        ProposedPictureName(data_.GetName(), "xy"));
}

void CXYGraphDlg::OnPrint() {
    PrintPictureCommand(this, client_->size(), windowTitle(),
                        [this](QPainter& painter, const QRect& rect) { RenderPicture(painter, rect); });
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
    axisDlg_->SetSettings(&graph_.Settings(), data_);
    axisDlg_->raise();
    axisDlg_->activateWindow();
}

void CXYGraphDlg::OnSettingsApplied() {
    graph_.ComputeRanges();
    UpdateBoxTips();
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
        client_->update();
        if (axisDlg_ && axisDlg_->isVisible()) {
            axisDlg_->SetSettings(&graph_.Settings(), data_);
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
        store_->WriteGraphSlots(kSettingsSection, graph_.Settings());
    }
    QDialog::closeEvent(event);
}

void CXYGraphDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!initialised_) {
        return;
    }
    const int menuHeight = client_->y();
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    client_->setGeometry(0, menuHeight, width(), height() - menuHeight);
    const int dx = client_->width() - startClient_.width();
    const int dy = client_->height() - startClient_.height();
    graphFrame_->setGeometry(startFrame_.adjusted(0, 0, dx, dy));
    client_->update();
}

}  // namespace kelp
