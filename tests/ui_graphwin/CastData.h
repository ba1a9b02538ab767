#pragma once
// Data sets for the graph window tests, built from instrument memory
// replies so that they pass through the real decoder.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "data/MeasDataSet.h"

namespace kelp::testing {

struct Component {
    int element = 0;
    double value = 0.0;
    int decimals = 2;
    int unit = 0;
    int state = 1;
    int error = 0;
};

// The 10-character block of one component: element, state, error, a value
// of exactly five characters, unit.
inline std::string Block(const Component& c) {
    char value[32];
    std::snprintf(value, sizeof value, "%.*f", c.decimals, c.value);
    std::string v = value;
    if (c.decimals == 0 && v.size() < 5) {
        v = std::string(5 - v.size(), ' ') + v;
    }
    while (v.size() < 5) {
        v.insert(v.begin(), ' ');
    }
    v.resize(5);
    char head[8];
    std::snprintf(head, sizeof head, "%02d%X%X", c.element, c.state, c.error);
    return head + v + static_cast<char>('0' + c.unit);
}

// A memory reply ("#RM" up to where "@" was) logged at 10:00:00 + `second`.
inline std::string MemoryReply(const std::vector<Component>& components, int second) {
    std::string reply = "#RM";
    reply += "CAST                ";
    for (std::size_t b = 0; b < 13; ++b) {
        reply += b < components.size() ? Block(components[b]) : std::string("0000 0.000");
    }
    char time[40];
    std::snprintf(time, sizeof time, "260601%02d%02d%02d", 10 + second / 3600, second / 60 % 60, second % 60);
    reply += time;
    reply += "-                ";
    return reply;
}

inline void Append(CMeasDataSet& data, const std::vector<Component>& components) {
    data.AddMemoryRecord(MemoryReply(components, data.GetCount()));
}

// A cast made like a real one: the probe goes down to `maxDepth` in
// `records` steps; warm fresh water on top, a thermocline near a third of
// the depth, colder and saltier water with less oxygen below.
inline void FillCast(CMeasDataSet& data, double maxDepth, int records, double warmth = 0.0,
                     int depthUnit = 0) {
    for (int i = 0; i < records; ++i) {
        const double depth = maxDepth * i / (records - 1);
        const double metres = depthUnit == 0 ? depth : depth * 0.3048;
        const double mix = 1.0 / (1.0 + std::exp(-(metres - maxDepth / 3.0) / 2.0));
        const double temperature = 24.0 + warmth - 12.0 * mix - 0.02 * metres;
        const double salinity = 30.0 + 4.0 * mix;
        const double oxygen = 8.5 - 4.0 * mix;
        Append(data, {{10, temperature, 2},
                      {1, 8.2 - 0.4 * mix, 2},
                      {24, -70.0 + 20.0 * mix, 0},
                      {2, 180.0 + 60.0 * mix, 0},
                      {6, 45.0 + 8.0 * mix, 2},
                      {3, 1.5 + 3.0 * std::exp(-std::pow(metres - maxDepth / 3.0, 2) / 8.0), 2},
                      {4, oxygen, 2},
                      {8, 29.0 + 4.0 * mix, 2},
                      {7, salinity, 1},
                      {9, 21.0 + 4.0 * mix, 1},
                      {11, depth,
                       depth >= 1000.0  ? 0
                       : depth >= 100.0 ? 1
                                        : 2,
                       depthUnit}});
    }
}

// A yo-yo: a soak of three records at 0.5 m, then `casts` times down to
// `maxDepth` in `down` records and back to 0.5 m in half as many; water
// temperature falls with depth.
inline void FillYoYo(CMeasDataSet& data, int casts, double maxDepth, int down) {
    const auto append = [&data](double depth) {
        Append(data, {{10, 24.0 - 0.3 * depth, 2}, {11, depth, 2}});
    };
    for (int i = 0; i < 3; ++i) {
        append(0.5);
    }
    for (int c = 0; c < casts; ++c) {
        for (int i = 1; i <= down; ++i) {
            append(0.5 + (maxDepth - 0.5) * i / down);
        }
        for (int i = 1; i <= down / 2; ++i) {
            append(maxDepth - (maxDepth - 0.5) * i / (down / 2));
        }
    }
}

}  // namespace kelp::testing
