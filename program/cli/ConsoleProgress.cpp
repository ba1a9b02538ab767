#include "program/cli/ConsoleProgress.h"

#include "link/Event.h"
#include "program/cli/Console.h"
#include "program/cli/ConsoleLoop.h"
#include "resources/Texts.h"

namespace kelp::cli {

CConsoleProgress::CConsoleProgress(CConsoleLoop& loop, CConsole* console) : loop_(loop), console_(console) {}

void CConsoleProgress::SetTotal(int total) {
    total_ = total;
    if (console_ != nullptr && created_) {
        console_->SetTotal(total);
    }
}

void CConsoleProgress::SetTitleId(int stringId) {
    titleId_ = stringId;
}

IMessageTarget& CConsoleProgress::Target() {
    return loop_;
}

void CConsoleProgress::Cancel() {
    if (cancel_ != nullptr) {
        cancel_->Set();
    }
}

void CConsoleProgress::OnProgress(const AppMessage& message) {
    switch (message.wParam) {
        case PROGRESS_FINISHED:
            result_ = 1;
            break;
        case PROGRESS_FAILED:
            result_ = 2;
            break;
        case PROGRESS_STEP:
            if (console_ != nullptr) {
                console_->Progress(static_cast<int>(message.lParam));
            }
            break;
        case PROGRESS_TOTAL:
            SetTotal(static_cast<int>(message.lParam));
            break;
        default:
            break;
    }
}

int CConsoleProgress::DoModal() {
    result_ = 0;
    CConsoleProgress* outer = loop_.SetProgress(this);
    if (console_ != nullptr) {
        console_->StartProgress(LoadText(titleId_), total_);
    }
    created_ = true;
    loop_.RunUntil([this] { return result_ != 0; });
    created_ = false;
    if (console_ != nullptr) {
        console_->EndProgress();
    }
    loop_.SetProgress(outer);
    return result_;
}

}  // namespace kelp::cli
