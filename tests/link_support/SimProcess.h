#pragma once
// Runs kelp-sim as a child process for the length of a test or benchmark.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace kelp::test {

inline std::string SimulatorPath() {
    return std::string(KELP_BINARY_DIR) + "/bin/kelp-sim";
}

class CSimProcess final {
  public:
    // Starts kelp-sim with `args` and reads the slave path it prints.
    explicit CSimProcess(const std::vector<std::string>& args) {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        std::vector<std::string> all{SimulatorPath()};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        stdout_ = out[0];
        if (pid_ > 0) {
            path_ = ReadLine(5000);
        }
    }
    CSimProcess(const CSimProcess&) = delete;
    CSimProcess& operator=(const CSimProcess&) = delete;
    ~CSimProcess() {
        Stop();
        if (stdout_ >= 0) {
            ::close(stdout_);
        }
    }

    bool Ok() const { return pid_ > 0 && !path_.empty(); }
    // The pseudo-terminal the simulator serves.
    const std::string& Path() const { return path_; }

    // Sends SIGTERM (once) and returns the wait status, or -1 when the
    // process did not end within `timeoutMs`.
    int Stop(int timeoutMs = 5000) { return Signal(SIGTERM, timeoutMs); }
    // The same with SIGINT, as Ctrl+C would.
    int Interrupt(int timeoutMs = 5000) { return Signal(SIGINT, timeoutMs); }

  private:
    int Signal(int signal, int timeoutMs) {
        if (pid_ <= 0) {
            return status_;
        }
        ::kill(pid_, signal);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                status_ = status;
                return status;
            }
            ::usleep(5000);
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
        return -1;
    }

  public:
    // True once the process has ended by itself (it hung the line up).
    bool Exited(int timeoutMs) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (pid_ > 0) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                status_ = status;
                return true;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                return false;
            }
            ::usleep(5000);
        }
        return true;
    }

  private:
    std::string ReadLine(int timeoutMs) {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd pfd{stdout_, POLLIN, 0};
            if (::poll(&pfd, 1, 100) <= 0) {
                continue;
            }
            char c;
            if (::read(stdout_, &c, 1) != 1) {
                break;
            }
            if (c == '\n') {
                return line;
            }
            line += c;
        }
        return {};
    }

    pid_t pid_ = -1;
    int stdout_ = -1;
    int status_ = -1;
    std::string path_;
};

}  // namespace kelp::test
