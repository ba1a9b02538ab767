#include "tools/shots/UnsavedTour.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <fstream>
#include <iterator>
#include <memory>

#include "app/SettingsStore.h"
#include "data/CaptureJournal.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/ui_main/WaitFor.h"
#include "tools/shots/TourSupport.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"

namespace kelp {
namespace {

using test::WaitFor;

using namespace tour;

// The offscreen platform draws no window frame: the title is drawn as a
// plain bar above the window's picture.
void ShootWithTitle(CMainDlg& dlg, const QString& name, const Shoot& shoot) {
    const QPixmap window = dlg.grab();
    const int bar = dlg.fontMetrics().height() + 12;
    QPixmap framed(window.width(), window.height() + bar);
    framed.fill(QColor(0x3c, 0x3c, 0x3c));
    {
        QPainter painter(&framed);
        painter.setPen(Qt::white);
        painter.setFont(dlg.font());
        painter.drawText(QRect(10, 0, window.width() - 20, bar), Qt::AlignVCenter | Qt::AlignLeft,
                         dlg.windowTitle());
        painter.drawPixmap(0, bar, window);
    }
    QLabel picture;
    picture.setPixmap(framed);
    picture.resize(framed.size());
    shoot(&picture, name);
}

void Capture(CMainDlg& dlg, int records) {
    dlg.findChild<QPushButton*>(QString::number(IDC_CAPTURE))->click();
    WaitFor([&] { return dlg.LiveData().GetCount() >= records; });
    dlg.findChild<QPushButton*>(QString::number(IDC_CAPTURE))->click();
    WaitFor([&] { return dlg.GetState() == CMainDlg::Idle; });
}

}  // namespace

void ShootUnsavedData(const std::string& tty, const std::string& folder, const Shoot& shoot) {
    QDir().mkpath(QString::fromStdString(folder));
    const std::string ini = folder + "/Kelp-Win.ini";
    std::ofstream(ini) << "[PortDevices]\nCOM3=" << tty << "\n[MeasureSettings]\nMeasCycle=1\n";
    CSettingsStore settings(ini);
    const std::string program = QCoreApplication::applicationFilePath().toStdString();

    // Every box is pictured; the question about unsaved data is answered
    // Cancel (the window stays), everything else OK.
    SetMessageResponder([&](QWidget* owner, int id, int style) {
        auto box = BuildMessageBox(owner, id, style, ShownMessageText());
        box->show();
        shoot(box.get(), QStringLiteral("message-%1").arg(id));
        return id == IDS_CONFIRM_SAVE_UNSAVED ? IDCANCEL : IDOK;
    });
    const std::string saved = folder + "/river-mouth.csv";
    SetSaveFileResponder([&](QWidget*) { return saved; });
    {
        CMainDlg dlg(settings, program);
        dlg.show();
        Capture(dlg, 5);
        ShootWithTitle(dlg, QStringLiteral("title-unsaved"), shoot);
        dlg.close();
        ShootWithTitle(dlg, QStringLiteral("title-after-cancel"), shoot);
        dlg.UpdateCommandUi();
        dlg.findChild<QAction*>(QString::number(ID_FILE_SAVE))->trigger();
        ShootWithTitle(dlg, QStringLiteral("title-saved"), shoot);

        // Met in the field only with a read-only or full settings folder, or
        // after hours of capturing: shown here as they would be.
        ShowMessage(&dlg, IDS_JOURNAL_NOT_WRITTEN, kStyleWarning,
                    LoadText(IDS_JOURNAL_NOT_WRITTEN) + CMainDlg::JournalFolderLine(folder));
        ShowMessage(&dlg, IDS_CAPTURE_LIMIT_REACHED, kStyleWarning);

        // A capture the window is gone from without the user's consent.
        Capture(dlg, 5);
    }

    // Its journal, with a line in the middle damaged, at the next start.
    const std::string path = folder + "/" + CCaptureJournal::kFileName;
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t start = 0;
    for (int line = 1; line < 5 && start != std::string::npos; ++line) {
        start = bytes.find('\n', start) + 1;
    }
    if (start != std::string::npos && start + 80 < bytes.size()) {
        bytes.erase(start + 40, 40);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    {
        CMainDlg dlg(settings, program);
        dlg.show();
        ShootWithTitle(dlg, QStringLiteral("title-restored"), shoot);
    }
    SetMessageResponder({});
    SetSaveFileResponder({});
}

}  // namespace kelp
