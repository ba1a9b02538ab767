#include "ui/main/AutoRun.h"

#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "resources/ResourceIds.h"
#include "ui/main/MainDlg.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

constexpr int kTickMs = 50;

bool ParseCount(std::string_view text, int& out) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    out = value;
    return value > 0;
}

std::string RecordText(const CMeasDataSet& data, int record) {
    return data.FormatTime(record, "%Y/%m/%d-%H:%M:%S") + " " + data.FormatValue(0, record);
}

}  // namespace

std::unique_ptr<CAutoRun::Plan> CAutoRun::ParsePlan(const std::string& text,
                                                    const std::string& restoreAnswer) {
    auto plan = std::make_unique<Plan>();
    if (restoreAnswer == "cancel") {
        plan->restore = false;
    } else if (!restoreAnswer.empty() && restoreAnswer != "ok") {
        return nullptr;
    }
    const std::string_view t = text;
    if (t == "report") {
        plan->mode = Plan::Mode::Report;
        return plan;
    }
    if (!t.starts_with("capture:")) {
        return nullptr;
    }
    std::string_view rest = t.substr(8);
    const std::size_t colon = rest.find(':');
    if (colon != std::string_view::npos) {
        if (rest.substr(colon + 1) != "hold") {
            return nullptr;
        }
        plan->hold = true;
        rest = rest.substr(0, colon);
    }
    if (!ParseCount(rest, plan->records)) {
        return nullptr;
    }
    plan->mode = Plan::Mode::Capture;
    return plan;
}

std::unique_ptr<CAutoRun> CAutoRun::FromEnvironment() {
    const char* text = std::getenv("KELP_AUTORUN");
    if (text == nullptr || *text == '\0') {
        return nullptr;
    }
    const char* restore = std::getenv("KELP_AUTORUN_RESTORE");
    auto plan = ParsePlan(text, restore != nullptr ? restore : "");
    if (!plan) {
        std::printf("failed cannot read KELP_AUTORUN=%s\n", text);
        std::fflush(stdout);
        std::_Exit(3);
    }
    return std::make_unique<CAutoRun>(*plan);
}

CAutoRun::CAutoRun(Plan plan) : plan_(plan) {}

CAutoRun::~CAutoRun() {
    SetMessageResponder({});
}

void CAutoRun::InstallResponder() {
    SetMessageResponder([this](QWidget*, int stringId, int style) {
        Print("message " + std::to_string(stringId));
        if (stringId == IDS_CONFIRM_RESTORE) {
            return plan_.restore ? IDOK : IDCANCEL;
        }
        if (stringId == IDS_CONFIRM_SAVE_UNSAVED) {
            return IDNO;  // the plan listed the records; closing lets them go
        }
        if ((style & MB_ICONSTOP) != 0) {
            errorSeen_ = true;
        }
        return (style & 0x0F) == MB_YESNOCANCEL ? IDYES : IDOK;
    });
}

void CAutoRun::Attach(CMainDlg& window) {
    window_ = &window;
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CAutoRun::Step);
    timer_->start(kTickMs);
}

void CAutoRun::Print(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void CAutoRun::Fail(const std::string& reason) {
    Print("failed " + reason);
    // The window may refuse to close (a run still active); the caller only
    // needs the verdict and the exit code.
    std::_Exit(3);
}

void CAutoRun::Step() {
    elapsedMs_ += kTickMs;
    if (elapsedMs_ > kTimeLimitMs) {
        Fail("time limit after " + std::to_string(shown_) + " records");
    }
    CMainDlg& window = *window_;
    if (!started_) {
        started_ = true;
        Print("ready " + window.windowTitle().toStdString());
        if (plan_.mode == Plan::Mode::Report) {
            ListAndClose();
            return;
        }
        auto* button = window.findChild<QPushButton*>(QString::number(IDC_CAPTURE));
        if (button == nullptr) {
            Fail("no capture button");
        }
        button->click();
        return;
    }
    const CMeasDataSet& live = window.LiveData();
    for (; shown_ < live.GetCount(); ++shown_) {
        Print("shown " + std::to_string(shown_ + 1) + " " + RecordText(live, shown_));
    }
    if (errorSeen_) {
        Fail("an error message was shown");
    }
    const bool idle = window.GetState() == CMainDlg::Idle;
    if (stopping_) {
        if (idle) {
            ListAndClose();
        }
        return;
    }
    if (idle) {
        Fail("the capture ended after " + std::to_string(shown_) + " records");
    }
    if (shown_ >= plan_.records && !plan_.hold) {
        stopping_ = true;
        window.findChild<QPushButton*>(QString::number(IDC_CAPTURE))->click();
    }
}

void CAutoRun::ListAndClose() {
    timer_->stop();
    const CMeasDataSet& live = window_->LiveData();
    for (int r = 0; r < live.GetCount(); ++r) {
        Print("record " + std::to_string(r + 1) + " " + RecordText(live, r));
    }
    Print("done " + std::to_string(live.GetCount()));
    window_->close();
}

}  // namespace kelp
