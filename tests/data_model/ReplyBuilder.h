#pragma once
#include <array>
#include <string>

namespace kelp::test {

// One 10-character component block: element (2 digits), state digit, error
// digit, 5 value characters, unit digit.
inline std::string Block(int element, char state, char error, const std::string& value5, char unit) {
    char head[3];
    head[0] = static_cast<char>('0' + element / 10 % 10);
    head[1] = static_cast<char>('0' + element % 10);
    head[2] = '\0';
    std::string value = value5;
    value.resize(5, ' ');
    return std::string(head) + state + error + value + unit;
}

// Fields of an instrument reply, with a plausible record as defaults: the
// eleven instrument components in slot order and two empty blocks.
struct ReplyFields {
    std::string site = "Pier 7              ";  // 20 bytes
    char device = '1';
    char instrumentError = '0';
    std::string battery = "12.3";
    std::array<std::string, 13> blocks = {
        Block(10, '1', '0', "21.35", '0'), Block(1, '1', '0', "7.123", '0'),
        Block(24, '1', '0', "-12.3", '0'), Block(2, '1', '0', "  245", '0'),
        Block(6, '1', '0', "4.512", '0'),  Block(3, '1', '0', "12.34", '0'),
        Block(4, '1', '0', " 8.21", '0'),  Block(8, '1', '0', "2.934", '0'),
        Block(7, '1', '0', "28.13", '0'),  Block(9, '1', '0', " 22.1", '0'),
        Block(11, '1', '0', " 1.25", '0'), Block(0, '0', '0', "00000", '0'),
        Block(0, '0', '0', "00000", '0'),
    };
    std::string time = "071231235959";           // yymmddhhmmss
    std::string position = "351234 N1394506 W";  // ddmmss ? h dddmmss ? h
};

inline std::string Blocks(const ReplyFields& f) {
    std::string out;
    for (const auto& b : f.blocks) {
        out += b;
    }
    return out;
}

// "#RD" reply up to where "@" was: 188 characters.
inline std::string LiveReply(const ReplyFields& f = {}) {
    return "#RD" + f.site + f.device + f.instrumentError + f.battery + Blocks(f) + f.time + f.position;
}

// "#RM" reply up to where "@" was: 182 characters.
inline std::string MemoryReply(const ReplyFields& f = {}) {
    return "#RM" + f.site + Blocks(f) + f.time + f.position;
}

}  // namespace kelp::test
