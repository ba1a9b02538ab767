#include "ui/dialogs/DataSelectModel.h"

#include <iconv.h>

#include <numeric>

#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp {
namespace {

// Site names are kept as the instrument sent them, in Shift JIS.
QString SiteText(const std::string& raw) {
    static const iconv_t convert = iconv_open("UTF-8", "CP932");
    if (convert == reinterpret_cast<iconv_t>(-1)) {
        return QString::fromLatin1(raw.data(), static_cast<qsizetype>(raw.size()));
    }
    char out[128];
    char* in = const_cast<char*>(raw.data());
    std::size_t inLeft = raw.size();
    char* to = out;
    std::size_t outLeft = sizeof out;
    iconv(convert, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0 && iconv(convert, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) {
        if (errno != EILSEQ && errno != EINVAL) {
            break;  // out of room: a site name is 20 bytes, far below it
        }
        // A byte that is not Shift JIS shows as a replacement mark.
        ++in;
        --inLeft;
        if (outLeft < 3) {
            break;
        }
        *to++ = '\xEF';
        *to++ = '\xBF';
        *to++ = '\xBD';
        outLeft -= 3;
    }
    return QString::fromUtf8(out, static_cast<qsizetype>(to - out));
}

}  // namespace

CDataSelectModel::CDataSelectModel(QObject* parent)
    : QAbstractTableModel(parent), order_(kMeasCapacity), marks_(kMeasCapacity) {}

void CDataSelectModel::SetSource(const CMeasDataSet* source) {
    beginResetModel();
    source_ = source;
    ascending_ = true;
    sortColumn_ = ColNumber;
    rows_ = source != nullptr ? std::min(source->GetCount(), kMeasCapacity) : 0;
    RebuildOrder();
    endResetModel();
}

int CDataSelectModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CDataSelectModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

int CDataSelectModel::RecordAt(int row) const {
    if (row < 0 || row >= rows_) {
        return -1;
    }
    return order_[static_cast<std::size_t>(ascending_ ? row : rows_ - 1 - row)];
}

QString CDataSelectModel::CellText(int row, int column) const {
    const int k = RecordAt(row);
    if (k < 0 || source_ == nullptr || k >= source_->GetCount()) {
        return {};
    }
    switch (column) {
        case ColNumber:
            return QString::number(k + 1);
        case ColTime:
            return QString::fromStdString(source_->FormatTime(k, "%Y/%m/%d %H:%M:%S"));
        case ColSite:
            return SiteText(source_->GetSiteName(k));
        case ColLatitude:
            return QString::fromStdString(source_->FormatLatitude(k));
        case ColLongitude:
            return QString::fromStdString(source_->FormatLongitude(k));
        default:
            return {};
    }
}

QVariant CDataSelectModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return CellText(index.row(), index.column());
}

QVariant CDataSelectModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
        case ColNumber:
            return QStringLiteral("No.");
        case ColTime:
            return QString::fromStdString(LoadText(IDS_COL_DATE));
        case ColSite:
            return QStringLiteral("SITE");
        case ColLatitude:
            return QString::fromStdString(LoadText(IDS_COL_LATITUDE));
        case ColLongitude:
            return QString::fromStdString(LoadText(IDS_COL_LONGITUDE));
        default:
            return {};
    }
}

void CDataSelectModel::RebuildOrder() {
    int* out = order_.data();
    if (source_ == nullptr || rows_ == 0) {
        return;
    }
    switch (sortColumn_) {
        case ColTime:
            source_->SortByElapsed(out);
            break;
        case ColSite:
            source_->SortBySite(out);
            break;
        case ColLatitude:
            source_->SortByLatitude(out);
            break;
        case ColLongitude:
            source_->SortByLongitude(out);
            break;
        default:
            std::iota(out, out + rows_, 0);
            break;
    }
}

void CDataSelectModel::ClickColumn(int column) {
    if (column < 0 || column >= ColumnCount) {
        return;
    }
    if (column == sortColumn_) {
        ascending_ = !ascending_;
    } else {
        ascending_ = true;
        sortColumn_ = column;
        RebuildOrder();
    }
    if (rows_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, ColumnCount - 1), {Qt::DisplayRole});
    }
}

void CDataSelectModel::Reload() {
    beginResetModel();
    rows_ = source_ != nullptr ? std::min(source_->GetCount(), kMeasCapacity) : 0;
    RebuildOrder();
    endResetModel();
}

void CDataSelectModel::ClearMarks() {
    std::fill(marks_.begin(), marks_.end(), 0);
}

}  // namespace kelp
