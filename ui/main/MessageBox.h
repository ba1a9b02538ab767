#pragma once
#include <functional>

class QWidget;

namespace kelp {

// Message box styles (the buttons and icon of a message).
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONINFORMATION = 0x40;

// Shows string `stringId` under the program's title, owned by `owner`, and
// returns the button pressed (IDOK, IDCANCEL, ...).
int ShowMessage(QWidget* owner, int stringId, unsigned style);

// Answers every ShowMessage instead of a real message box while set (tests).
using MessageResponder = std::function<int(QWidget* owner, int stringId, unsigned style)>;
void SetMessageResponder(MessageResponder responder);

}  // namespace kelp
