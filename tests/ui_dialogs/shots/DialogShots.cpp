// Pictures of the settings and selection dialogs, filled with records made
// by the simulator's generator, as a download would deliver them.
//
//   kelp-dialog-shots OUTPUT_FOLDER [ja|en]

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <QThread>
#include <cstdio>
#include <string>

#include "app/GraphSettings.h"
#include "data/MeasDataSet.h"
#include "link/MessageTarget.h"
#include "link/PortSettings.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tools/sim/RecordGenerator.h"
#include "ui/dialogs/CaptureCycleDlg.h"
#include "ui/dialogs/DataSelectDlg.h"
#include "ui/dialogs/DataSelectModel.h"
#include "ui/dialogs/PortSettingsDlg.h"
#include "ui/graphs/GraphSettingsDlg.h"

namespace {

using namespace kelp;

QString g_folder;

void Shoot(QWidget* widget, const char* name) {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    const QString file = QDir(g_folder).filePath(QStringLiteral("%1.png").arg(QLatin1String(name)));
    if (widget->grab().save(file)) {
        std::printf("%s\n", qPrintable(file));
    } else {
        std::fprintf(stderr, "kelp-dialog-shots: cannot write %s\n", qPrintable(file));
    }
}

class NoTarget final : public IMessageTarget {
  public:
    void Post(AppMessage) override {}
    void Send(AppMessage) override {}
};

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kelp-dialog-shots OUTPUT_FOLDER [ja|en]\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    const bool english = argc > 2 && std::string(argv[2]) == "en";
    QDir().mkpath(g_folder);
    const char* locale = english ? "en_US" : "ja_JP";
    QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
    SelectLanguage(locale, std::string(KELP_BIN_DIR) + "/Kelpeng.txt");

    // A download of 120 logged records: the instrument sends the newest
    // first, and the main window reverses the set at the end.
    const sim::CRecordGenerator generator(1, 120, 3, false);
    CMeasDataSet downloaded;
    for (int i = 0; i < generator.Records(); ++i) {
        downloaded.AddMemoryRecord(generator.MemoryRecord(i, false));
    }
    downloaded.Reverse();
    CMeasDataSet live;

    {
        CDataSelectDlg dlg;
        dlg.SetDataSets(&downloaded, &live);
        dlg.show();
        Shoot(&dlg, "data-select");
        dlg.OnColumnClick(CDataSelectModel::ColTime);
        dlg.OnColumnClick(CDataSelectModel::ColTime);
        QItemSelection rows;
        for (int row : {1, 2, 3, 7}) {
            rows.select(dlg.Model().index(row, 0), dlg.Model().index(row, CDataSelectModel::ColumnCount - 1));
        }
        dlg.List()->selectionModel()->select(rows, QItemSelectionModel::Select);
        Shoot(&dlg, "data-select-time-descending");
        dlg.resize(900, 420);
        Shoot(&dlg, "data-select-wider");
    }

    {
        std::array<int, kSlotCount> columns{};
        for (int slot = 0; slot < kSlotCount; ++slot) {
            columns[slot] = downloaded.GetElement(slot);
        }
        GraphSlotArray graphSlots = DefaultGraphSlots();
        graphSlots[1] = GraphSlotSettings{4, 0, 0, 0.0, 60.0};    // conductivity, fixed
        graphSlots[2] = GraphSlotSettings{10, 1, 0, 0.0, 120.0};  // depth in feet, fixed
        GraphTimeSettings time{0, 1, 0, 3600, 600, 1};
        NoTarget owner;
        CGraphSettingsDlg dlg(&owner, columns);
        dlg.show();
        dlg.SetSettings(&graphSlots, &time);
        Shoot(&dlg, "graph-settings");
    }

    {
        PortSettings port{5, 19200, 8, 0, 0};
        CPortSettingsDlg dlg;
        dlg.SetSettings(&port);
        dlg.SetDeviceMap({{3, "/dev/null"}});
        dlg.show();
        Shoot(&dlg, "port-settings");
        auto* list = dlg.findChild<QComboBox*>(QString::number(IDC_PORT_NO));
        list->showPopup();
        Shoot(list->view()->window(), "port-settings-ports");
        list->hidePopup();
    }

    {
        std::uint32_t cycle = 10;
        CCaptureCycleDlg dlg;
        dlg.SetSettings(&cycle);
        dlg.show();
        Shoot(&dlg, "capture-cycle");
    }
    return 0;
}
