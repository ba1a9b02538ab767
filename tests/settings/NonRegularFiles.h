#pragma once
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace kelp::test {

// A pipe, a listening socket and a link to a device, made in a folder for
// as long as the object lives: names that no ordinary open may wait on.
class NonRegularFiles final {
  public:
    // `fifo` is the name of the pipe; the socket and the link get names of
    // their own beside it.
    explicit NonRegularFiles(const std::string& fifo) {
        const std::string folder = fifo.substr(0, fifo.rfind('/'));
        const std::string socketPath = folder + "/socket.node";
        const std::string device = folder + "/device.node";
        ok_ = ::mkfifo(fifo.c_str(), 0600) == 0 && ::symlink("/dev/zero", device.c_str()) == 0;
        listener_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
        ok_ = ok_ && listener_ >= 0 &&
              ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        paths_ = {fifo, socketPath, device};
    }
    ~NonRegularFiles() {
        if (listener_ >= 0) {
            ::close(listener_);
        }
    }
    NonRegularFiles(const NonRegularFiles&) = delete;
    NonRegularFiles& operator=(const NonRegularFiles&) = delete;

    bool Ok() const { return ok_; }
    // The pipe, the socket and the device link, in that order.
    const std::vector<std::string>& Paths() const { return paths_; }

  private:
    int listener_ = -1;
    bool ok_ = false;
    std::vector<std::string> paths_;
};

}  // namespace kelp::test
