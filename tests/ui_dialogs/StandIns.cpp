// Stand-in for the message box routine while it lands with the main window.
#include "ui/main/MessageBox.h"

namespace kelp {
namespace {
MessageResponder& Responder() {
    static MessageResponder responder;
    return responder;
}
}  // namespace

int ShowMessage(QWidget* owner, int stringId, int style) {
    return Responder() ? Responder()(owner, stringId, style) : IDOK;
}

void SetMessageResponder(MessageResponder responder) {
    Responder() = std::move(responder);
}

}  // namespace kelp
