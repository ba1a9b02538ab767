#pragma once

namespace kelp {

// The value of one hexadecimal digit of either case, or -1. Replies and data
// files carry their codes as single hexadecimal characters.
constexpr int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace kelp
