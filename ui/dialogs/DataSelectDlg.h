#pragma once
#include <QDialog>
#include <vector>

#include "analysis/CastFinder.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTableView;
class QTreeWidget;

namespace kelp {

class CDataSelectModel;
class CMeasDataSet;
class CSettingsStore;

// The data selection dialog (template 143): lists the records of the source
// data set (the download), sorts them by any column, deletes selected
// records from the source and imports the selected ones, in record order,
// into the target (the data on display). Modal, for one use.
class CDataSelectDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CDataSelectDlg(QWidget* parent = nullptr);

    // Before DoModal. Neither is owned; deletions change the source at once.
    void SetDataSets(CMeasDataSet* source, CMeasDataSet* target);
    void SetDialogFont(const QFont* font) { font_ = font; }

    // Runs the dialog; it always ends as "closed" (IDCANCEL), whether the
    // user imported or not: read IsImported afterwards.
    int DoModal();
    bool IsImported() const { return imported_; }

    // Smallest size of the window, also its size when it opens.
    static constexpr int kMinWidth = 620;
    static constexpr int kMinHeight = 290;

    // The actions behind the buttons and the column headers.
    void OnColumnClick(int column);
    void OnSelectAll();
    void OnClearSelection();
    void OnDeleteSelected();
    void OnImportSelected();

    QTableView* List() const { return list_; }
    const CDataSelectModel& Model() const { return *model_; }

    // ---- the casts view beside the list (DataSelectCasts.cpp) ----
    // The settings file the finder's thresholds come from and Thresholds...
    // keeps them in (not owned; without one, the defaults and nothing kept).
    void SetSettingsStore(const CSettingsStore* store);
    // Choosing stations or casts selects their records in the list (only
    // those of the down-casts while Down-casts Only is checked).
    void OnCastSelection();
    // Save Each Cast...: one data file per cast or per station, into a
    // folder the user chooses, never replacing a file.
    void OnSaveCasts();
    // Thresholds...: the finder's thresholds, kept when changed.
    void OnCastOptions();
    QTreeWidget* Casts() const { return casts_; }
    const CastList& FoundCasts() const { return castList_; }
    const CastOptions& Thresholds() const { return castOptions_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnInitDialog();
    void SetColumnWidths();
    void ShowSortColumn();
    // Width the columns may take without a horizontal scroll bar.
    int ListRoom() const;
    // Marks the records of the selected rows; returns how many rows.
    int RememberSelection();
    // Selects the rows of marked records from the top, at most `count`.
    void RestoreSelection(int count);
    QWidget* BuildCastPanel();
    // Sizes the columns of the casts view to sample texts in its font;
    // returns the width the view opens with.
    int SizeCastColumns();
    // Finds the casts of the source again and lists them.
    void ListCasts();

    CDataSelectModel* model_ = nullptr;
    QTableView* list_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTreeWidget* casts_ = nullptr;
    QLabel* castSummary_ = nullptr;
    QCheckBox* downcast_ = nullptr;
    QComboBox* saveBy_ = nullptr;
    CastList castList_;
    CastOptions castOptions_;
    const CSettingsStore* store_ = nullptr;
    CMeasDataSet* source_ = nullptr;
    CMeasDataSet* target_ = nullptr;
    const QFont* font_ = nullptr;
    bool imported_ = false;
    bool initialised_ = false;
};

}  // namespace kelp
