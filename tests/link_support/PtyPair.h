#pragma once
// A pseudo-terminal whose master side the test drives byte by byte: the
// instrument end of a port test.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace kelp::test {

class CPtyPair final {
  public:
    CPtyPair() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            return;
        }
        char name[256];
        if (::ptsname_r(master_, name, sizeof name) != 0) {
            return;
        }
        path_ = name;
        // Held open so that the master side never sees a hang-up between
        // the port's opens.
        slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        termios tio{};
        ::tcgetattr(slave_, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    CPtyPair(const CPtyPair&) = delete;
    CPtyPair& operator=(const CPtyPair&) = delete;
    ~CPtyPair() { HangUp(); }

    bool Ok() const { return master_ >= 0 && slave_ >= 0; }
    const std::string& Path() const { return path_; }

    // What the instrument sends.
    void Send(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else {
                pollfd pfd{master_, POLLOUT, 0};
                ::poll(&pfd, 1, 100);
            }
        }
    }

    // What the port sent, up to and including the first LF, waiting at most
    // `timeoutMs`; whatever arrived when the time ran out.
    std::string ReceiveLine(int timeoutMs = 2000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        std::string line;
        while (line.empty() || line.back() != '\n') {
            char c;
            const ssize_t n = ::read(master_, &c, 1);
            if (n == 1) {
                line += c;
                continue;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  deadline - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0) {
                break;
            }
            pollfd pfd{master_, POLLIN, 0};
            ::poll(&pfd, 1, static_cast<int>(left));
        }
        return line;
    }

    // Bytes waiting in the port's input queue.
    int QueuedForPort() const {
        int n = 0;
        ::ioctl(slave_, FIONREAD, &n);
        return n;
    }

    // The line settings the port gave the line.
    termios Line() const {
        termios tio{};
        ::tcgetattr(slave_, &tio);
        return tio;
    }

    // Waits until the port's input queue holds `n` bytes (the pseudo-terminal
    // hands bytes over asynchronously).
    bool WaitQueued(int n, int timeoutMs = 2000) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (QueuedForPort() < n) {
            if (std::chrono::steady_clock::now() >= deadline) {
                return false;
            }
            ::usleep(1000);
        }
        return true;
    }

    // Closes both sides: the port sees the line hung up.
    void HangUp() {
        if (slave_ >= 0) {
            ::close(slave_);
            slave_ = -1;
        }
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

}  // namespace kelp::test
