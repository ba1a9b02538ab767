#pragma once
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kelp::test {

// While alive, file permissions bind the calling thread even when the tests
// run as root (as they do in containers): the capabilities that let root
// read, write and search anything are taken out of the thread's effective
// set and given back at the end. Capabilities belong to a thread, so other
// threads of the process are not affected. Active() is false where the
// permissions bind anyway (an ordinary user) or cannot be made to.
class AsPlainUser final {
  public:
    AsPlainUser() {
        if (::geteuid() != 0) {
            binding_ = true;
            return;
        }
        if (::syscall(SYS_capget, &header_, saved_) != 0) {
            return;
        }
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        }
        dropped_ = ::syscall(SYS_capset, &header_, reduced) == 0;
        binding_ = dropped_;
    }
    ~AsPlainUser() {
        if (dropped_) {
            (void)::syscall(SYS_capset, &header_, saved_);
        }
    }
    AsPlainUser(const AsPlainUser&) = delete;
    AsPlainUser& operator=(const AsPlainUser&) = delete;

    bool Active() const { return binding_; }

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
    bool binding_ = false;
};

}  // namespace kelp::test
