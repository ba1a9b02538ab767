#include "MainTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fstream>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/Catalogue.h"
#include "ui/main/MessageBox.h"

namespace kelp::test {

QApplication& App() {
    static int argc = 1;
    static char name[] = "ui_main_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

Responder::Responder() {
    SetMessageResponder([this](QWidget*, int id, int style) {
        asked_.push_back({id, style, ShownMessageText()});
        if (answers_.empty()) {
            return IDOK;
        }
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
    SetOpenFileResponder([this](QWidget*) { return openPath_; });
    SetSaveFileResponder([this](QWidget*) { return savePath_; });
}

Responder::~Responder() {
    SetMessageResponder({});
    SetOpenFileResponder({});
    SetSaveFileResponder({});
}

std::vector<int> Responder::Ids() const {
    std::vector<int> ids;
    for (const auto& a : asked_) {
        ids.push_back(a.id);
    }
    return ids;
}

Simulator::Simulator(const std::vector<std::string>& args) {
    link_ = dir_.filePath(QStringLiteral("tty")).toStdString();
    const std::string program = std::string(KELP_BINARY_DIR) + "/bin/kelp-sim";
    std::vector<std::string> all{program, "--link", link_};
    all.insert(all.end(), args.begin(), args.end());
    pid_ = fork();
    if (pid_ == 0) {
        std::vector<char*> argv;
        for (auto& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        // The simulator reports its path on stdout; the link is what we use.
        std::freopen("/dev/null", "w", stdout);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    started_ = pid_ > 0 && WaitFor([this] { return QFileInfo::exists(QString::fromStdString(link_)); }, 5000);
}

Simulator::~Simulator() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

SettingsFolder::SettingsFolder(const std::string& device, int interval) {
    std::ofstream out(File());
    out << "[PortSettings]\nPortNo=3\nBaudRate=19200\nByteSize=8\nParity=0\nStopBits=0\n";
    out << "[PortDevices]\nCOM3=" << device << "\n";
    out << "[MeasureSettings]\nMeasCycle=" << interval << "\n";
}

std::string SettingsFolder::File() const {
    return dir_.filePath(QStringLiteral("Kelp-Win.ini")).toStdString();
}

std::string LiveReply(const std::vector<Block>& blocks, int instrumentError, const std::string& site,
                      const std::string& time) {
    std::string reply = "#RD";
    std::string name = site;
    name.resize(20, ' ');
    reply += name;
    char header[8];
    std::snprintf(header, sizeof header, "%X%X", 1, instrumentError);
    reply += header;
    reply += "3.60";
    for (int i = 0; i < 13; ++i) {
        char block[16];
        if (i < static_cast<int>(blocks.size())) {
            const Block& b = blocks[i];
            std::string value = b.value;
            value.insert(0, value.size() < 5 ? 5 - value.size() : 0, ' ');
            std::snprintf(block, sizeof block, "%02d%X%X%.5s%d", b.element, b.state, b.error, value.c_str(),
                          b.unit);
        } else {
            std::snprintf(block, sizeof block, "000000.000");
        }
        reply += block;
    }
    reply += time;
    reply += "351234 N1394506 E";
    return reply;
}

std::vector<Block> NormalBlocks(int n) {
    std::vector<Block> blocks;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int element = kSlotElements[slot];
        if (element == kNoElement) {
            continue;
        }
        char value[16];
        std::snprintf(value, sizeof value, "%5.2f", 10.0 + slot + n * 0.01);
        blocks.push_back({element, 1, 0, value, 0});
    }
    return blocks;
}

}  // namespace kelp::test
