#pragma once
#include <QDialog>

class QPushButton;
class QTableView;

namespace kelp {

class CDataSelectModel;
class CMeasDataSet;

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

    CDataSelectModel* model_ = nullptr;
    QTableView* list_ = nullptr;
    CMeasDataSet* source_ = nullptr;
    CMeasDataSet* target_ = nullptr;
    const QFont* font_ = nullptr;
    bool imported_ = false;
    bool initialised_ = false;
};

}  // namespace kelp
