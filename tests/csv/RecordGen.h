#pragma once
#include <cstdio>
#include <random>
#include <string>

namespace kelp::test {

// Instrument replies (from "#" up to where "@" was) of random but plausible
// content, with a share of the faults that decoding has to mend: codes out of
// range, values that are not numbers, impossible times, broken positions,
// site names with quotes, line breaks and Shift JIS characters.
class RecordGen final {
  public:
    explicit RecordGen(unsigned seed) : rng_(seed) {}

    std::string Live() {
        return "#RD" + Site() + Hex(15) + Hex(12) + Battery() + Blocks() + Time() + Position();
    }
    std::string Memory() { return "#RM" + Site() + Blocks() + Time() + Position(); }

  private:
    int Pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    bool Chance(int percent) { return Pick(100) < percent; }

    // A hexadecimal digit below `limit` mostly, sometimes one beyond it or
    // not a digit at all.
    std::string Hex(int limit) {
        static const char* digits = "0123456789ABCDEF";
        if (Chance(5)) {
            return std::string(1, "G?z "[Pick(4)]);
        }
        return std::string(1, digits[Chance(8) ? Pick(16) : Pick(limit)]);
    }

    std::string Site() {
        std::string s;
        while (s.size() < 20) {
            const int kind = Pick(10);
            if (kind < 4) {
                s += static_cast<char>('A' + Pick(26));
            } else if (kind < 5) {
                s += " ,\"\r\n-_'"[Pick(8)];
            } else if (kind < 7 && s.size() <= 18) {
                static const char* kanji[] = {"\x90\x85", "\x8E\x8E", "\x83\x5C", "\x95\x5C", "\x81\x60"};
                s += kanji[Pick(5)];  // 水, 試, ソ, 表, ～ (trail bytes 0x5C included)
            } else if (kind < 8) {
                s += static_cast<char>(0xA1 + Pick(0xDF - 0xA1 + 1));  // half-width katakana
            } else {
                s += ' ';
            }
        }
        return s.substr(0, 20);
    }

    std::string Battery() {
        if (Chance(5)) {
            return "1V2V";
        }
        char b[8];
        std::snprintf(b, sizeof b, "%4.1f", Pick(200) / 10.0);
        return b;
    }

    std::string Value() {
        if (Chance(4)) {
            return std::string(5, "-* "[Pick(3)]);
        }
        char v[16];
        const int decimals = Pick(5);
        const double magnitude = decimals == 0 ? Pick(100000) : Pick(10000) / 10.0;
        std::snprintf(v, sizeof v, "%5.*f", decimals, (Chance(20) ? -1 : 1) * magnitude);
        std::string s = v;
        return s.size() == 5 ? s : s.substr(s.size() - 5);
    }

    std::string Blocks() {
        static const int elements[] = {10, 1, 24, 2, 6, 3, 4, 8, 7, 9, 11, 5, 12};
        std::string out;
        for (int b = 0; b < 13; ++b) {
            char element[4];
            std::snprintf(element, sizeof element, "%2d", Chance(5) ? Pick(25) : elements[b]);
            out += element;
            out += Hex(10);
            out += Hex(14);
            out += Value();
            out += static_cast<char>('0' + (Chance(5) ? Pick(10) : Pick(4)));
        }
        return out;
    }

    std::string Time() {
        char t[16];
        std::snprintf(t, sizeof t, "%02d%02d%02d%02d%02d%02d", Pick(100), 1 + Pick(Chance(5) ? 13 : 12),
                      1 + Pick(Chance(5) ? 31 : 28), Pick(Chance(5) ? 25 : 24), Pick(60), Pick(60));
        std::string s = t;
        if (Chance(3)) {
            s[Pick(12)] = 'x';
        }
        return s;
    }

    std::string Position() {
        if (Chance(10)) {
            return "--------N--------";
        }
        char p[24];
        std::snprintf(p, sizeof p, "%06d%c%c%07d%c%c", Pick(900000), ' ', Chance(50) ? 'N' : 'S',
                      Pick(1800000), ' ', Chance(50) ? 'E' : 'W');
        std::string s = p;
        if (Chance(5)) {
            s[Pick(6)] = ' ';  // blank-padded degrees
        }
        if (Chance(3)) {
            s[Pick(17)] = 'q';
        }
        return s;
    }

    std::mt19937 rng_;
};

}  // namespace kelp::test
