#pragma once
// Runs the real kelp-collector as a user would from a terminal-less shell:
// no DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM, standard output and
// standard error read through pipes.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace kelp::test {

inline std::string CollectorPath() {
    return std::string(KELP_BINARY_DIR) + "/bin/kelp-collector";
}

class CCliProcess final {
  public:
    // Starts kelp-collector with `args`, in locale `lang`, with `home` as
    // its home, configuration and state folder; through `wrapper` (a command
    // that ends by running the rest of its arguments) when one is given, and
    // with the file `input` (when given) as its standard input.
    CCliProcess(const std::vector<std::string>& args, const std::string& home,
                const std::string& lang = "C.UTF-8", const std::vector<std::string>& wrapper = {},
                const std::string& input = {}) {
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string_view entry = *e;
            const std::string_view name = entry.substr(0, entry.find('='));
            if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM" &&
                name != "LANG" && name != "LANGUAGE" && !name.starts_with("LC_") && name != "HOME" &&
                name != "XDG_CONFIG_HOME" && name != "XDG_STATE_HOME") {
                env.emplace_back(entry);
            }
        }
        env.push_back("LANG=" + lang);
        env.push_back("HOME=" + home);
        env.push_back("XDG_CONFIG_HOME=" + home + "/config");
        env.push_back("XDG_STATE_HOME=" + home + "/state");
        std::vector<std::string> all = wrapper;
        all.push_back(CollectorPath());
        all.insert(all.end(), args.begin(), args.end());

        int out[2];
        int err[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        if (!input.empty()) {
            posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
        }
        std::vector<char*> argv = Pointers(all);
        std::vector<char*> envp = Pointers(env);
        if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    CCliProcess(const CCliProcess&) = delete;
    CCliProcess& operator=(const CCliProcess&) = delete;
    ~CCliProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        for (int fd : {out_, err_}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }

    // Reads output until standard error satisfies `done`; false on time-out
    // or when the process closed its output first.
    bool WaitForError(const std::function<bool(const std::string&)>& done, int timeoutMs = 60000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done(err)) {
            if (std::chrono::steady_clock::now() >= deadline || !ReadSome(100)) {
                return done(err);
            }
        }
        return true;
    }

    void Signal(int signal) { ::kill(pid_, signal); }

    // Reads standard output up to its first line, then stops reading it, as
    // `| head -n 1` does; false when no line came.
    bool CloseOutputAfterFirstLine(int timeoutMs = 60000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (out.find('\n') == std::string::npos) {
            if (std::chrono::steady_clock::now() >= deadline || !ReadSome(100) || out_ < 0) {
                break;
            }
        }
        if (out_ >= 0) {
            ::close(out_);
            out_ = -1;
        }
        return out.find('\n') != std::string::npos;
    }

    // The most memory the process held at once, once Wait has returned.
    long PeakKilobytes() const { return usage_.ru_maxrss; }

    // Reads everything and returns the exit status; -1 when the process
    // did not end normally within `timeoutMs`, or was killed by a signal.
    int Wait(int timeoutMs = 120000) {
        if (pid_ <= 0) {
            return -1;  // never started
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            if (!ReadSome(100)) {
                int status = 0;
                ::wait4(pid_, &status, 0, &usage_);
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
        }
        return -1;
    }

    std::string out;
    std::string err;

  private:
    static std::vector<char*> Pointers(std::vector<std::string>& texts) {
        std::vector<char*> pointers;
        for (auto& t : texts) {
            pointers.push_back(t.data());
        }
        pointers.push_back(nullptr);
        return pointers;
    }

    // Reads what is there within `ms`; false once both pipes are closed.
    bool ReadSome(int ms) {
        std::vector<pollfd> fds;
        for (int fd : {out_, err_}) {
            if (fd >= 0) {
                fds.push_back({fd, POLLIN, 0});
            }
        }
        if (fds.empty()) {
            return false;
        }
        if (::poll(fds.data(), fds.size(), ms) <= 0) {
            return true;
        }
        for (const pollfd& p : fds) {
            if (p.revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = ::read(p.fd, buffer, sizeof buffer);
            int& fd = p.fd == out_ ? out_ : err_;
            std::string& text = p.fd == out_ ? out : err;
            if (n > 0) {
                text.append(buffer, static_cast<std::size_t>(n));
            } else {
                ::close(fd);
                fd = -1;
            }
        }
        return out_ >= 0 || err_ >= 0;
    }

    pid_t pid_ = -1;
    rusage usage_{};
    int out_ = -1;
    int err_ = -1;
};

// Runs kelp-collector to its end; the exit status, with what it printed in
// `process`.
struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& home,
                        const std::string& lang = "C.UTF-8", const std::vector<std::string>& wrapper = {},
                        const std::string& input = {}) {
    CCliProcess process(args, home, lang, wrapper, input);
    CliResult result;
    result.status = process.Wait();
    result.out = process.out;
    result.err = process.err;
    return result;
}

}  // namespace kelp::test
