#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Catalogue.h"
#include "data/DateTime.h"

namespace kelp {

// Thrown by the CSV parse operations: 2 when the first line is not one of
// our data files, 3 when the column line or a record line breaks a rule.
enum class EMemError : int {
    NotDataFile = 2,
    BadFormat = 3,
};

// What a parse operation found wrong with the line it refused, so that a
// message can name the field and the rule it broke.
enum class FieldFault : std::uint8_t {
    None,
    FieldCount,   // the line has fewer fields than it needs (`limit`: how many it has)
    NotDataFile,  // line 1 does not begin with the program's magic and "Version"
    NotNumber,    // a number field (version, count, value) holds something else
    TooLarge,     // a value beyond the range of a stored value
    Element,      // an element number of line 2 outside 0 to 24
    SiteTooLong,  // a site name of more than 20 bytes
    Battery,      // the battery field does not end in its only "V"
    CodeField,    // a code field without its letter, or of the wrong length
    CodeDigit,    // a digit of a code field beyond `limit`
};
struct ParseFault {
    FieldFault fault = FieldFault::None;
    int field = -1;    // 0-based field of the line
    std::string text;  // that field as read (line 1: its first two fields)
    int limit = 0;
    char digit = 0;  // CodeDigit: the digit
};

// Running statistics of the valid values of one slot and unit code. An
// entry with Count 0 is empty and its other fields mean nothing.
struct SlotStats {
    double Min = 0.0;
    double Max = 0.0;
    std::uint8_t Decimals = 0;  // largest decimals code seen
    std::int32_t Count = 0;
};

// Elapsed seconds of every record are measured from Reference, the time of
// record 0.
struct TimeRange {
    double MinElapsed = 0.0;
    double MaxElapsed = 0.0;
    CDateTime Reference;
};

constexpr std::int32_t kNoPosition = 99999999;
// A position as stored (ddmmss or dddmmss, negative south or west) in
// decimal degrees.
constexpr double DegreesOf(std::int32_t value) {
    const std::int32_t m = value < 0 ? -value : value;
    const double degrees = m / 10000 + (m / 100 % 100) / 60.0 + (m % 100) / 3600.0;
    return value < 0 ? -degrees : degrees;
}
constexpr int kMeasCapacity = 10000;

// An ordered store of measurement records in parallel arrays. The capacity
// is the most records the set takes; the arrays hold room for what the set
// holds and grow as records come (a loader sizes them once from the count
// its file announces), so that a set of a few records costs a few records'
// memory. Besides the records it keeps, incrementally, the
// elapsed seconds of each record from record 0 and per slot and unit code the
// statistics of the valid values; only deletion and reversal rescan.
//
// Accessors take (slot, record) with slot 0..12 and record 0..count-1; the
// caller guarantees the ranges. Appending to a full set is silently ignored.
// Not thread-safe: one thread writes a data set at a time.
class CMeasDataSet final {
  public:
    CMeasDataSet();
    ~CMeasDataSet();
    CMeasDataSet(const CMeasDataSet&) = delete;
    CMeasDataSet& operator=(const CMeasDataSet&) = delete;

    // ---- storage ----
    // Makes n the capacity, frees every array and empties the set (a no-op
    // when n is the capacity already); false and capacity 0 for a negative n.
    bool Reserve(int n);
    // Makes room for `records` records (at most the capacity) at once, so
    // that appending them allocates nothing more. False when memory runs
    // out; the set is unchanged then.
    bool MakeRoom(int records);
    bool IsReserved() const { return reserved_; }
    int GetCapacity() const { return capacity_; }
    // Forgets the records, statistics, elapsed range and name; the slot
    // elements stay.
    void Clear();
    int GetCount() const { return count_; }
    void SetName(const std::string& name) { name_ = name; }
    const std::string& GetName() const { return name_; }

    // ---- per record ----
    int GetElement(int slot) const { return slotElements_[slot]; }
    double GetValue(int slot, int record) const { return values_[slot][record]; }
    int GetUnit(int slot, int record) const { return units_[slot][record]; }
    int GetDecimals(int slot, int record) const { return decimals_[slot][record]; }
    int GetState(int slot, int record) const { return states_[slot][record]; }
    int GetErrorCode(int slot, int record) const { return errors_[slot][record]; }
    int GetInstrumentError(int record) const { return instrumentErrors_[record]; }
    int GetDevice(int record) const { return devices_[record]; }
    // Raw bytes as the instrument sent them (Shift JIS on a Japanese one).
    const std::string& GetSiteName(int record) const { return siteNames_[record]; }
    const std::string& GetBattery(int record) const { return batteries_[record]; }
    std::int32_t GetLatitude(int record) const { return latitudes_[record]; }
    std::int32_t GetLongitude(int record) const { return longitudes_[record]; }
    const CDateTime& GetTime(int record) const { return times_[record]; }
    double GetElapsed(int record) const { return elapsed_[record]; }

    std::string FormatTime(int record, const char* pattern) const;
    // The value with the format of the record's own decimals code.
    std::string FormatValue(int slot, int record) const;
    // "%2d %02d %02d N" / "%3d %02d %02d E", or dashes without a position.
    std::string FormatLatitude(int record) const;
    std::string FormatLongitude(int record) const;

    // Element set, component error not "data error", state neither 0 nor 9.
    bool IsValueValid(int slot, int record) const;

    // Out-of-range arguments give an empty entry.
    const SlotStats& GetStats(int slot, int unit) const;
    const TimeRange& GetElapsedRange() const { return range_; }

    // First slot holding the element, or -1.
    int FindSlot(int element) const;
    // Maximum of the statistics of the first slot with the element; 0.0 if none.
    double GetMaxByElement(int element, int unit) const;

    // Averages `element` (in `unit`) over depth bins of `binSize` of the depth
    // slot (in `depthUnit`): sums[b] become averages, counts[b] the number of
    // records in bin b. Depths beyond the last bin go to the last bin, depths
    // below 0 to bin 0. Returns the number of records used (0 when the set has
    // no such slots or values, or binSize or bins are not positive).
    int GetDepthProfile(double binSize, int depthUnit, int element, int unit, double* sums, int* counts,
                        int bins, double& outMin, double& outMax, int& outDecimals) const;

    // ---- record operations ----
    // Decode one validated instrument reply (from "#" up to where "@" was)
    // and append it. False when the set is full or the reply is shorter than
    // its layout (such a reply is not appended).
    //
    // Number fields (element numbers, coordinates, date and time pairs)
    // are read as the library's conversions read them as far as blanks go:
    // digits with blanks before or after them ("1 ", " 4").
    //
    // Defensive rules (the reply is checked for its frame only):
    // - A component block whose unit digit is not 0-3, whose state digit is
    //   not 0-9, whose error digit is not 0-13 (hexadecimal), or whose value
    //   is not a number is stored with state 0, so it is never valid nor
    //   counted; codes outside their range are stored as 0, and a value that
    //   is not a number as 0.0 (a state of 9 is kept: it also means no value).
    // - A block whose element field is not a number matches no slot.
    // - A device code above 14 or an instrument error code above 11 (or a
    //   character that is not a hexadecimal digit) is stored as 0.
    // - A latitude or longitude whose field holds no number (or more than
    //   digits and blanks) is stored as no position; the other one is kept.
    // - A value field of blanks or a lone "-" is no value: state 0, although
    //   the library's conversion would have read it as 0.
    // - A date and time that is not a real time in 2000-2099 (non-digits,
    //   month 13, 31 February, hour 24, all zeros after a clock fault ...) is
    //   stored as 2000/01/01 00:00:00, the earliest time a data file can hold;
    //   the record is kept.
    bool AddLiveRecord(std::string_view reply);
    bool AddMemoryRecord(std::string_view reply);

    // Appends a copy of other's record (and takes over other's slot
    // elements); elapsed seconds are measured against this set's record 0.
    void AppendRecordFrom(const CMeasDataSet& other, int record);
    void CopyFrom(const CMeasDataSet& other);
    void DeleteRecord(int record);
    // Deletes every listed record (indices as they stand before the call;
    // duplicates and indices out of range are ignored) with one compaction
    // and one rescan. Same result as DeleteRecord for each, highest first.
    void DeleteRecords(const std::vector<int>& records);
    void Reverse();

    // Fill out[0..count-1] with record indices in ascending key order; equal
    // keys keep the lower index first.
    void SortByElapsed(int* out) const;
    // Byte-wise, a Shift JIS lead byte and its trail byte counting as one
    // character (so half-width katakana sort before double-byte characters).
    void SortBySite(int* out) const;
    void SortByLatitude(int* out) const;   // records without a position last
    void SortByLongitude(int* out) const;  // records without a position last

    // ---- CSV lines (MeasDataSetCsv.cpp) ----
    // Each builds its result in the line buffer (emptied first) and returns it.
    const std::string& FormatHeaderLines();
    // Empty text when record >= count.
    const std::string& FormatRecordLine(int record);
    // The fields of the line most recently read; the file reader fills it.
    std::vector<std::string>& GetFieldList() { return fields_; }
    int ParseFirstLine();    // throws EMemError::NotDataFile
    void ParseColumnLine();  // throws EMemError::BadFormat
    // Throws EMemError::BadFormat, or std::bad_alloc when no room can be had.
    void ParseRecordLine();
    // ParseRecordLine of fields read as views (CCsvFile::ReadCsvFields).
    void ParseRecordLine(const std::vector<std::string_view>& fields);
    // Why the parse operation that threw last refused its line.
    const ParseFault& LastParseFault() const { return parseFault_; }

  private:
    // Adds the value of (slot, record) to its statistics entry if it is valid.
    void UpdateStats(int slot, int record);
    // Elapsed seconds of the record against record 0 (record 0 becomes the
    // reference and resets the range).
    void RecalcElapsed(int record);
    // Zeroes statistics and range, then recomputes both over every record.
    void Rescan();
    void ResetStats();
    // Common decoding of both reply kinds; `m` is the offset of the
    // component blocks.
    bool AddInstrumentRecord(std::string_view reply, std::size_t m, bool live);
    // Room for at least `records` records, growing the arrays geometrically;
    // false beyond the capacity or when memory runs out.
    bool Grow(int records);
    // Calls f(a's array, b's array) for every per-record and per-slot array.
    template <class A, class B, class F>
    static void ForEachArray(A& a, B& b, F&& f);
    void FreeArrays();

    bool reserved_ = false;
    std::string line_;                 // CSV line most recently formatted
    std::vector<std::string> fields_;  // CSV fields most recently read
    ParseFault parseFault_;
    int capacity_ = 0;
    int allocated_ = 0;  // records the arrays have room for, at most the capacity
    int count_ = 0;
    std::string name_;  // file path; empty for instrument data

    // Per record.
    std::vector<std::string> siteNames_;          // at most 20 bytes, blanks kept
    std::vector<std::string> batteries_;          // as received; 4 blanks for memory records
    std::vector<std::int32_t> latitudes_;         // ddmmss, negative south, kNoPosition
    std::vector<std::int32_t> longitudes_;        // dddmmss, negative west, kNoPosition
    std::vector<std::uint8_t> devices_;           // 0..14
    std::vector<std::uint8_t> instrumentErrors_;  // 0..11
    std::vector<CDateTime> times_;
    std::vector<double> elapsed_;  // whole seconds from record 0

    TimeRange range_;
    std::array<std::uint8_t, kSlotCount> slotElements_{};

    // Per slot and record.
    std::array<std::vector<std::uint8_t>, kSlotCount> states_;  // 0..9
    std::array<std::vector<std::uint8_t>, kSlotCount> errors_;  // 0..13
    std::array<std::vector<float>, kSlotCount> values_;
    std::array<std::vector<std::uint8_t>, kSlotCount> units_;     // 0..3
    std::array<std::vector<std::uint8_t>, kSlotCount> decimals_;  // 0..4

    std::array<std::array<SlotStats, kUnitCount>, kSlotCount> stats_{};
};

}  // namespace kelp
