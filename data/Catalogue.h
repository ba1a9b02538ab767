#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace kelp {

// The fixed vocabulary behind the instrument's numbers. Every lookup returns
// a string-table id (resolve it with LoadText where it is shown) and accepts
// any argument: an out-of-range number gives the "no component" / "no unit" /
// "no text" answer instead of reading past a table.

constexpr int kElementCount = 25;  // element numbers 0 (none) to 24
constexpr int kUnitCount = 4;      // unit codes 0 to 3
constexpr int kDecimalsCount = 5;  // decimals codes 0 to 4
constexpr int kSlotCount = 13;     // value slots 0 to 12
constexpr int kStateCount = 10;    // state codes 0 to 9
constexpr int kComponentErrorCount = 14;
constexpr int kInstrumentErrorCount = 12;
constexpr int kDeviceCount = 15;  // device codes 0 to 14

constexpr int kNoElement = 0;
constexpr int kDepthElement = 11;
constexpr int kDataErrorCode = 1;     // component error "データ異常": value unusable
constexpr int kNoValueState = 9;      // like state 0: the record carries no value
constexpr int kMemoryDeviceCode = 3;  // records downloaded from the instrument memory

// Answer of the error-text lookups for a code without a text; LoadText gives
// an empty text for it.
constexpr int kNoTextId = 0;

// One element number: name (lists, titles, CSV header), panel label, and the
// unit text of each unit code.
struct ElementRow {
    int Name;
    int Label;
    std::array<int, kUnitCount> Units;
};

extern const std::array<ElementRow, kElementCount> kElementTable;
// The element of each slot of a record decoded from the instrument.
extern const std::array<std::uint8_t, kSlotCount> kSlotElements;
extern const std::array<const char*, kDecimalsCount> kValueFormats;
// Default decimals of graph range limits by element number and unit code.
extern const std::array<std::array<std::uint8_t, kUnitCount>, kElementCount> kAxisDecimals;
extern const std::array<int, kComponentErrorCount> kComponentErrorTexts;
extern const std::array<int, kInstrumentErrorCount> kInstrumentErrorTexts;

int ElementNameId(int element);         // out of range: "---"
int ElementLabelId(int element);        // out of range: "---"
int UnitTextId(int element, int unit);  // out of range: the blank unit
// The units an element offers: its unit texts up to the first blank one
// (unit codes 0 to UnitCount - 1).
int UnitCount(int element);
const char* ValueFormat(int decimals);  // clamped to 0..4
// The text kValueFormats[decimals] gives (decimals clamped to 0..4), always
// with "." as the decimal point whatever the process locale says.
std::string FormatDecimals(double value, int decimals);
int AxisDecimals(int element, int unit);  // out of range: 0
int SlotElement(int slot);                // out of range: kNoElement
int ComponentErrorTextId(int code);       // out of range: kNoTextId
int InstrumentErrorTextId(int code);      // out of range: kNoTextId

}  // namespace kelp
