#pragma once
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace kelp::test {

// A fresh folder under the system's temporary folder, removed with its
// content at the end of the test.
class TempDir final {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelp-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

}  // namespace kelp::test
