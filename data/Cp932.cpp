#include "data/Cp932.h"

#include <iconv.h>

#include <cerrno>

namespace kelp {

namespace {

// One conversion descriptor per thread and direction: iconv_t keeps state
// and must not be shared between threads.
class Converter final {
  public:
    Converter(const char* to, const char* from, bool utf8Source)
        : cd_(::iconv_open(to, from)), utf8Source_(utf8Source) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) {
            ::iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string Convert(std::string_view in, std::string_view replacement) {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            // No converter on this system: ASCII passes, the rest is unknown.
            for (const char c : in) {
                if (static_cast<unsigned char>(c) < 0x80) {
                    out.push_back(c);
                } else {
                    out.append(replacement);
                }
            }
            return out;
        }
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 3 / 2 + 8);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = ::iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut off at the end): one
            // replacement for the character, then go on after it.
            out.append(replacement);
            ++src;
            --srcLeft;
            if (utf8Source_) {
                while (srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80) {
                    ++src;
                    --srcLeft;
                }
            }
        }
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        ::iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        return out;
    }

  private:
    iconv_t cd_;
    bool utf8Source_;
};

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    thread_local Converter converter("CP932", "UTF-8", true);
    return converter.Convert(utf8, "?");
}

std::string Cp932ToUtf8(std::string_view cp932) {
    thread_local Converter converter("UTF-8", "CP932", false);
    return converter.Convert(cp932, "\xEF\xBF\xBD");
}

}  // namespace kelp
