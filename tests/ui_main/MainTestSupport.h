#pragma once
#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sys/types.h>

#include "tests/ui_main/WaitFor.h"

namespace kelp::test {

// The one QApplication of the test program (offscreen).
QApplication& App();

// One question the program asked through the message box routine.
struct Question {
    int id = 0;
    int style = 0;
    std::string text;  // as shown, with any lines added
};

// Installs itself as the message and file-dialog responder for its lifetime:
// records every message asked and answers from a queue (OK when empty).
class Responder final {
  public:
    Responder();
    ~Responder();
    Responder(const Responder&) = delete;
    Responder& operator=(const Responder&) = delete;

    void Answer(int button) { answers_.push_back(button); }
    void OpenPath(std::string path) { openPath_ = std::move(path); }
    void SavePath(std::string path) { savePath_ = std::move(path); }
    const std::vector<Question>& Asked() const { return asked_; }
    std::vector<int> Ids() const;
    void Forget() { asked_.clear(); }

  private:
    std::deque<int> answers_;
    std::vector<Question> asked_;
    std::string openPath_;
    std::string savePath_;
};

// kelp-sim on a pseudo-terminal reached through a link in a temporary folder.
class Simulator final {
  public:
    explicit Simulator(const std::vector<std::string>& args = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    bool Started() const { return started_; }
    const std::string& Path() const { return link_; }

  private:
    QTemporaryDir dir_;
    std::string link_;
    pid_t pid_ = -1;
    bool started_ = false;
};

// A settings file in a temporary folder whose PortDevices maps COM3 (the
// default port) to `device`.
class SettingsFolder final {
  public:
    explicit SettingsFolder(const std::string& device, int interval = 0);
    std::string File() const;
    std::string Folder() const { return dir_.path().toStdString(); }

  private:
    QTemporaryDir dir_;
};

// A live reply ("#RD" up to where "@" was) with the given state, error code
// and value text for every component of the instrument's slot order.
struct Block {
    int element = 0;
    int state = 1;
    int error = 0;
    std::string value = "1.000";
    int unit = 0;
};
std::string LiveReply(const std::vector<Block>& blocks, int instrumentError = 0,
                      const std::string& site = "SITE-A", const std::string& time = "261207103000");
// Every instrument component with state 1, error 0 and a value that grows with `n`.
std::vector<Block> NormalBlocks(int n);

}  // namespace kelp::test
