#include "ui/main/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

#include "app/SettingsStore.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp {
namespace {

MessageResponder& Responder() {
    static MessageResponder responder;
    return responder;
}

std::string& ShownText() {
    static std::string text;
    return text;
}

FileDialogResponder& OpenResponder() {
    static FileDialogResponder responder;
    return responder;
}

FileDialogResponder& SaveResponder() {
    static FileDialogResponder responder;
    return responder;
}

QString Text(int id) {
    return QString::fromStdString(LoadText(id));
}

QMessageBox::Icon IconOf(int style) {
    switch (style & 0xF0) {
        case MB_ICONSTOP:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// Qt's own file dialog opens too narrow for the program's font, and cuts
// off its Size, Type and Date columns. It gets room for them, and each of
// them the width of what it shows; the name takes the rest. A dialog of
// the desktop has no such view and stays as it is.
void FitFileDialog(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (view == nullptr) {
        return;
    }
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    const QFontMetrics metrics(dialog.font());
    dialog.resize(dialog.size().expandedTo(QSize(metrics.averageCharWidth() * 110, metrics.height() * 28)));
}

// The filter of the program's data files, in Qt's notation. The dialogs
// show its name only, the text of string 2104 as it stands.
QString CsvFilter() {
    return Text(IDS_CSV_FILTER) + QStringLiteral(" (*.csv)");
}

const CSettingsStore*& FolderStore() {
    static const CSettingsStore* store = nullptr;
    return store;
}

std::string& StartPath() {
    static std::string path;
    return path;
}

// The folder used last while it is still there, else the home folder.
std::string StartFolder() {
    if (FolderStore() != nullptr) {
        const QString folder = QString::fromStdString(FolderStore()->ReadLastFolder());
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            return folder.toStdString();
        }
    }
    return QDir::homePath().toStdString();
}

void RememberFolder(const std::string& chosen) {
    if (!chosen.empty() && FolderStore() != nullptr) {
        FolderStore()->WriteLastFolder(
            QFileInfo(QString::fromStdString(chosen)).absolutePath().toStdString());
    }
}

}  // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* owner, int stringId, int style,
                                             const std::string& text) {
    auto box = std::make_unique<QMessageBox>(owner);
    box->setWindowTitle(Text(IDS_APP_TITLE));
    box->setTextFormat(Qt::PlainText);
    box->setText(text.empty() ? Text(stringId) : QString::fromStdString(text));
    box->setIcon(IconOf(style));
    // Each button carries the id it answers, so the caller gets the same
    // numbers whatever Qt calls its roles.
    auto add = [&](int textId, QMessageBox::ButtonRole role, int answer) {
        QPushButton* button = box->addButton(Text(textId), role);
        button->setProperty("kelpAnswer", answer);
        return button;
    };
    switch (style & 0x0F) {
        case MB_OKCANCEL: {
            box->setDefaultButton(add(IDS_BUTTON_OK, QMessageBox::AcceptRole, IDOK));
            box->setEscapeButton(add(IDS_BUTTON_CANCEL, QMessageBox::RejectRole, IDCANCEL));
            break;
        }
        case MB_YESNOCANCEL: {
            box->setDefaultButton(add(IDS_BUTTON_YES, QMessageBox::YesRole, IDYES));
            add(IDS_BUTTON_NO, QMessageBox::NoRole, IDNO);
            box->setEscapeButton(add(IDS_BUTTON_CANCEL, QMessageBox::RejectRole, IDCANCEL));
            break;
        }
        default: {
            QPushButton* ok = add(IDS_BUTTON_OK, QMessageBox::AcceptRole, IDOK);
            box->setDefaultButton(ok);
            box->setEscapeButton(ok);
            break;
        }
    }
    return box;
}

int ShowMessage(QWidget* owner, int stringId, int style) {
    return ShowMessage(owner, stringId, style, LoadText(stringId));
}

const std::string& ShownMessageText() {
    return ShownText();
}

int ShowMessage(QWidget* owner, int stringId, int style, const std::string& text) {
    ShownText() = text;
    if (Responder()) {
        return Responder()(owner, stringId, style);
    }
    auto box = BuildMessageBox(owner, stringId, style, text);
    box->exec();
    QAbstractButton* pressed = box->clickedButton();
    if (pressed == nullptr) {
        pressed = box->escapeButton();
    }
    return pressed != nullptr ? pressed->property("kelpAnswer").toInt() : IDCANCEL;
}

void SetMessageResponder(MessageResponder responder) {
    Responder() = std::move(responder);
}

std::unique_ptr<QFileDialog> BuildFileDialog(QWidget* owner, bool save, const std::string& start) {
    const QFileInfo info(QString::fromStdString(start));
    auto dialog = std::make_unique<QFileDialog>(owner, QString(), QString(), CsvFilter());
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    if (save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setDefaultSuffix(QStringLiteral("csv"));
        dialog->setDirectory(info.absolutePath());
        dialog->selectFile(info.fileName());
    } else {
        dialog->setFileMode(QFileDialog::ExistingFile);
        dialog->setDirectory(info.absoluteFilePath());
    }
    FitFileDialog(*dialog);
    return dialog;
}

const std::string& FileDialogStartPath() {
    return StartPath();
}

void SetFileDialogStore(const CSettingsStore* store) {
    FolderStore() = store;
}

namespace {

std::string AskFileName(QWidget* owner, bool save, const FileDialogResponder& responder) {
    std::string chosen;
    if (responder) {
        chosen = responder(owner);
    } else {
        auto dialog = BuildFileDialog(owner, save, StartPath());
        if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
            chosen = dialog->selectedFiles().front().toStdString();
        }
    }
    RememberFolder(chosen);
    return chosen;
}

}  // namespace

std::string AskOpenFileName(QWidget* owner) {
    StartPath() = StartFolder();
    return AskFileName(owner, false, OpenResponder());
}

std::string AskSaveFileName(QWidget* owner, const std::string& proposedName) {
    StartPath() = StartFolder();
    if (!proposedName.empty()) {
        StartPath() += "/" + proposedName;
    }
    return AskFileName(owner, true, SaveResponder());
}

std::vector<std::string> AskOpenFileNames(QWidget* owner) {
    StartPath() = StartFolder();
    std::vector<std::string> chosen;
    if (OpenResponder()) {
        const QString answer = QString::fromStdString(OpenResponder()(owner));
        for (const QString& line : answer.split(u'\n', Qt::SkipEmptyParts)) {
            chosen.push_back(line.toStdString());
        }
    } else {
        auto dialog = BuildFileDialog(owner, false, StartPath());
        dialog->setFileMode(QFileDialog::ExistingFiles);
        if (dialog->exec() == QDialog::Accepted) {
            for (const QString& file : dialog->selectedFiles()) {
                chosen.push_back(file.toStdString());
            }
        }
    }
    if (!chosen.empty()) {
        RememberFolder(chosen.front());
    }
    return chosen;
}

std::string AskSaveFileName(QWidget* owner, const std::string& title, const std::vector<std::string>& filters,
                            const std::vector<std::string>& suffixes, const std::string& proposedName) {
    const std::string folder = StartFolder();
    StartPath() = proposedName.empty() ? folder : folder + "/" + proposedName;
    if (SaveResponder()) {
        return SaveResponder()(owner);
    }
    QStringList names;
    for (const std::string& filter : filters) {
        names << QString::fromStdString(filter);
    }
    QFileDialog dialog(owner, QString::fromStdString(title));
    dialog.setNameFilters(names);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDirectory(QString::fromStdString(folder));
    if (!proposedName.empty()) {
        dialog.selectFile(QString::fromStdString(proposedName));
    }
    if (!suffixes.empty()) {
        dialog.setDefaultSuffix(QString::fromStdString(suffixes.front()));
    }
    FitFileDialog(dialog);
    // The default suffix follows the filter the user picks.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const auto i = static_cast<std::size_t>(names.indexOf(filter));
        if (i < suffixes.size()) {
            dialog.setDefaultSuffix(QString::fromStdString(suffixes[i]));
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    std::string path = dialog.selectedFiles().front().toStdString();
    const std::string suffix = QFileInfo(dialog.selectedFiles().front()).suffix().toLower().toStdString();
    if (!suffixes.empty() && std::find(suffixes.begin(), suffixes.end(), suffix) == suffixes.end()) {
        const auto i = static_cast<std::size_t>(names.indexOf(dialog.selectedNameFilter()));
        path += "." + (i < suffixes.size() ? suffixes[i] : suffixes.front());
    }
    return path;
}

std::string AskFolderName(QWidget* owner, const std::string& title) {
    StartPath() = StartFolder();
    std::string chosen;
    if (SaveResponder()) {
        chosen = SaveResponder()(owner);
    } else {
        QFileDialog dialog(owner, QString::fromStdString(title), QString::fromStdString(StartPath()));
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        FitFileDialog(dialog);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            chosen = dialog.selectedFiles().front().toStdString();
        }
    }
    // The folder itself is the one to start in next time.
    if (!chosen.empty() && FolderStore() != nullptr) {
        FolderStore()->WriteLastFolder(chosen);
    }
    return chosen;
}

void SetOpenFileResponder(FileDialogResponder responder) {
    OpenResponder() = std::move(responder);
}

void SetSaveFileResponder(FileDialogResponder responder) {
    SaveResponder() = std::move(responder);
}

}  // namespace kelp
