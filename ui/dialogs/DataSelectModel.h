#pragma once
#include <QAbstractTableModel>
#include <vector>

namespace kelp {

class CMeasDataSet;

// The rows of the data selection list, produced on demand from the source
// data set: the model keeps only the order of the records (ascending key
// order of the sort column; descending display reads it from the end) and
// one mark per record, both sized to the data-set capacity once.
class CDataSelectModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { ColNumber = 0, ColTime, ColSite, ColLatitude, ColLongitude, ColumnCount };

    explicit CDataSelectModel(QObject* parent = nullptr);

    // Lists every record of `source` in record order, ascending.
    void SetSource(const CMeasDataSet* source);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The record shown in `row`.
    int RecordAt(int row) const;
    // The text of one cell (what the view shows).
    QString CellText(int row, int column) const;

    // A click on `column`: the sort column again inverts the direction;
    // another column sorts ascending by it. The row count stays.
    void ClickColumn(int column);
    // Takes the row count from the source again (after deletions) and
    // rebuilds the order for the current column and direction.
    void Reload();

    int SortColumn() const { return sortColumn_; }
    bool IsAscending() const { return ascending_; }

    // Marks carry a selection across reordering and drive delete and import.
    void ClearMarks();
    void Mark(int record) { marks_[static_cast<std::size_t>(record)] = 1; }
    bool IsMarked(int record) const { return marks_[static_cast<std::size_t>(record)] != 0; }

  private:
    void RebuildOrder();

    const CMeasDataSet* source_ = nullptr;
    int rows_ = 0;
    int sortColumn_ = ColNumber;
    bool ascending_ = true;
    std::vector<int> order_;
    std::vector<unsigned char> marks_;
};

}  // namespace kelp
