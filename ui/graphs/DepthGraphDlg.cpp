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
#include <vector>

#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/DialogText.h"
#include "ui/graphs/GraphPicture.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/main/ColorLamp.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

// The template's client area in dialog units; controls are placed by
// scaling their template rectangles to the client area the window has. The
// graph's own rectangles (frame, templates, legend) are CDepthGraph's.
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

constexpr TemplateRect kComponentUnit{165, 11, 48, 104};
// The caption of the depth-unit list reaches left to the unit list so that
// longer captions (English) fit; it ends where the template's does.
constexpr TemplateRect kDepthUnitLabel{216, 13, 50, 8};
constexpr TemplateRect kDepthUnit{272, 11, 48, 118};
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
    addAction_ = AddMenuCommand(fileMenu_, IDR_MENU_DEPTH, ID_ADD_SERIES);
    fileMenu_->addSeparator();
    QAction* savePicture = AddMenuCommand(fileMenu_, IDR_MENU_DEPTH, ID_SAVE_PICTURE);
    QAction* print = AddMenuCommand(fileMenu_, IDR_MENU_DEPTH, ID_PRINT_GRAPH);
    fileMenu_->addSeparator();
    QAction* close = AddMenuCommand(fileMenu_, IDR_MENU_DEPTH, ID_CLOSE_GRAPH);
    connect(addAction_, &QAction::triggered, this, &CDepthGraphDlg::OnAddFile);
    connect(savePicture, &QAction::triggered, this, &CDepthGraphDlg::OnSavePicture);
    connect(print, &QAction::triggered, this, &CDepthGraphDlg::OnPrint);
    connect(close, &QAction::triggered, this, &CDepthGraphDlg::OnCloseGraph);
    // The menu items follow the button state whenever the menu opens.
    connect(fileMenu_, &QMenu::aboutToShow, this, &CDepthGraphDlg::UpdateMenu);

    // The window keeps the size the design gives it: 800 x 600 pixels.
    setFixedSize(kWindowWidth, kWindowHeight);
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, kWindowWidth, menuHeight);
    client_ = new QWidget(this);
    client_->setGeometry(0, menuHeight, kWindowWidth, kWindowHeight - menuHeight);
    const TemplateScale ts{CDepthGraph::kTemplateWidth, CDepthGraph::kTemplateHeight, client_->width(),
                           client_->height()};

    // The graph is painted by the client area itself, under the controls
    // that stand inside the frame (the depth caption).
    graphFrame_ = new QWidget(client_);
    graphFrame_->setObjectName(QString::number(IDC_DEPTH_FRAME));
    graphFrame_->setGeometry(ts.Map(CDepthGraph::kFrame));
    graphFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    client_->installEventFilter(this);

    // The legend: its unit on top, the 17 colours, and the values at their
    // boundaries (the smallest above the first colour, the largest below the
    // last colour in use).
    legendUnit_ = new QLabel(client_);
    legendUnit_->setObjectName(QStringLiteral("legend-unit"));
    legendUnit_->setGeometry(ts.Map(CDepthGraph::kLegendUnit));
    legendUnit_->setAlignment(Qt::AlignCenter);
    levelTop_ = new CColorLamp(client_);
    levelTop_->setObjectName(QStringLiteral("legend-level-top"));
    levelTop_->setGeometry(ts.Map(CDepthGraph::LevelRect(0)));
    levelTop_->SetBackgroundColour(0xFFFFFF);
    levelTop_->setText(QString());
    for (int k = 0; k < 17; ++k) {
        auto* swatch = new CColorLamp(client_);
        swatch->setObjectName(QString::number(IDC_DEPTH_SWATCH_FIRST + k));
        swatch->setGeometry(ts.Map(CDepthGraph::SwatchRect(k)));
        swatch->SetBackgroundColour(kDepthColours[static_cast<std::size_t>(k)]);
        swatch->setText(QString());
        swatches_[static_cast<std::size_t>(k)] = swatch;

        // Label k stands at the boundary below colour k; the seventeenth
        // (below the last colour) shows only when all 17 colours are in use.
        auto* level = new CColorLamp(client_);
        const bool spare = k == 16;
        level->setObjectName(QString::number(spare ? IDC_DEPTH_LEVEL_SPARE : IDC_DEPTH_LEVEL_FIRST + k));
        level->setGeometry(ts.Map(CDepthGraph::LevelRect(k + 1)));
        level->setAlignment(Qt::AlignCenter);
        level->SetBackgroundColour(0xFFFFFF);
        level->setText(QString());
        level->setVisible(!spare);
        levelLabels_[static_cast<std::size_t>(k)] = level;
    }

    componentList_ = new QComboBox(client_);
    componentList_->setObjectName(QString::number(IDC_DEPTH_COMPONENT));
    componentList_->setGeometry(ts.MapCombo(CDepthGraph::kComponent));
    componentList_->setEnabled(false);
    componentUnitList_ = new QComboBox(client_);
    componentUnitList_->setObjectName(QString::number(IDC_DEPTH_COMPONENT_UNIT));
    componentUnitList_->setGeometry(ts.MapCombo(kComponentUnit));
    componentUnitList_->setEnabled(false);
    auto* unitLabel =
        new QLabel(WithMnemonic(Utf8(LoadCaption(IDD_DEPTH_GRAPH, IDC_LABEL_DEPTH_UNIT)), 'U'), client_);
    unitLabel->setObjectName(QString::number(IDC_LABEL_DEPTH_UNIT));
    unitLabel->setGeometry(ts.Map(kDepthUnitLabel));
    unitLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    depthUnitList_ = new QComboBox(client_);
    depthUnitList_->setObjectName(QString::number(IDC_DEPTH_UNIT));
    depthUnitList_->setGeometry(ts.MapCombo(kDepthUnit));
    unitLabel->setBuddy(depthUnitList_);
    depthUnitList_->setEnabled(false);

    depthCaption_ = new CColorLamp(client_);
    depthCaption_->setObjectName(QString::number(IDC_DEPTH_CAPTION));
    depthCaption_->setGeometry(ts.Map(CDepthGraph::kCaption));
    depthCaption_->setAlignment(Qt::AlignCenter);
    depthCaption_->SetBackgroundColour(0xFFFFFF);
    depthCaption_->setText(Utf8(graph_.CaptionText()));

    rowLabelTemplate_ = new QWidget(client_);
    rowLabelTemplate_->setObjectName(QString::number(IDC_DEPTH_ROW_LABEL));
    rowLabelTemplate_->setGeometry(ts.Map(CDepthGraph::kRowLabel));
    rowLabelTemplate_->hide();
    columnNumberTemplate_ = new QWidget(client_);
    columnNumberTemplate_->setObjectName(QString::number(IDC_DEPTH_COLUMN_NO));
    columnNumberTemplate_->setGeometry(ts.Map(CDepthGraph::kColumnNumber));
    columnNumberTemplate_->hide();

    seriesList_ = new QTreeWidget(client_);
    seriesList_->setObjectName(QString::number(IDC_DEPTH_SERIES_LIST));
    seriesList_->setGeometry(ts.Map(CDepthGraph::kSeriesList));
    seriesList_->setColumnCount(1);
    seriesList_->setHeaderLabels({QStringLiteral("No.")});
    seriesList_->setHeaderHidden(true);
    seriesList_->setRootIsDecorated(false);
    seriesList_->setSelectionMode(QAbstractItemView::SingleSelection);
    seriesList_->setColumnWidth(0, 50);

    addButton_ =
        new QPushButton(WithMnemonic(Utf8(LoadCaption(IDD_DEPTH_GRAPH, IDC_DEPTH_ADD)), 'A'), client_);
    addButton_->setObjectName(QString::number(IDC_DEPTH_ADD));
    addButton_->setGeometry(ts.Map(kAdd));
    addButton_->setAutoDefault(false);
    deleteButton_ =
        new QPushButton(WithMnemonic(Utf8(LoadCaption(IDD_DEPTH_GRAPH, IDC_DEPTH_DELETE)), 'D'), client_);
    deleteButton_->setObjectName(QString::number(IDC_DEPTH_DELETE));
    deleteButton_->setGeometry(ts.Map(kDelete));
    deleteButton_->setAutoDefault(false);
    deleteButton_->setEnabled(false);
    connect(addButton_, &QPushButton::clicked, this, &CDepthGraphDlg::OnAddFile);
    connect(deleteButton_, &QPushButton::clicked, this, &CDepthGraphDlg::OnDeleteSeries);
    BuildCastControls();

    for (int u = 0, units = UnitCount(kDepthElement); u < units; ++u) {
        depthUnitList_->addItem(Utf8(LoadText(UnitTextId(kDepthElement, u))));
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
        initialSeries_ = AddSeries(*data);
    }
}

bool CDepthGraphDlg::AddSeries(const CMeasDataSet& data, const std::string& file) {
    const bool first = graph_.SeriesCount() == 0;
    if (!TakeSeries(data, file)) {
        return false;
    }
    ShowSeries(first);
    return true;
}

void CDepthGraphDlg::ShowSeries(bool first) {
    if (first && graph_.SeriesCount() > 0) {
        SetupComponentLists();
    }
    RebuildSeriesList();
    Recompute();
}

bool CDepthGraphDlg::TakeSeries(const CMeasDataSet& data, const std::string& file) {
    switch (graph_.AddSeries(data)) {
        case CDepthGraph::AddResult::Added:
            break;
        case CDepthGraph::AddResult::NoDepth:
            ShowMessage(this, IDS_NO_DEPTH, MB_ICONSTOP,
                        file.empty() ? LoadText(IDS_NO_DEPTH) : LoadText(IDS_NO_DEPTH) + "\n" + file);
            return false;
        case CDepthGraph::AddResult::NoMemory:
            ShowMessage(this, IDS_MEMORY_FAILED, MB_ICONSTOP);
            return false;
        case CDepthGraph::AddResult::Empty:
        case CDepthGraph::AddResult::Full:
            return false;
    }
    return true;
}

void CDepthGraphDlg::OnAddFile() {
    if (graph_.SeriesCount() >= kDepthMaxSeries) {
        return;
    }
    std::vector<std::string> paths = AskOpenFileNames(this);
    // Files beyond the room left are not read, and the user is told so
    // rather than finding fewer columns than files chosen.
    const std::size_t room = static_cast<std::size_t>(kDepthMaxSeries - graph_.SeriesCount());
    const std::size_t leftOut = paths.size() > room ? paths.size() - room : 0;
    paths.resize(std::min(paths.size(), room));
    for (const std::string& path : paths) {
        scratch_.Clear();
        const int result = LoadGraphDataFile(this, font_.get(), path, scratch_);
        // With several files a message says which one it is about.
        const std::string named = paths.size() > 1 ? path : std::string();
        const auto fail = [&](int id) {
            ShowMessage(this, id, MB_ICONSTOP, named.empty() ? LoadText(id) : LoadText(id) + "\n" + named);
        };
        if (result == kLoadOpenFailed) {
            fail(IDS_FILE_OPEN_FAILED);
        } else if (result == kLoadFormatFailed) {
            fail(IDS_FILE_FORMAT_INVALID);
        } else if (result == kLoadOk) {
            scratch_.SetName(path);
            AddSeries(scratch_, named);
        }
    }
    scratch_.Clear();
    if (leftOut > 0) {
        ShowMessage(this, IDS_DEPTH_FILES_LEFT_OUT, MB_ICONSTOP,
                    Utf8(LoadText(IDS_DEPTH_FILES_LEFT_OUT)).arg(leftOut).toStdString());
    }
}

void CDepthGraphDlg::OnDeleteSeries() {
    const QList<QTreeWidgetItem*> selected = seriesList_->selectedItems();
    if (graph_.SeriesCount() == 0 || selected.isEmpty()) {
        return;
    }
    const int position = seriesList_->indexOfTopLevelItem(selected.front());
    if (position < 0 || position >= graph_.SeriesCount()) {
        return;
    }
    graph_.RemoveSeries(position);
    initialSeries_ = initialSeries_ && position != 0;
    if (graph_.SeriesCount() == 0) {
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

void CDepthGraphDlg::reject() {
    const int added = graph_.SeriesCount() - (initialSeries_ ? 1 : 0);
    if (added > 0) {
        const QString question = DlgString(IDS_CONFIRM_CLOSE_DEPTH).arg(added);
        if (ShowMessage(this, IDS_CONFIRM_CLOSE_DEPTH, kStyleQuestion, question.toStdString()) != IDOK) {
            return;
        }
    }
    QDialog::reject();
}

void CDepthGraphDlg::SetupComponentLists() {
    const CMeasDataSet& first = graph_.Series(0).data;
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
        for (int u = 0, units = UnitCount(element_); u < units; ++u) {
            componentUnitList_->addItem(Utf8(LoadText(UnitTextId(element_, u))));
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
    for (int i = 0; i < graph_.SeriesCount(); ++i) {
        const QString text = Utf8(graph_.Series(i).ListText(i));
        auto* item = new QTreeWidgetItem(QStringList{text});
        // A cast's name (site and time) may be wider than the list: each
        // shows whole in its tip.
        item->setToolTip(0, text);
        seriesList_->addTopLevelItem(item);
        width = std::max(width, metrics.horizontalAdvance(text) + 20);
    }
    seriesList_->setColumnWidth(0, width);
    addButton_->setEnabled(graph_.SeriesCount() < kDepthMaxSeries);
    deleteButton_->setEnabled(graph_.SeriesCount() > 0);
    UpdateCastCommands();
    UpdateMenu();
}

void CDepthGraphDlg::UpdateMenu() {
    addAction_->setEnabled(addButton_->isEnabled());
}

void CDepthGraphDlg::Recompute() {
    graph_.Select(element_, componentUnit_, depthUnit_);
    UpdateLegend();
    client_->update(graphFrame_->geometry());
}

void CDepthGraphDlg::UpdateLegend() {
    legendUnit_->setText(Utf8(graph_.UnitText()));
    levelTop_->setText(Utf8(graph_.LevelText(0)));
    for (int k = 0; k < 17; ++k) {
        const QString text = Utf8(graph_.LevelText(k + 1));
        levelLabels_[static_cast<std::size_t>(k)]->setText(text);
    }
    // The seventeenth label stands below the last colour only when all of
    // them are in use and it has a value to show.
    levelLabels_[16]->setVisible(!levelLabels_[16]->text().isEmpty());
    levelLabels_[16]->raise();
    depthCaption_->setText(Utf8(graph_.CaptionText()));
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
    painter.setFont(DrawingFont());
    graph_.DrawMap(painter, GraphFrameRect(), RowLabelRect(), ColumnNumberRect());
    return image;
}

void CDepthGraphDlg::RenderPicture(QPainter& painter, const QRect& rect) const {
    graph_.Render(painter, rect, DrawingFont(), Utf8(graph_.PictureTitle()));
}

void CDepthGraphDlg::OnSavePicture() {
    // Named after the first series' file; data without one carry a caption.
    const std::string first = graph_.SeriesCount() > 0 ? graph_.Series(0).data.GetName() : std::string();
    SavePictureCommand(
        this, client_->size(), Utf8(graph_.PictureTitle()),
        [this](QPainter& painter, const QRect& rect) { RenderPicture(painter, rect); },
        ProposedPictureName(first == LoadText(IDS_MEASURED_DATA) ? std::string() : first, "depth"));
}

void CDepthGraphDlg::OnPrint() {
    PrintPictureCommand(this, client_->size(), Utf8(graph_.PictureTitle()),
                        [this](QPainter& painter, const QRect& rect) { RenderPicture(painter, rect); });
}

bool CDepthGraphDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Paint) {
        QPainter painter(client_);
        painter.setFont(DrawingFont());
        graph_.DrawMap(painter, GraphFrameRect(), RowLabelRect(), ColumnNumberRect());
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
    addCastsButton_->setGeometry(startAdd_.united(startDelete_).translated(0, dy - startAdd_.height() - 2));
    seriesList_->setGeometry(startSeriesList_.adjusted(0, 0, 0, dy));
    client_->update();
}

}  // namespace kelp
