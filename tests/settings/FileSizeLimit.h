#pragma once
#include <sys/resource.h>

#include <csignal>

namespace kelp::test {

// While alive, no file of the process grows beyond `bytes`: a write past it
// fails (EFBIG) as on a full disk, instead of raising SIGXFSZ, which is
// ignored meanwhile. Ok() is false when the limit could not be set.
class FileSizeLimit final {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &previous_);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        struct rlimit tight = old_;
        tight.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &tight) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::sigaction(SIGXFSZ, &previous_, nullptr);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Ok() const { return ok_; }

  private:
    struct sigaction previous_ {};
    struct rlimit old_ {};
    bool ok_ = false;
};

}  // namespace kelp::test
