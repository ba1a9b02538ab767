#include "tools/sim/RecordGenerator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kelp::sim {
namespace {

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// One component block: element, state, error, 5-character value, unit.
std::string Block(int element, char state, char error, double value, int decimals, char unit) {
    char text[32];
    // Drop decimals until the value fits its five characters.
    for (;; --decimals) {
        std::snprintf(text, sizeof text, "%5.*f", decimals, value);
        if (std::string_view(text).size() <= 5 || decimals == 0) {
            break;
        }
    }
    if (std::string_view(text).size() > 5) {
        std::snprintf(text, sizeof text, "%5d", value < 0 ? -9999 : 99999);
    }
    std::string block(2, '0');
    block[0] = static_cast<char>('0' + element / 10 % 10);
    block[1] = static_cast<char>('0' + element % 10);
    block += state;
    block += error;
    block += text;
    block += unit;
    return block;
}

std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string DateTime(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    char text[96];
    std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d%02d", local.tm_year % 100, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

// ddmmss / dddmmss from degrees.
std::string Position(double latitude, double longitude) {
    auto dms = [](double degrees, int width) {
        // Rounded to the second first, so that 59.6 seconds carry into the minute.
        const long total = std::lround(std::fabs(degrees) * 3600.0);
        const int d = static_cast<int>(total / 3600);
        const int m = static_cast<int>(total / 60 % 60);
        const int s = static_cast<int>(total % 60);
        char text[64];
        std::snprintf(text, sizeof text, "%0*d%02d%02d", width - 4, d, m, s);
        return std::string(text);
    };
    return dms(latitude, 6) + " " + (latitude < 0 ? "S" : "N") + dms(longitude, 7) + " " +
           (longitude < 0 ? "W" : "E");
}

std::string NoPosition() {
    return Padded("-", 17);
}

// A fixed start for the logged records, in local time: 15 June 2026, 08:00.
std::time_t MemoryStart() {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 5;
    t.tm_mday = 15;
    t.tm_hour = 8;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

constexpr int kLogSeconds = 5;         // logging interval within a cast
constexpr int kCastGapSeconds = 7200;  // between the starts of two casts
constexpr double kCastDepth = 40.0;

}  // namespace

CRecordGenerator::CRecordGenerator(std::uint64_t seed, int records, int casts, bool shuffle, bool day,
                                   Sea sea)
    : seed_(seed), records_(records), casts_(std::max(1, casts)), shuffle_(shuffle) {
    if (day) {
        day_ = PlanFieldDay(seed, records, sea);
    }
}

double CRecordGenerator::Noise(std::uint64_t key, int channel) const {
    const std::uint64_t h = Mix(seed_ ^ Mix(key * 64 + static_cast<std::uint64_t>(channel)));
    return static_cast<double>(h >> 11) / static_cast<double>(1ULL << 53) * 2.0 - 1.0;  // -1 .. 1
}

CRecordGenerator::Water CRecordGenerator::AtDepth(double depth, std::uint64_t key) const {
    Water w{};
    w.depth = depth;
    const double below = 1.0 / (1.0 + std::exp(-(depth - 12.0) / 2.0));  // 0 above, 1 below the thermocline
    w.temperature = 22.0 - 12.0 * below + 0.05 * Noise(key, 1);
    w.oxygen = 8.6 - 3.4 * (1.0 / (1.0 + std::exp(-(depth - 14.0) / 3.0))) + 0.03 * Noise(key, 2);
    w.salinity = 32.0 + 2.3 * (1.0 / (1.0 + std::exp(-(depth - 12.0) / 2.5))) + 0.02 * Noise(key, 3);
    w.conductivity = w.salinity * 1.52 + 0.03 * Noise(key, 4);  // specific conductance, mS/cm
    w.tds = w.conductivity * 0.64;
    const double t = w.temperature;
    w.sigmaT = 28.1 - 0.0735 * t - 0.00469 * t * t + (0.802 - 0.002 * t) * (w.salinity - 35.0);
    w.ph = 7.95 + 0.2 * (w.oxygen - 5.2) / 3.4 + 0.01 * Noise(key, 5);
    w.orp = 205.0 + 25.0 * (w.oxygen - 5.2) / 3.4 + 2.0 * Noise(key, 6);
    w.turbidity = 0.8 + 3.0 * std::exp(-std::pow((depth - 12.0) / 4.0, 2)) + 0.2 * Noise(key, 7);
    return w;
}

std::string CRecordGenerator::Blocks(const Water& w, std::uint64_t key, bool badCodes,
                                     bool depthSensor) const {
    const double phMv = -59.16 * (w.ph - 7.0);
    std::array<std::string, 13> blocks = {
        Block(10, '1', '0', w.temperature, 2, '0'),
        Block(1, '1', '0', w.ph, 2, '0'),
        Block(24, '1', '0', phMv, 1, '0'),
        Block(2, '1', '0', w.orp, 0, '0'),
        Block(6, '1', '0', w.conductivity, 2, '0'),
        Block(3, '1', '0', std::max(0.0, w.turbidity), 1, '0'),
        Block(4, '1', '0', w.oxygen, 2, '0'),
        Block(8, '1', '0', w.tds, 2, '0'),
        Block(7, '1', '0', w.salinity, 2, '0'),
        Block(9, '1', '0', w.sigmaT, 2, '0'),
        depthSensor ? Block(11, '1', '0', std::max(0.0, w.depth), 2, '0') : Block(0, '0', '0', 0, 0, '0'),
        Block(0, '0', '0', 0, 0, '0'),
        Block(0, '0', '0', 0, 0, '0'),
    };
    if (badCodes) {
        // State beyond 9, error beyond 13, unit beyond 3.
        blocks[0][2] = 'C';
        blocks[1][3] = 'F';
        blocks[4][9] = '7';
        blocks[10][2] = 'E';
        blocks[10][3] = 'E';
    }
    if (shuffle_) {
        for (std::size_t i = blocks.size() - 1; i > 0; --i) {
            const std::size_t j = Mix(seed_ ^ Mix(key * 131 + i)) % (i + 1);
            std::swap(blocks[i], blocks[j]);
        }
    }
    std::string text;
    for (const auto& b : blocks) {
        text += b;
    }
    return text;
}

std::string CRecordGenerator::LiveRecord(std::time_t now, bool badCodes) const {
    // A probe hanging at about a metre below a buoy, values drifting over
    // minutes and hours.
    const double t = static_cast<double>(now);
    const double depth = 1.2 + 0.15 * std::sin(2 * std::numbers::pi * t / 97.0);
    const auto key = static_cast<std::uint64_t>(now);
    Water w = AtDepth(depth, key);
    w.temperature += 0.6 * std::sin(2 * std::numbers::pi * t / 3600.0);
    w.oxygen += 0.3 * std::sin(2 * std::numbers::pi * t / 5400.0);
    w.turbidity += 0.5 * std::sin(2 * std::numbers::pi * t / 1800.0);
    std::string text = "#RD";
    text += Padded("KELP BAY BUOY", 20);
    text += '2';                   // device code
    text += badCodes ? 'D' : '0';  // instrument error
    text += "6.2V";                // battery
    text += Blocks(w, key, badCodes);
    text += DateTime(now);
    text += Position(35.2094, 139.7517);
    return text;
}

std::string CRecordGenerator::MemoryRecord(int index, bool badCodes) const {
    const int chronological = records_ - 1 - index;  // memory walks newest first
    if (!day_.points.empty()) {
        return MemoryRecordAt(day_.points[static_cast<std::size_t>(chronological)], badCodes);
    }
    const int perCast = std::max(1, (records_ + casts_ - 1) / casts_);
    const int cast = chronological / perCast;
    const int step = chronological % perCast;
    const int castLength = std::min(perCast, records_ - cast * perCast);
    const double f = castLength > 1 ? static_cast<double>(step) / (castLength - 1) : 0.0;
    LoggedPoint point;
    point.key = static_cast<std::uint64_t>(chronological) + 1'000'000ULL;
    point.depth = std::max(0.0, kCastDepth * std::sin(std::numbers::pi * f) + 0.1 * Noise(point.key, 8));
    point.when = MemoryStart() + static_cast<std::time_t>(cast) * kCastGapSeconds +
                 static_cast<std::time_t>(step) * kLogSeconds;
    char site[32];
    std::snprintf(site, sizeof site, "KELP BAY ST.%02d", cast % 100 + 1);
    point.site = site;
    // Now and then the receiver has no fix.
    point.fix = Noise(point.key, 9) > -0.8;
    point.latitude = 35.15 + 0.02 * cast;
    point.longitude = 139.70 + 0.03 * cast;
    return MemoryRecordAt(point, badCodes);
}

std::string CRecordGenerator::MemoryRecordAt(const LoggedPoint& point, bool badCodes) const {
    Water w = AtDepth(point.depth, point.key);
    w.temperature += point.warmth;
    std::string text = "#RM";
    text += Padded(point.site, 20);
    text += Blocks(w, point.key, badCodes, point.depthSensor);
    text += DateTime(point.when);
    text += point.fix ? Position(point.latitude, point.longitude) : NoPosition();
    return text;
}

}  // namespace kelp::sim
