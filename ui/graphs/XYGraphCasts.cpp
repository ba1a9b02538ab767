// The X-Y graph's choice of cast: a profile drawn cast by cast instead of
// as one line over every record, which zig-zags from the bottom of one cast
// to the top of the next.
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "app/CastFiles.h"
#include "app/SettingsStore.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/DialogText.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/graphs/XYGraphDlg.h"

namespace kelp {

namespace {

// Below the Y scale list, above the graph settings button.
constexpr TemplateRect kCastLabel{7, 290, 60, 8};
constexpr TemplateRect kCastList{7, 302, 60, 124};
constexpr int kAllRecords = 0;
constexpr int kEachCast = 1;

// A square of a piece's colour, beside its entry in the list.
QIcon ColourIcon(const QColor& colour) {
    QPixmap pixmap(12, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

}  // namespace

void CXYGraphDlg::BuildCastList(const TemplateScale& ts) {
    auto* label = new QLabel(WithMnemonic(Utf8(LoadCaption(IDD_XY_GRAPH, IDC_LABEL_CAST)), 'C'), client_);
    label->setObjectName(QString::number(IDC_LABEL_CAST));
    label->setGeometry(ts.Map(kCastLabel));
    castList_ = new QComboBox(client_);
    castList_->setObjectName(QString::number(IDC_XY_CAST));
    castList_->setGeometry(ts.MapCombo(kCastList));
    label->setBuddy(castList_);
    connect(castList_, &QComboBox::currentIndexChanged, this, &CXYGraphDlg::OnCastChange);
}

void CXYGraphDlg::FillCastList() {
    const QSignalBlocker block(castList_);
    castList_->clear();
    graph_.SetPieces({}, false);
    // No data, no casts: the settings file is not read for them.
    casts_ = data_.GetCount() == 0
                 ? CastList{}
                 : FindCasts(data_, store_ != nullptr ? store_->ReadCastOptions() : CastOptions{});
    const auto profiles = ProfileRanges(casts_, false);
    const QStringList fixed = Utf8(LoadCaption(IDD_XY_GRAPH, IDC_XY_CAST)).split(u'\n');
    castList_->addItem(fixed.value(kAllRecords));
    // Each cast of its own only where there is more than one.
    if (profiles.size() > 1) {
        castList_->addItem(fixed.value(kEachCast));
    }
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        const Cast& cast = *profiles[i].first;
        const QString text = QStringLiteral("%1: %2").arg(cast.number).arg(Utf8(CastName(cast)));
        if (profiles.size() > 1) {
            castList_->addItem(ColourIcon(CXYGraph::PieceColour(static_cast<int>(i))), text, cast.number);
        } else {
            castList_->addItem(text, cast.number);
        }
    }
    castList_->setCurrentIndex(kAllRecords);
    castList_->setEnabled(!profiles.empty());
}

void CXYGraphDlg::OnCastChange(int index) {
    if (index < 0) {
        return;
    }
    std::vector<CXYGraph::Piece> pieces;
    const QVariant number = castList_->itemData(index);
    for (const auto& [cast, range] : ProfileRanges(casts_, false)) {
        if (index != kAllRecords && (!number.isValid() || number.toInt() == cast->number)) {
            pieces.push_back({range, CastName(*cast)});
        }
    }
    graph_.SetPieces(std::move(pieces), !number.isValid());
    graph_.ComputeRanges();
    SetCaption();
    if (number.isValid()) {
        setWindowTitle(windowTitle() + QStringLiteral("  ") + castList_->itemText(index));
    }
    UpdateBoxTips();
    client_->update();
}

}  // namespace kelp
