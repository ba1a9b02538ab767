#pragma once
#include <QWidget>
#include <string>
#include <vector>

#include "resources/ResourceIds.h"
#include "ui/main/MessageBox.h"

namespace kelp::test {

// Records every message box a test provokes and answers it with OK.
class MessageLog final {
  public:
    MessageLog() {
        SetMessageResponder([this](QWidget*, int id, int style) {
            ids.push_back(id);
            styles.push_back(style);
            texts.push_back(ShownMessageText());
            return IDOK;
        });
    }
    ~MessageLog() { SetMessageResponder({}); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<int> ids;
    std::vector<int> styles;
    std::vector<std::string> texts;  // as shown, with any lines added
};

// The widget of a template control, found by its id.
template <typename T>
T* Control(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QString::number(id));
}

}  // namespace kelp::test
