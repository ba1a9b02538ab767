#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "resources/ResourceIds.h"

class QFileDialog;
class QMessageBox;
class QWidget;

namespace kelp {

class CSettingsStore;

// Message box styles: buttons in the low bits, icon above them.
constexpr int MB_OK = 0x00;
constexpr int MB_OKCANCEL = 0x01;
constexpr int MB_YESNOCANCEL = 0x03;
constexpr int MB_ICONSTOP = 0x10;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONEXCLAMATION = 0x30;
constexpr int MB_ICONINFORMATION = 0x40;

// The styles the program uses.
constexpr int kStyleError = MB_ICONSTOP | MB_OK;                     // 16
constexpr int kStyleConfirm = MB_ICONINFORMATION | MB_OKCANCEL;      // 65
constexpr int kStyleQuestion = MB_ICONQUESTION | MB_OKCANCEL;        // 33
constexpr int kStyleYesNoCancel = MB_ICONQUESTION | MB_YESNOCANCEL;  // 35
constexpr int kStyleWarning = MB_ICONEXCLAMATION | MB_OK;            // 48

// Buttons a message box returns, besides IDOK (1) and IDCANCEL (2) of the
// resource ids.
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows the string-table message `stringId` under the program's title with
// the given style, modally over `owner`, and returns the button pressed
// (Esc or the close box answer Cancel, or OK when OK is the only button).
int ShowMessage(QWidget* owner, int stringId, int style);

// ShowMessage with `text` shown in place of the string-table text: message
// `stringId` with lines of its own added (a device path and a reason, say).
// Responders still see `stringId`; ShownMessageText gives them the text.
int ShowMessage(QWidget* owner, int stringId, int style, const std::string& text);

// The text of the message being asked (for responders while they answer).
const std::string& ShownMessageText();

// The box ShowMessage would show, not yet run: for pictures of it. An empty
// `text` shows the string-table text of `stringId`.
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* owner, int stringId, int style,
                                             const std::string& text = {});

// Answers message boxes instead of the user (tests, the screenshot tour).
// An empty responder brings back the real boxes.
using MessageResponder = std::function<int(QWidget* owner, int stringId, int style)>;
void SetMessageResponder(MessageResponder responder);

// The file dialogs for the program's CSV files. They return the chosen path
// (UTF-8), or an empty text when the user cancelled. Both start in the
// folder used last; the save dialog proposes `proposedName` there, asks
// before overwriting and adds ".csv" to a name without an extension.
std::string AskOpenFileName(QWidget* owner);
std::string AskSaveFileName(QWidget* owner, const std::string& proposedName = {});
// The open dialog with several files chosen at once, in the order chosen;
// none when the user cancelled. The open responder answers it with one
// path a line.
std::vector<std::string> AskOpenFileNames(QWidget* owner);

// The settings file that keeps the folder the file dialogs used last (not
// owned; null keeps none, and the dialogs start in the home folder).
void SetFileDialogStore(const CSettingsStore* store);

// Where the file dialog being asked starts: a folder, or for saving the
// proposed file in it (for responders while they answer).
const std::string& FileDialogStartPath();

// The dialog AskOpenFileName or AskSaveFileName would show, not yet run:
// for pictures of it. `start` as FileDialogStartPath gives it.
std::unique_ptr<QFileDialog> BuildFileDialog(QWidget* owner, bool save, const std::string& start);

// A save dialog for other kinds of file (pictures of the graphs): titled
// `title`, one filter for each of `filters` ("PNG image (*.png)") with its
// extension in `suffixes` ("png"), proposing `proposedName` in the folder
// used last. A name whose extension is none of them gets the chosen
// filter's. Answered by the save responder too.
std::string AskSaveFileName(QWidget* owner, const std::string& title, const std::vector<std::string>& filters,
                            const std::vector<std::string>& suffixes, const std::string& proposedName = {});

// A folder dialog titled `title`, starting in the folder used last: the
// folder chosen, or an empty text for Cancel. Answered by the save
// responder too.
std::string AskFolderName(QWidget* owner, const std::string& title);

// Answers the file dialogs instead of the user: the returned text is the
// chosen path, an empty text is Cancel. An empty responder brings back the
// real dialogs.
using FileDialogResponder = std::function<std::string(QWidget* owner)>;
void SetOpenFileResponder(FileDialogResponder responder);
void SetSaveFileResponder(FileDialogResponder responder);

}  // namespace kelp
