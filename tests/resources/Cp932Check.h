#pragma once
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace kelp {

// True when the UTF-8 text converts to Shift JIS (CP932) without loss, as
// the CSV writer needs for titles and error texts.
inline bool ConvertsToCp932(const std::string& text) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "no CP932 converter";
        return false;
    }
    std::string in = text;
    std::string out(text.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return result != static_cast<std::size_t>(-1) && inLeft == 0;
}

}  // namespace kelp
