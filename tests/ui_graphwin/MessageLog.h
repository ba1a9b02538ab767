#pragma once
#include <vector>

#include "ui/main/MessageBox.h"

namespace kelp::testing {

// Records every message box the windows ask for and answers OK; the real
// boxes come back when it goes out of scope.
class MessageLog final {
  public:
    MessageLog() {
        SetMessageResponder([this](QWidget*, int id, int style) {
            ids.push_back(id);
            styles.push_back(style);
            return 1;
        });
    }
    ~MessageLog() { SetMessageResponder({}); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<int> ids;
    std::vector<int> styles;
};

}  // namespace kelp::testing
