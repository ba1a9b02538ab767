// Stand-ins for the text table and the message box routine while those land.
#include <map>
#include <string>

#include "resources/Texts.h"
#include "ui/main/MessageBox.h"

namespace kelp {
namespace {
MessageResponder& Responder() {
    static MessageResponder responder;
    return responder;
}
}  // namespace

const std::string& LoadText(int id) {
    static std::map<int, std::string> texts;
    auto [it, added] = texts.try_emplace(id, "text " + std::to_string(id));
    return it->second;
}

int ShowMessage(QWidget* owner, int stringId, unsigned style) {
    return Responder() ? Responder()(owner, stringId, style) : 1;
}

void SetMessageResponder(MessageResponder responder) {
    Responder() = std::move(responder);
}

}  // namespace kelp
