#pragma once
#include <cstdio>
#include <string>

#include "data/MeasDataSet.h"

namespace kelp::test {

// One water-temperature sample (slot 0, element 10) of a record logged in
// the instrument on 2007-01-01 at the given second of the day.
struct Sample {
    int Second = 0;          // of the day
    const char* Value = "";  // 5 characters as the instrument sends them
    int Unit = 0;
    int State = 1;
};

// The reply to a memory-record request carrying the sample; every other
// slot gets no block.
inline std::string MemoryReply(const Sample& s) {
    std::string reply = "#RM";
    reply += "SITE                ";
    char block[40];
    std::snprintf(block, sizeof block, "10%X0%5.5s%d", s.State, s.Value, s.Unit);
    reply += block;
    for (int i = 1; i < 13; ++i) {
        reply += "99000.0000";
    }
    char when[40];
    std::snprintf(when, sizeof when, "070101%02d%02d%02d", s.Second / 3600, s.Second / 60 % 60,
                  s.Second % 60);
    reply += when;
    reply += "-                ";
    return reply;
}

inline void AddSample(CMeasDataSet& data, const Sample& s) {
    data.AddMemoryRecord(MemoryReply(s));
}

}  // namespace kelp::test
