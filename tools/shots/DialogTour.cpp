#include "tools/shots/DialogTour.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <memory>

#include "app/SettingsStore.h"
#include "data/MeasDataSet.h"
#include "link/MessageTarget.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tools/shots/TourSupport.h"
#include "ui/dialogs/CaptureCycleDlg.h"
#include "ui/dialogs/DataSelectDlg.h"
#include "ui/dialogs/DataSelectModel.h"
#include "ui/dialogs/PortSettingsDlg.h"
#include "ui/graphs/GraphSettingsDlg.h"

namespace kelp {
namespace {

using namespace tour;

constexpr int kConductivityElement = 6;

// The dropped-down list of a combo box, pictured on its own.
void ShootPopup(QComboBox* combo, const QString& name, const Shoot& shoot) {
    combo->showPopup();
    shoot(combo->view()->window(), name);
    combo->hidePopup();
}

// Apply notices go nowhere: the tour changes no pane.
class NoOwner final : public IMessageTarget {
  public:
    void Post(AppMessage) override {}
    void Send(AppMessage) override {}
};

void SelectRows(CDataSelectDlg& dlg, std::initializer_list<int> rows) {
    QItemSelection selection;
    for (int row : rows) {
        if (row < dlg.Model().rowCount()) {
            selection.select(dlg.Model().index(row, 0),
                             dlg.Model().index(row, CDataSelectModel::ColumnCount - 1));
        }
    }
    dlg.List()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ShootDataSelection(const CMeasDataSet& downloaded, QWidget* parent, const Shoot& shoot) {
    // The list's column widths follow the user's language: picture each
    // language with a user who speaks it.
    const QLocale before;
    QLocale::setDefault(QLocale(IsEnglish() ? QStringLiteral("en_US") : QStringLiteral("ja_JP")));
    // The dialog deletes from its source: it works on a copy of the download.
    auto source = std::make_unique<CMeasDataSet>();
    auto target = std::make_unique<CMeasDataSet>();
    source->CopyFrom(downloaded);
    CDataSelectDlg dlg(parent);
    dlg.SetDataSets(source.get(), target.get());
    dlg.show();
    shoot(&dlg, QStringLiteral("dialog-data-select"));

    dlg.OnColumnClick(CDataSelectModel::ColTime);
    dlg.OnColumnClick(CDataSelectModel::ColTime);
    SelectRows(dlg, {1, 2, 3, 6});
    shoot(&dlg, QStringLiteral("dialog-data-select-time-descending"));

    dlg.OnColumnClick(CDataSelectModel::ColLatitude);
    dlg.OnColumnClick(CDataSelectModel::ColLatitude);
    // The rows selected before the sort, at their new places.
    const QModelIndexList selected = dlg.List()->selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        dlg.List()->scrollTo(*std::min_element(selected.begin(), selected.end()),
                             QAbstractItemView::PositionAtCenter);
    }
    shoot(&dlg, QStringLiteral("dialog-data-select-latitude-descending"));

    dlg.resize(920, 460);
    shoot(&dlg, QStringLiteral("dialog-data-select-wide"));

    dlg.OnColumnClick(CDataSelectModel::ColNumber);
    dlg.OnColumnClick(CDataSelectModel::ColNumber);
    SelectRows(dlg, {0, 1, 2, 3, 4});
    Find<QPushButton>(&dlg, IDC_SELECT_DELETE)->click();
    shoot(&dlg, QStringLiteral("dialog-data-select-deleted"));
    dlg.reject();
    QLocale::setDefault(before);
}

void ShootGraphSettings(const CMeasDataSet& downloaded, const std::array<int, kSlotCount>& columns,
                        const CSettingsStore& settings, QWidget* parent, const Shoot& shoot) {
    GraphSlotArray graphSlots = DefaultGraphSlots();
    GraphTimeSettings time;
    settings.ReadGraphSlots("GraphSettings", graphSlots);
    settings.ReadTimeAxis(time);
    // A few fixed ranges, so that the picture shows enabled bound edits.
    const int conductivity = downloaded.FindSlot(kConductivityElement);
    const int depth = downloaded.FindSlot(kDepthElement);
    graphSlots[1] = GraphSlotSettings{1, 0, 0, 6.0, 9.0};
    if (conductivity >= 0) {
        graphSlots[2] = GraphSlotSettings{conductivity, 0, 0, 0.0, 60.0};
    }
    if (depth >= 0) {
        graphSlots[3] = GraphSlotSettings{depth, 1, 0, 0.0, 120.0};
    }
    time.RangeType = 1;
    time.XMin = 0;
    time.XMax = 3600;

    NoOwner owner;
    CGraphSettingsDlg dlg(&owner, columns, parent);
    dlg.show();
    dlg.SetSettings(&graphSlots, &time);
    shoot(&dlg, QStringLiteral("dialog-graph-settings"));
    ShootPopup(Find<QComboBox>(&dlg, kRangeRowComponentIds[4]),
               QStringLiteral("dialog-graph-settings-components"), shoot);
    ShootPopup(Find<QComboBox>(&dlg, kRangeRowUnitIds[0]), QStringLiteral("dialog-graph-settings-units"),
               shoot);

    // Row 7 below the lowest bound: the message, then the focus on its edit.
    Find<QCheckBox>(&dlg, kRangeRowAutoIds[6])->click();
    Find<QLineEdit>(&dlg, kRangeRowLowerIds[6])->setText(QStringLiteral("-10001"));
    Find<QLineEdit>(&dlg, kRangeRowUpperIds[6])->setText(QStringLiteral("50"));
    Find<QPushButton>(&dlg, IDC_APPLY)->click();
    shoot(&dlg, QStringLiteral("dialog-graph-settings-refused"));
    dlg.reject();
}

void ShootPortSettings(const CSettingsStore& settings, QWidget* parent, const Shoot& shoot) {
    PortSettings port;
    PortDeviceMap devices;
    settings.ReadPortSettings(port, devices);
    {
        CPortSettingsDlg dlg(parent);
        dlg.SetSettings(&port);
        dlg.SetDeviceMap(devices);
        dlg.show();
        shoot(&dlg, QStringLiteral("dialog-port-settings"));
        ShootPopup(Find<QComboBox>(&dlg, IDC_PORT_NO), QStringLiteral("dialog-port-settings-ports"), shoot);
        dlg.reject();
    }
    {
        // A hand-edited file: no listed rate, bit count, parity or stop bits.
        PortSettings odd{19, 1200, 9, 7, 200};
        CPortSettingsDlg dlg(parent);
        dlg.SetSettings(&odd);
        dlg.SetDeviceMap(devices);
        dlg.show();
        shoot(&dlg, QStringLiteral("dialog-port-settings-fallback"));
        dlg.reject();
    }
}

void ShootCaptureCycle(const CSettingsStore& settings, QWidget* parent, const Shoot& shoot) {
    std::uint32_t cycle = settings.ReadCaptureInterval();
    CCaptureCycleDlg dlg(parent);
    dlg.SetSettings(&cycle);
    dlg.show();
    shoot(&dlg, QStringLiteral("dialog-capture-cycle"));
    Find<QLineEdit>(&dlg, IDC_CAPTURE_CYCLE)->setText(QStringLiteral("0"));
    Find<QPushButton>(&dlg, IDOK)->click();
    shoot(&dlg, QStringLiteral("dialog-capture-cycle-refused"));
    dlg.reject();
}

}  // namespace

void ShootDialogs(const CMeasDataSet& downloaded, const std::array<int, kSlotCount>& columns,
                  const CSettingsStore& settings, QWidget* parent, const Shoot& shoot) {
    ShootDataSelection(downloaded, parent, shoot);
    ShootGraphSettings(downloaded, columns, settings, parent, shoot);
    ShootPortSettings(settings, parent, shoot);
    ShootCaptureCycle(settings, parent, shoot);
}

}  // namespace kelp
