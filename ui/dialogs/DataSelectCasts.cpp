// The casts view of the data selection: the stations and casts the finder
// sees in the records listed, a way to select them in the list, to save
// each as a file of its own, and to change the finder's thresholds.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/CastFiles.h"
#include "app/SettingsStore.h"
#include "data/Catalogue.h"
#include "data/Cp932.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/CastOptionsDlg.h"
#include "ui/dialogs/DataSelectDlg.h"
#include "ui/dialogs/DataSelectModel.h"
#include "ui/dialogs/DialogText.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

enum CastColumn { ColName, ColStart, ColDepth, ColRecords, CastColumnCount };
constexpr int kSaveByStation = 1;
constexpr std::size_t kUnfoldedStations = 200;

// What a row of the view stands for: a cast (its index in the list) or a
// station (-1 - its index).
int StationRole(int station) {
    return -1 - station;
}

QString Site(const std::string& stored) {
    return QString::fromStdString(Cp932ToUtf8(stored)).trimmed();
}

QString MetreText() {
    return QString::fromStdString(LoadText(UnitTextId(kDepthElement, 0))).trimmed();
}

// A depth in metres with `unit` (MetreText), or "-" without one.
QString Depth(bool has, double metres, const QString& unit) {
    return has ? QString::fromStdString(FormatDecimals(metres, 2)) + u' ' + unit : QStringLiteral("-");
}

// String `id` filled with `args`, its count words agreeing with them.
QString Counted(int id, std::initializer_list<std::string> args) {
    return QString::fromStdString(FillText(LoadText(id), args));
}

QPushButton* MakeButton(QWidget* parent, int id, char key) {
    auto* button = new QPushButton(WithMnemonic(DlgCaption(IDD_DATA_SELECT, id), key), parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(true);
    button->setDefault(false);
    return button;
}

}  // namespace

QWidget* CDataSelectDlg::BuildCastPanel() {
    auto* panel = new QWidget(this);
    castSummary_ = new QLabel(panel);
    castSummary_->setObjectName(QString::number(IDC_LABEL_CASTS));
    QPushButton* thresholds = MakeButton(panel, IDC_SELECT_CAST_OPTIONS, 'T');
    connect(thresholds, &QPushButton::clicked, this, &CDataSelectDlg::OnCastOptions);

    casts_ = new QTreeWidget(panel);
    casts_->setObjectName(QString::number(IDC_SELECT_CASTS));
    casts_->setColumnCount(CastColumnCount);
    casts_->setHeaderLabels(DlgCaption(IDD_DATA_SELECT, IDC_SELECT_CASTS).split(u'\n'));
    casts_->header()->setStretchLastSection(false);
    casts_->header()->setSectionsMovable(false);
    casts_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    casts_->setUniformRowHeights(true);
    casts_->setAllColumnsShowFocus(true);
    connect(casts_, &QTreeWidget::itemSelectionChanged, this, &CDataSelectDlg::OnCastSelection);

    downcast_ = new QCheckBox(WithMnemonic(DlgCaption(IDD_DATA_SELECT, IDC_SELECT_DOWNCAST), 'W'), panel);
    downcast_->setObjectName(QString::number(IDC_SELECT_DOWNCAST));
    connect(downcast_, &QCheckBox::toggled, this, &CDataSelectDlg::OnCastSelection);
    saveBy_ = new QComboBox(panel);
    saveBy_->setObjectName(QString::number(IDC_SELECT_SAVE_BY));
    saveBy_->addItems(DlgCaption(IDD_DATA_SELECT, IDC_SELECT_SAVE_BY).split(u'\n'));
    QPushButton* save = MakeButton(panel, IDC_SELECT_SAVE_CASTS, 'S');
    connect(save, &QPushButton::clicked, this, &CDataSelectDlg::OnSaveCasts);

    auto* top = new QHBoxLayout;
    top->addWidget(castSummary_, 1);
    top->addWidget(thresholds);
    auto* saving = new QHBoxLayout;
    saving->addWidget(saveBy_, 1);
    saving->addWidget(save);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(casts_, 1);
    layout->addWidget(downcast_);
    layout->addLayout(saving);
    return panel;
}

int CDataSelectDlg::SizeCastColumns() {
    const QFontMetrics metrics(casts_->font());
    const QString samples[CastColumnCount] = {
        DlgString(IDS_CAST_TREE_STATION).arg(QStringLiteral("00"), QStringLiteral("KELP BAY ST.00")),
        QStringLiteral("00/00 00:00:00"), Depth(true, 100.0, MetreText()), QStringLiteral("00000")};
    int width =
        casts_->indentation() + 2 * casts_->frameWidth() + casts_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < CastColumnCount; ++column) {
        const int header = metrics.horizontalAdvance(casts_->headerItem()->text(column));
        const int cells =
            metrics.horizontalAdvance(samples[column]) + (column == ColName ? casts_->indentation() : 0);
        casts_->setColumnWidth(column, std::max(header, cells) + metrics.averageCharWidth() * 2);
        width += casts_->columnWidth(column);
    }
    return width;
}

void CDataSelectDlg::SetSettingsStore(const CSettingsStore* store) {
    store_ = store;
    const CastOptions options = store_ != nullptr ? store_->ReadCastOptions() : CastOptions{};
    // The casts are found again only when the kept thresholds change them.
    if (options != castOptions_) {
        castOptions_ = options;
        ListCasts();
    }
}

void CDataSelectDlg::ListCasts() {
    const QSignalBlocker block(casts_);
    casts_->clear();
    castList_ = source_ != nullptr ? FindCasts(*source_, castOptions_) : CastList{};
    // A download may hold thousands of stations (a site name a record): the
    // texts are loaded once and the rows built apart from the view, which
    // takes them in one go.
    const QString stationText = DlgString(IDS_CAST_TREE_STATION);
    const QString castText = DlgString(IDS_CAST_TREE_CAST);
    const QString seriesText = DlgString(IDS_CAST_TREE_SERIES);
    const QString metres = MetreText();
    const auto alignNumbers = [](QTreeWidgetItem* item) {
        item->setTextAlignment(ColDepth, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(ColRecords, Qt::AlignRight | Qt::AlignVCenter);
    };
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(castList_.stations.size()));
    for (std::size_t s = 0; s < castList_.stations.size(); ++s) {
        const Station& station = castList_.stations[s];
        auto* row = new QTreeWidgetItem;
        row->setData(ColName, Qt::UserRole, StationRole(static_cast<int>(s)));
        row->setText(ColName, stationText.arg(station.number).arg(Site(station.site)));
        row->setText(ColStart,
                     QString::fromStdString(source_->FormatTime(station.records.first, "%m/%d %H:%M:%S")));
        row->setText(ColRecords, QString::number(station.records.Count()));
        alignNumbers(row);
        bool hasDepth = false;
        double deepest = 0.0;
        for (int c = station.firstCast; c < station.firstCast + station.castCount; ++c) {
            const Cast& cast = castList_.casts[static_cast<std::size_t>(c)];
            auto* item = new QTreeWidgetItem(row);
            item->setData(ColName, Qt::UserRole, c);
            item->setText(ColName, (cast.series ? seriesText : castText).arg(cast.number));
            item->setText(ColStart, QString::fromStdString(cast.start.Format("%H:%M:%S")));
            item->setText(ColDepth, Depth(cast.deepest >= 0, cast.maxDepthMetres, metres));
            item->setText(ColRecords, QString::number(cast.Records()));
            alignNumbers(item);
            if (cast.deepest >= 0 && (!hasDepth || cast.maxDepthMetres > deepest)) {
                deepest = cast.maxDepthMetres;
            }
            hasDepth = hasDepth || cast.deepest >= 0;
        }
        row->setText(ColDepth, Depth(hasDepth, deepest, metres));
        rows.push_back(row);
    }
    casts_->addTopLevelItems(rows);
    // A field day's tens of stations open with their casts in view; a file
    // of thousands (a site name a record) would bury them, and laying out
    // every row costs more than the list itself, so it opens folded.
    if (castList_.stations.size() <= kUnfoldedStations) {
        casts_->expandAll();
    }
    castSummary_->setText(
        Counted(IDS_CLI_CASTS_SUMMARY,
                {std::to_string(castList_.stations.size()),
                 std::to_string(static_cast<int>(castList_.casts.size()) - castList_.SeriesCount()),
                 std::to_string(castList_.SeriesCount())}));
}

void CDataSelectDlg::OnCastSelection() {
    const QList<QTreeWidgetItem*> chosen = casts_->selectedItems();
    if (chosen.isEmpty() || source_ == nullptr) {
        return;
    }
    const bool down = downcast_->isChecked();
    model_->ClearMarks();
    int count = 0;
    const auto mark = [&](const Cast& cast) {
        const RecordRange range = down ? cast.down : cast.records;
        for (int r = std::max(range.first, 0); r <= range.last && r < source_->GetCount(); ++r) {
            if (!model_->IsMarked(r)) {
                model_->Mark(r);
                ++count;
            }
        }
    };
    for (const QTreeWidgetItem* item : chosen) {
        const int role = item->data(ColName, Qt::UserRole).toInt();
        if (role >= 0) {
            mark(castList_.casts[static_cast<std::size_t>(role)]);
            continue;
        }
        const Station& station = castList_.stations[static_cast<std::size_t>(StationRole(role))];
        for (int c = station.firstCast; c < station.firstCast + station.castCount; ++c) {
            mark(castList_.casts[static_cast<std::size_t>(c)]);
        }
    }
    RestoreSelection(count);
    // The first record chosen comes into view.
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    if (!rows.isEmpty()) {
        const auto first =
            std::min_element(rows.begin(), rows.end(),
                             [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        list_->scrollTo(*first, QAbstractItemView::PositionAtTop);
    }
}

void CDataSelectDlg::OnSaveCasts() {
    if (source_ == nullptr || source_->GetCount() == 0) {
        return;
    }
    const std::vector<SplitPiece> pieces =
        SplitPieces(castList_, saveBy_->currentIndex() == kSaveByStation ? SplitBy::Station : SplitBy::Cast,
                    downcast_->isChecked());
    if (pieces.empty()) {
        ShowMessage(this, IDS_CASTS_NOTHING_TO_SAVE, kStyleError);
        return;
    }
    const std::string folder = AskFolderName(this, LoadText(IDS_CASTS_FOLDER_TITLE));
    if (folder.empty()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CMeasDataSet piece;
    int files = 0;
    int records = 0;
    FileFailure failure;
    bool failed = false;
    for (const SplitPiece& p : pieces) {
        CopyPiece(*source_, p, piece);
        std::string path;
        if (!SaveNewDataFile(folder, piece, path, failure)) {
            failed = true;
            break;
        }
        ++files;
        records += piece.GetCount();
    }
    QApplication::restoreOverrideCursor();
    const QString where = QString::fromStdString(folder);
    if (!failed) {
        QString text = Counted(IDS_CLI_SPLIT_DONE, {std::to_string(files), std::to_string(records), folder});
        // Down-casts only leave the series out: said, so that no record seems lost.
        const int series = castList_.SeriesCount();
        if (downcast_->isChecked() && series > 0) {
            text += u'\n' + Counted(IDS_CLI_SPLIT_SERIES_LEFT, {std::to_string(series)});
        }
        ShowMessage(this, IDS_CLI_SPLIT_DONE, MB_ICONINFORMATION | MB_OK, text.toStdString());
        return;
    }
    QString text = DlgString(IDS_CLI_SPLIT_CANNOT_WRITE).arg(where);
    const std::string reason = DescribeFileFailure(failure);
    if (!reason.empty()) {
        text += u'\n' + QString::fromStdString(reason);
    }
    if (files > 0) {
        text +=
            u'\n' + Counted(IDS_CLI_SPLIT_PARTIAL, {std::to_string(files), std::to_string(records), folder});
    }
    ShowMessage(this, IDS_CLI_SPLIT_CANNOT_WRITE, kStyleError, text.toStdString());
}

void CDataSelectDlg::OnCastOptions() {
    CCastOptionsDlg dialog(castOptions_, this);
    if (dialog.exec() != QDialog::Accepted || dialog.Options() == castOptions_) {
        return;
    }
    castOptions_ = dialog.Options();
    ListCasts();
    if (store_ != nullptr && !store_->WriteCastOptions(castOptions_)) {
        ShowMessage(
            this, IDS_CAST_OPTIONS_NOT_KEPT, kStyleWarning,
            DlgString(IDS_CAST_OPTIONS_NOT_KEPT).arg(QString::fromStdString(store_->Path())).toStdString());
    }
}

}  // namespace kelp
