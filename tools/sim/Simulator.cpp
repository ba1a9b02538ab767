#include "tools/sim/Simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

#include "link/Frames.h"

namespace kelp::sim {
namespace {

std::string Checksum(const std::string& text) {
    char digits[2];
    FormatChecksum(FrameChecksum(text.data(), text.size()), digits);
    return std::string(digits, 2);
}

std::string Frame(const std::string& body) {
    std::string frame = body + "@";
    frame += Checksum(frame);
    frame += "\r\n";
    return frame;
}

bool HasHexLetter(const std::string& frame) {
    const std::size_t n = frame.size();
    return std::isalpha(static_cast<unsigned char>(frame[n - 4])) ||
           std::isalpha(static_cast<unsigned char>(frame[n - 3]));
}

bool Has(const std::vector<FaultKind>& faults, FaultKind kind) {
    return std::find(faults.begin(), faults.end(), kind) != faults.end();
}

}  // namespace

CSimulator::CSimulator(const SimOptions& options)
    : options_(options),
      generator_(options.seed, options.records, options.casts, options.shuffle, options.day,
                 options.rough ? Sea::Rough : Sea::Calm),
      faults_(options.faults, options.seed) {}

CSimulator::~CSimulator() {
    HangUp();
    if (log_ != nullptr) {
        std::fclose(log_);
    }
}

bool CSimulator::Start(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    char name[256];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        error = std::string("ptsname: ") + std::strerror(errno);
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        return false;
    }
    // Raw from the start: no echo of a command before the client sets the line up.
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

    // Before the link appears: whoever waits for the link finds the truth too.
    if (!options_.truthPath.empty()) {
        std::FILE* truth = std::fopen(options_.truthPath.c_str(), "w");
        const std::string text = TruthCsv(generator_.Day());
        bool written = truth != nullptr && std::fwrite(text.data(), 1, text.size(), truth) == text.size();
        if (truth != nullptr && std::fclose(truth) != 0) {
            written = false;
        }
        if (!written) {
            error = "cannot write the truth " + options_.truthPath + ": " + std::strerror(errno);
            return false;
        }
    }
    if (!options_.link.empty()) {
        struct stat st {};
        if (::lstat(options_.link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
            ::unlink(options_.link.c_str());
        }
        if (::symlink(name, options_.link.c_str()) != 0) {
            error = "cannot make the link " + options_.link + ": " + std::strerror(errno);
            return false;
        }
    }
    if (!options_.logPath.empty()) {
        log_ = std::fopen(options_.logPath.c_str(), "a");
        if (log_ == nullptr) {
            error = "cannot open the log " + options_.logPath + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

void CSimulator::HangUp() {
    if (!options_.link.empty() && master_ >= 0) {
        ::unlink(options_.link.c_str());
    }
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

CSimulator::Clock::duration CSimulator::ByteTime() const {
    if (options_.baud <= 0) {
        return Clock::duration::zero();
    }
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(10'000'000'000LL / options_.baud));
}

int CSimulator::Run(const volatile std::sig_atomic_t& quit) {
    std::string line;
    Clock::time_point lineStart{};
    char chunk[1024];
    while (!quit && !hungUp_) {
        pollfd pfd{master_, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, 200);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            std::perror("kelp-sim: poll");
            return 1;
        }
        if (ready == 0) {
            continue;
        }
        const ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            // Cannot happen while the simulator holds the slave side; wait
            // rather than spin.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        const auto now = Clock::now();
        for (ssize_t i = 0; i < n && !hungUp_; ++i) {
            if (line.empty()) {
                lineStart = now;
            }
            line += chunk[i];
            if (chunk[i] == '\n') {
                HandleLine(line, lineStart, quit);
                line.clear();
            }
        }
    }
    return 0;
}

std::string CSimulator::Answer(const std::string& body, bool badCodes) {
    if (body == "#RD@") {
        return generator_.LiveRecord(std::time(nullptr), badCodes);
    }
    if (body == "#RN@") {
        char text[16];
        std::snprintf(text, sizeof text, "#RN%05d", options_.claim >= 0 ? options_.claim : options_.records);
        return text;
    }
    if (body.size() == 32 && body.compare(0, 3, "#RM") == 0 && body[4] == '0') {
        switch (body[3]) {
            case '0':
                cursor_ = 0;
                break;
            case '2':
                cursor_ = std::min(cursor_ + 1, generator_.Records());
                break;
            case '3':
                cursor_ = std::max(cursor_, 0);
                break;
            default:
                return {};
        }
        if (cursor_ >= generator_.Records()) {
            return "#RM";  // end of data: "#RM@7C\r\n"
        }
        const int first = options_.identicalFrom - 1;
        const bool copy = first >= 0 && cursor_ > first && cursor_ <= first + options_.identicalCount;
        return generator_.MemoryRecord(copy ? first : cursor_, badCodes);
    }
    return {};
}

void CSimulator::HandleLine(const std::string& line, Clock::time_point arrived,
                            const volatile std::sig_atomic_t& quit) {
    const int number = ++requests_;
    const std::vector<FaultKind> faults = faults_.For(number);

    // A request counts only as a whole frame with a good checksum.
    std::string body;
    if (line.size() >= 7 && line.compare(line.size() - 2, 2, "\r\n") == 0) {
        const std::string candidate = line.substr(0, line.size() - 4);
        if (candidate.back() == '@' && line.compare(line.size() - 4, 2, Checksum(candidate)) == 0) {
            body = candidate;
        }
    }
    if (log_ != nullptr) {
        std::fprintf(log_, "%d %s", number, body.empty() ? "(invalid)" : body.c_str());
        for (FaultKind f : faults) {
            std::fprintf(log_, " %s", FaultName(f));
        }
        std::fputc('\n', log_);
        std::fflush(log_);
    }
    if (options_.hangupAfter > 0 && replies_ >= options_.hangupAfter) {
        HangUp();
        hungUp_ = true;
        return;
    }
    if (body.empty() || Has(faults, FaultKind::Lost)) {
        return;
    }
    // The instrument acts on the request (a "next" moves on) even when its
    // reply is then lost.
    std::string answer = Answer(body, Has(faults, FaultKind::BadCodes));
    if (answer.empty() || Has(faults, FaultKind::NoReply)) {
        return;
    }
    std::string reply = Frame(answer);
    if (Has(faults, FaultKind::LowerCase) && !HasHexLetter(reply)) {
        // Vary a character that no reader decodes until the sum shows a
        // letter: the separator in the GPS field, or a leading zero of a count.
        if (answer.compare(0, 3, "#RN") == 0) {
            for (std::size_t i = 3; i < answer.size() - 1 && answer[i] == '0' && !HasHexLetter(reply); ++i) {
                answer[i] = ' ';
                reply = Frame(answer);
            }
        } else if (answer.size() > 17) {
            const std::size_t sep = answer.size() - 17 + 6;
            for (char c = ' '; c < '@' && !HasHexLetter(reply); ++c) {
                answer[sep] = c;
                reply = Frame(answer);
            }
        }
    }
    const std::size_t n = reply.size();
    if (Has(faults, FaultKind::BadSum)) {
        reply[n - 3] = reply[n - 3] == '0' ? '1' : '0';
    }
    if (Has(faults, FaultKind::LowerCase)) {
        reply[n - 4] = static_cast<char>(std::tolower(static_cast<unsigned char>(reply[n - 4])));
        reply[n - 3] = static_cast<char>(std::tolower(static_cast<unsigned char>(reply[n - 3])));
    }
    if (Has(faults, FaultKind::Double)) {
        reply += reply;
    }
    if (Has(faults, FaultKind::Truncate)) {
        reply.resize(reply.size() / 2);
    }
    if (Has(faults, FaultKind::Garbage)) {
        reply.insert(0, "\x7f\x15~\x02?~\x7f");
    }

    // The command itself took its bytes' time on the line.
    const auto commandEnd = arrived + ByteTime() * static_cast<int>(line.size());
    auto start = std::max(Clock::now(), commandEnd) + std::chrono::milliseconds(options_.turnaroundMs);
    if (Has(faults, FaultKind::Late)) {
        start += std::chrono::milliseconds(options_.lateMs);
    }
    Send(reply, start, quit);
    ++replies_;
}

void CSimulator::Send(const std::string& bytes, Clock::time_point start,
                      const volatile std::sig_atomic_t& quit) {
    const auto byteTime = ByteTime();
    std::size_t sent = 0;
    while (sent < bytes.size() && !quit) {
        // Every byte that the line has finished sending by now goes out.
        const auto now = Clock::now();
        std::size_t due = bytes.size();
        if (byteTime > Clock::duration::zero()) {
            due =
                now < start ? 0 : std::min(bytes.size(), static_cast<std::size_t>((now - start) / byteTime));
        } else if (now < start) {
            due = 0;
        }
        if (due > sent) {
            const ssize_t n = ::write(master_, bytes.data() + sent, due - sent);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return;
            }
            pollfd pfd{master_, POLLOUT, 0};
            ::poll(&pfd, 1, 50);
            continue;
        }
        const auto next =
            byteTime > Clock::duration::zero() ? start + byteTime * static_cast<long>(sent + 1) : start;
        // In short steps: a signal must not wait for a long turnaround or a
        // late reply (the library's sleep resumes after a signal).
        std::this_thread::sleep_until(std::min(next, Clock::now() + std::chrono::milliseconds(20)));
    }
}

}  // namespace kelp::sim
