#include "data/Cp932.h"

#include <gtest/gtest.h>

namespace kelp {
namespace {

TEST(Cp932, TextsOfTheProgramConvertBothWays) {
    // The wave dash of Windows, half-width katakana, symbols of unit texts.
    const std::string utf8 = "ファイル読込中...～ｷｬﾝｾﾙ℃μ±－";
    const std::string cp932 = Utf8ToCp932(utf8);
    EXPECT_EQ(cp932.substr(0, 8), "\x83\x74\x83\x40\x83\x43\x83\x8B");
    EXPECT_NE(cp932.find("\x81\x60"), std::string::npos);              // ～ U+FF5E
    EXPECT_NE(cp932.find("\xB7\xAC\xDD\xBE\xD9"), std::string::npos);  // ｷｬﾝｾﾙ, one byte each
    EXPECT_EQ(cp932.find('?'), std::string::npos) << "a character had no CP932 form";
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
}

TEST(Cp932, BrokenInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80"
                          "b"),
              "a?b");                                  // an emoji has no CP932 form
    EXPECT_EQ(Utf8ToCp932("a\xE3\x81"), "a?");         // cut off
    EXPECT_EQ(Cp932ToUtf8("x\x81"), "x\xEF\xBF\xBD");  // lead byte without trail
    EXPECT_EQ(Cp932ToUtf8(std::string("\x00z", 2)), std::string("\x00z", 2));
    EXPECT_EQ(Cp932ToUtf8(""), "");
}

}  // namespace
}  // namespace kelp
