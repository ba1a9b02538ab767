#pragma once
#include <array>
#include <cstdint>

namespace kelp {

// One graph slot of a window: which data-set slot it draws and how its value
// axis is scaled. The main window keeps 13 for its trend panes, the X-Y
// graph 13 of its own.
struct GraphSlotSettings {
    std::int32_t ElmNo = 0;  // data-set slot (panel row) drawn, 0 to 12
    std::int32_t YUnit = 0;  // unit code 0 to 3
    std::int32_t YAuto = 1;  // 1 automatic range, 0 YMin..YMax
    double YMin = 0.0;
    double YMax = 10.0;
};

using GraphSlotArray = std::array<GraphSlotSettings, 13>;

// The time axis of the trend panes.
struct GraphTimeSettings {
    std::int32_t DispType = 0;   // 0 to 2
    std::int32_t RangeType = 0;  // 0 to 3
    double XMin = 0.0;
    double XMax = 100.0;
    double Range = 100.0;
    std::int32_t Cursol = 1;  // cursor line shown
};

// The built-in defaults that a window fills in before reading the settings
// file: slot i draws data-set slot i, automatic range, 0 to 10.
inline GraphSlotArray DefaultGraphSlots() {
    // Not named "slots": Qt defines that word as a macro.
    GraphSlotArray defaults{};
    for (int i = 0; i < 13; ++i) {
        defaults[i].ElmNo = i;
    }
    return defaults;
}

// A graph slot whose data-set slot takes over newly loaded data: the value
// axis takes `unit`, the unit of the first record, and a fitted range of 0 to
// 10 where the slot now holds another component than before.
inline void AdoptColumn(GraphSlotSettings& slot, std::int32_t unit, bool componentChanged) {
    slot.YUnit = unit;
    if (componentChanged) {
        slot.YAuto = 1;
        slot.YMin = 0.0;
        slot.YMax = 10.0;
    }
}

}  // namespace kelp
