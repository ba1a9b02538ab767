// The depth graph's Add Casts: the casts found in the data on display,
// each a series of its own.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include "app/CastFiles.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/DialogText.h"
#include "ui/graphs/DepthGraphDlg.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/main/MessageBox.h"

namespace kelp {

void CDepthGraphDlg::BuildCastControls() {
    // Add Casts stands above Add and Delete, as wide as both; the series
    // list gives up the room.
    const QRect add = addButton_->geometry().united(deleteButton_->geometry());
    addCastsButton_ =
        new QPushButton(WithMnemonic(Utf8(LoadCaption(IDD_DEPTH_GRAPH, IDC_DEPTH_ADD_CASTS)), 'C'), client_);
    addCastsButton_->setObjectName(QString::number(IDC_DEPTH_ADD_CASTS));
    addCastsButton_->setGeometry(add.translated(0, -addButton_->height() - 2));
    addCastsButton_->setAutoDefault(false);
    QRect list = seriesList_->geometry();
    list.setBottom(addCastsButton_->geometry().top() - 3);
    seriesList_->setGeometry(list);
    connect(addCastsButton_, &QPushButton::clicked, this, &CDepthGraphDlg::OnAddCasts);

    // In the file menu, after Add File...
    addCastsAction_ = AddMenuCommand(fileMenu_, IDR_MENU_DEPTH, ID_ADD_CASTS);
    downcastsAction_ = AddMenuCommand(fileMenu_, IDR_MENU_DEPTH, ID_DOWNCASTS_ONLY);
    downcastsAction_->setCheckable(true);
    downcastsAction_->setChecked(true);
    const QList<QAction*> actions = fileMenu_->actions();
    QAction* after = actions.value(actions.indexOf(addAction_) + 1);
    fileMenu_->insertAction(after, addCastsAction_);
    fileMenu_->insertAction(after, downcastsAction_);
    connect(addCastsAction_, &QAction::triggered, this, &CDepthGraphDlg::OnAddCasts);
    UpdateCastCommands();
}

void CDepthGraphDlg::UpdateCastCommands() {
    const bool can =
        castSource_ != nullptr && castSource_->GetCount() > 0 && graph_.SeriesCount() < kDepthMaxSeries;
    addCastsButton_->setEnabled(can);
    addCastsAction_->setEnabled(can);
}

void CDepthGraphDlg::OnAddCasts() {
    if (castSource_ == nullptr || castSource_->GetCount() == 0 || graph_.SeriesCount() >= kDepthMaxSeries) {
        return;
    }
    const CastList list = FindCasts(*castSource_, castOptions_);
    auto ranges = ProfileRanges(list, downcastsAction_->isChecked());
    if (ranges.empty()) {
        ShowMessage(this, IDS_DEPTH_NO_CASTS, MB_ICONSTOP);
        return;
    }
    const std::size_t room = static_cast<std::size_t>(kDepthMaxSeries - graph_.SeriesCount());
    const std::size_t leftOut = ranges.size() > room ? ranges.size() - room : 0;
    ranges.resize(ranges.size() - leftOut);
    // Taken one by one, drawn once.
    const bool first = graph_.SeriesCount() == 0;
    bool taken = false;
    for (const auto& [cast, range] : ranges) {
        CopyCast(*castSource_, *cast, range, scratch_);
        if (!TakeSeries(scratch_)) {
            break;  // told why
        }
        taken = true;
    }
    scratch_.Clear();
    if (taken) {
        ShowSeries(first);
    }
    if (leftOut > 0) {
        ShowMessage(this, IDS_DEPTH_CASTS_LEFT_OUT, MB_ICONSTOP,
                    Utf8(LoadText(IDS_DEPTH_CASTS_LEFT_OUT)).arg(leftOut).toStdString());
    }
}

}  // namespace kelp
