#include "ui/dialogs/DataSelectDlg.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <numeric>

#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/DataSelectModel.h"
#include "ui/dialogs/DialogText.h"
#include "ui/main/MessageBox.h"
#include "ui/main/ProgramIcon.h"

namespace kelp {
namespace {

// `key` 0 leaves the caption as it is (Esc is the close button's key).
QPushButton* MakeButton(QWidget* parent, int id, char key) {
    const QString caption = DlgCaption(IDD_DATA_SELECT, id);
    auto* button = new QPushButton(key != 0 ? WithMnemonic(caption, key) : caption, parent);
    button->setObjectName(QString::number(id));
    // No button is the default: Enter in the list imports, Enter on a
    // button presses that button.
    button->setAutoDefault(true);
    button->setDefault(false);
    return button;
}

}  // namespace

CDataSelectDlg::CDataSelectDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(IDD_DATA_SELECT));
    setWindowTitle(DlgTitle(IDD_DATA_SELECT));
    setSizeGripEnabled(true);

    model_ = new CDataSelectModel(this);
    list_ = new QTableView(this);
    list_->setObjectName(QString::number(IDC_SELECT_LIST));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setShowGrid(true);
    list_->setWordWrap(false);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    // Every row has the same height: the view never measures 10000 rows.
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setSectionsClickable(true);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->horizontalHeader()->setStretchLastSection(false);
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The header marks the column the rows are sorted by, and the direction.
    list_->horizontalHeader()->setSortIndicatorShown(true);
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, &CDataSelectDlg::OnColumnClick);
    // Tab goes on to the buttons instead of from cell to cell; Enter and
    // Delete act on the selection (see eventFilter).
    list_->setTabKeyNavigation(false);
    list_->installEventFilter(this);

    QPushButton* selectAll = MakeButton(this, IDC_SELECT_ALL, 'A');
    QPushButton* clear = MakeButton(this, IDC_SELECT_CLEAR, 'C');
    QPushButton* remove = MakeButton(this, IDC_SELECT_DELETE, 'D');
    QPushButton* import = MakeButton(this, IDC_SELECT_IMPORT, 'I');
    QPushButton* close = MakeButton(this, IDCANCEL, 0);
    connect(selectAll, &QPushButton::clicked, this, &CDataSelectDlg::OnSelectAll);
    connect(clear, &QPushButton::clicked, this, &CDataSelectDlg::OnClearSelection);
    connect(remove, &QPushButton::clicked, this, &CDataSelectDlg::OnDeleteSelected);
    connect(import, &QPushButton::clicked, this, &CDataSelectDlg::OnImportSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    // The list keeps its top-left corner and grows with the window; the
    // selection buttons keep to the bottom-left corner, the others to the
    // bottom-right corner.
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectAll);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(remove);
    buttons->addWidget(import);
    buttons->addWidget(close);
    // The casts view stands beside the list; the list takes what the
    // window grows by.
    splitter_ = new QSplitter(this);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(BuildCastPanel());
    splitter_->addWidget(list_);
    splitter_->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter_, 1);
    layout->addLayout(buttons);
}

void CDataSelectDlg::SetDataSets(CMeasDataSet* source, CMeasDataSet* target) {
    source_ = source;
    target_ = target;
    model_->SetSource(source);
    ListCasts();
}

int CDataSelectDlg::DoModal() {
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CDataSelectDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CDataSelectDlg::OnInitDialog() {
    if (font_ != nullptr) {
        setFont(*font_);
        list_->verticalHeader()->setDefaultSectionSize(QFontMetrics(*font_).height() + 4);
    }
    setWindowIcon(ProgramIcon());
    setMinimumSize(kMinWidth, kMinHeight);
    // The list opens as wide as it did before the casts view stood beside it.
    const int panel = SizeCastColumns();
    resize(kMinWidth + panel + splitter_->handleWidth(), kMinHeight);
    layout()->activate();
    splitter_->setSizes({panel, splitter_->width() - panel - splitter_->handleWidth()});
    // Centred over the window that opened it, or the screen without one.
    QRect frame(QPoint(0, 0), size());
    if (parentWidget() != nullptr) {
        frame.moveCenter(parentWidget()->window()->frameGeometry().center());
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        frame.moveCenter(screen->availableGeometry().center());
    }
    move(frame.topLeft());
    SetColumnWidths();
    ShowSortColumn();
}

void CDataSelectDlg::ShowSortColumn() {
    list_->horizontalHeader()->setSortIndicator(
        model_->SortColumn(), model_->IsAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

bool CDataSelectDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OnImportSelected();
            return true;
        }
        if (key == Qt::Key_Delete) {
            OnDeleteSelected();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CDataSelectDlg::SetColumnWidths() {
    // Each column is as wide as a sample text; the samples follow the user's
    // language. The samples for other languages are the widest texts the
    // columns hold, the Japanese ones rows of W's.
    const bool japanese = IsJapaneseLocale(QLocale().name().toStdString());
    static const char* const kJapanese[] = {"WWWW", "WWWWWWWWWWWWWWWWW", "WWWWWWWWWWWWWWWWWWWWWW",
                                            "WWWWWWWWW", "WWWWWWWWWW"};
    static const char* const kOther[] = {"WWWW", "2007/99/99 99:99:99 WW", "RRRRRRRRRRRRRRRRRRRR",
                                         "99 99 99 9 WW", "999 99 99 9 WW"};
    const QFontMetrics metrics(list_->font());
    std::array<int, CDataSelectModel::ColumnCount> widths{};
    std::array<int, CDataSelectModel::ColumnCount> fitted{};
    for (int column = 0; column < CDataSelectModel::ColumnCount; ++column) {
        const char* sample = japanese ? kJapanese[column] : kOther[column];
        widths[column] = metrics.horizontalAdvance(QString::fromLatin1(sample));
        fitted[column] = metrics.horizontalAdvance(QString::fromLatin1(kOther[column]));
    }
    // Rows of W's in a wide face make the five columns overflow the list at
    // its opening size, hiding the position columns behind a scroll bar.
    // Then each column gives up part of its width beyond what its texts
    // need, all in the same proportion, until the five fit.
    const int room = ListRoom();
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    const int needed = std::accumulate(fitted.begin(), fitted.end(), 0);
    if (total > room) {
        const int spare = std::max(0, room - needed);
        for (int column = 0; column < CDataSelectModel::ColumnCount; ++column) {
            const int extra = std::max(0, widths[column] - fitted[column]);
            widths[column] =
                std::min(widths[column], fitted[column] + extra * spare / std::max(1, total - needed));
        }
    }
    for (int column = 0; column < CDataSelectModel::ColumnCount; ++column) {
        list_->setColumnWidth(column, widths[column]);
    }
}

int CDataSelectDlg::ListRoom() const {
    // The list's width less its frame and a vertical scroll bar, whether one
    // shows yet or not.
    return list_->width() - 2 * list_->frameWidth() - list_->verticalScrollBar()->sizeHint().width();
}

void CDataSelectDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int CDataSelectDlg::RememberSelection() {
    model_->ClearMarks();
    int count = 0;
    for (const QItemSelectionRange& range : list_->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            const int record = model_->RecordAt(row);
            if (record >= 0 && !model_->IsMarked(record)) {
                model_->Mark(record);
                ++count;
            }
        }
    }
    return count;
}

void CDataSelectDlg::RestoreSelection(int count) {
    // One selection of row ranges: selecting thousands of rows one by one
    // would notify the view for every row.
    QItemSelection selection;
    const int rows = model_->rowCount();
    const int lastColumn = CDataSelectModel::ColumnCount - 1;
    auto marked = [this](int row) { return model_->IsMarked(model_->RecordAt(row)); };
    int row = 0;
    while (row < rows && count > 0) {
        if (!marked(row)) {
            ++row;
            continue;
        }
        const int first = row;
        while (row < rows && count > 0 && marked(row)) {
            --count;
            ++row;
        }
        selection.select(model_->index(first, 0), model_->index(row - 1, lastColumn));
    }
    // Clearing first spares the selection model from comparing thousands
    // of old ranges with thousands of new ones.
    list_->selectionModel()->clearSelection();
    list_->selectionModel()->select(selection, QItemSelectionModel::Select);
}

void CDataSelectDlg::OnColumnClick(int column) {
    const int selected = RememberSelection();
    model_->ClickColumn(column);
    RestoreSelection(selected);
    ShowSortColumn();
    list_->viewport()->update();
}

void CDataSelectDlg::OnSelectAll() {
    list_->selectAll();
    list_->setFocus(Qt::OtherFocusReason);
}

void CDataSelectDlg::OnClearSelection() {
    list_->selectionModel()->clearSelection();
    list_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

void CDataSelectDlg::OnDeleteSelected() {
    int selected = RememberSelection();
    if (selected == 0 || source_ == nullptr) {
        return;
    }
    // Deleted records come back only with a new download, and Ctrl+A then
    // Delete takes all of them: the user says so first.
    const QString question = DlgString(IDS_CONFIRM_DELETE_RECORDS).arg(selected);
    if (ShowMessage(this, IDS_CONFIRM_DELETE_RECORDS, kStyleQuestion, question.toStdString()) != IDOK) {
        return;
    }
    std::vector<int> doomed;
    doomed.reserve(static_cast<std::size_t>(selected));
    for (int record = source_->GetCount() - 1; record >= 0 && selected > 0; --record) {
        if (model_->IsMarked(record)) {
            doomed.push_back(record);
            --selected;
        }
    }
    list_->selectionModel()->clearSelection();
    source_->DeleteRecords(doomed);
    model_->Reload();
    ListCasts();
}

void CDataSelectDlg::OnImportSelected() {
    int selected = RememberSelection();
    if (selected == 0 || source_ == nullptr || target_ == nullptr) {
        return;
    }
    target_->Clear();
    if (selected == source_->GetCount()) {
        target_->CopyFrom(*source_);
    } else {
        for (int record = 0; record < source_->GetCount() && selected > 0; ++record) {
            if (model_->IsMarked(record)) {
                target_->AppendRecordFrom(*source_, record);
                --selected;
            }
        }
    }
    imported_ = true;
    reject();
}

}  // namespace kelp
