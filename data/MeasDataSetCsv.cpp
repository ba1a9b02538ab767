// The CSV lines of a data set: formatting for saving, parsing for loading.
// The byte layout is shared with files already saved and with spreadsheets,
// so every field, format and line end here is fixed.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/Cp932.h"
#include "data/HexDigit.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp {

namespace {

constexpr std::string_view kMagic = "KelpPC DataFile";
constexpr std::string_view kVersionTitle = "Version";
constexpr std::size_t kFieldCount = 54;
constexpr std::size_t kMaxSiteBytes = 20;
constexpr const char* kHex = "0123456789ABCDEF";
// String ids below this are cached by FileText; the file's texts are all
// well below it.
constexpr int kCachedTextIds = 4096;

// String-table texts in the file's code page. Saving asks for the same few
// dozen texts for every record; each thread keeps them converted for the
// current language, so that a save of 10000 records neither converts nor
// locks per field. Only filling the cache reads the shared tables.
const std::string& FileText(int id) {
    struct Cache {
        bool english = false;
        std::vector<std::optional<std::string>> texts;
    };
    thread_local Cache cache;
    const bool english = IsEnglish();
    if (cache.english != english || cache.texts.empty()) {
        cache.texts.assign(kCachedTextIds, std::nullopt);
        cache.english = english;
    }
    static std::mutex mutex;
    if (id < 0 || id >= kCachedTextIds) {
        thread_local std::string other;
        const std::lock_guard lock(mutex);
        other = Utf8ToCp932(LoadText(id));
        return other;
    }
    auto& text = cache.texts[static_cast<std::size_t>(id)];
    if (!text) {
        const std::lock_guard lock(mutex);
        text = Utf8ToCp932(LoadText(id));
    }
    return *text;
}

// Room for a field of `size` bytes in quotes, then "," or, for the last
// field, the line end; returns where its bytes go. One resize per field: a
// save writes 54 fields for each of 10000 records.
char* AppendFieldRoom(std::string& line, std::size_t size, bool last = false) {
    const std::size_t at = line.size();
    line.resize(at + size + (last ? 4 : 3));
    char* p = line.data() + at;
    p[0] = '"';
    p[size + 1] = '"';
    if (last) {
        p[size + 2] = '\r';
        p[size + 3] = '\n';
    } else {
        p[size + 2] = ',';
    }
    return p + 1;
}

void AppendField(std::string& line, std::string_view text, bool last = false) {
    char* p = AppendFieldRoom(line, text.size(), last);
    if (!text.empty()) {
        std::memcpy(p, text.data(), text.size());
    }
}

void AppendIntField(std::string& line, long long value) {
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    AppendField(line, std::string_view(buffer, static_cast<std::size_t>(r.ptr - buffer)));
}

// Fixed-point with the given decimals, as "%.Nf" formats in the C locale.
// The process locale is the user's (the windowing library sets it), and a
// decimal comma would break the file, so printf is not used.
std::string FormatFixed(double value, int decimals) {
    char buffer[400];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) {
        return "0";
    }
    return std::string(buffer, r.ptr);
}

// A value field, formatted as FormatFixed does, straight into the line.
void AppendFixedField(std::string& line, float value, int decimals) {
    // A float has 24 significant bits and 10^4 takes 14, so the scaled
    // value is exact in double; rounding it to an integer, half to even,
    // is what "%.Nf" does with the exact value. Digits from that integer
    // cost a fraction of the general conversion.
    static constexpr double kScales[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
    if (decimals >= 0 && decimals < static_cast<int>(std::size(kScales))) {
        const double scaled = static_cast<double>(value) * kScales[decimals];
        if (std::fabs(scaled) < 1e15) {
            auto units = static_cast<unsigned long long>(std::fabs(std::nearbyint(scaled)));
            char digits[32];
            char* const end = digits + sizeof digits;
            char* p = end;
            for (int k = 0; k < decimals; ++k, units /= 10) {
                *--p = static_cast<char>('0' + units % 10);
            }
            if (decimals > 0) {
                *--p = '.';
            }
            do {
                *--p = static_cast<char>('0' + units % 10);
                units /= 10;
            } while (units != 0);
            if (std::signbit(value)) {
                *--p = '-';
            }
            AppendField(line, std::string_view(p, static_cast<std::size_t>(end - p)));
            return;
        }
    }
    char buffer[400];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                 std::chars_format::fixed, decimals);
    AppendField(line, r.ec == std::errc() ? std::string_view(buffer, static_cast<std::size_t>(r.ptr - buffer))
                                          : std::string_view("0"));
}

// Two decimal digits of 0 to 99.
void AppendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

// The date, time and their code columns of a record: "%Y/%m/%d",
// "%H:%M:%S", "%y%m%d" and "%H%M%S". Written digit by digit, as strftime is
// slow enough to matter in a save of 10000 records; years outside four
// digits (never stored) go through strftime for its exact output.
struct TimeTexts {
    std::string date, clock, dateCode, clockCode;
};
TimeTexts FormatTimes(const CDateTime& time) {
    TimeTexts t;
    const CivilTime c = time.GetCivil();
    if (!time.IsValid() || c.Year < 1000 || c.Year > 9999) {
        t.date = time.Format("%Y/%m/%d");
        t.clock = time.Format("%H:%M:%S");
        t.dateCode = time.Format("%y%m%d");
        t.clockCode = time.Format("%H%M%S");
        return t;
    }
    AppendTwoDigits(t.date, c.Year / 100);
    AppendTwoDigits(t.date, c.Year % 100);
    t.date += '/';
    AppendTwoDigits(t.date, c.Month);
    t.date += '/';
    AppendTwoDigits(t.date, c.Day);
    AppendTwoDigits(t.clock, c.Hour);
    t.clock += ':';
    AppendTwoDigits(t.clock, c.Minute);
    t.clock += ':';
    AppendTwoDigits(t.clock, c.Second);
    AppendTwoDigits(t.dateCode, c.Year % 100);
    AppendTwoDigits(t.dateCode, c.Month);
    AppendTwoDigits(t.dateCode, c.Day);
    AppendTwoDigits(t.clockCode, c.Hour);
    AppendTwoDigits(t.clockCode, c.Minute);
    AppendTwoDigits(t.clockCode, c.Second);
    return t;
}

// ddmmss as "dd mm ss N"; the degrees take `width` digits.
std::string FormatPosition(std::int32_t value, int width, char positive, char negative) {
    const long long magnitude = std::llabs(static_cast<long long>(value));
    char degrees[24];
    const auto r = std::to_chars(degrees, degrees + sizeof degrees, magnitude / 10000);
    const auto digits = static_cast<int>(r.ptr - degrees);
    std::string out;
    if (digits < width) {
        out.append(static_cast<std::size_t>(width - digits), '0');
    }
    out.append(degrees, r.ptr);
    out += ' ';
    AppendTwoDigits(out, static_cast<int>((magnitude / 100) % 100));
    out += ' ';
    AppendTwoDigits(out, static_cast<int>(magnitude % 100));
    out += ' ';
    out += value < 0 ? negative : positive;
    return out;
}

// Bytes as they were received, for a field text. Characters that the
// reader treats as field or line structure cannot be part of it, nor can
// `also`; a blank takes their place.
void CopySanitised(char* to, std::string_view text, char also = '"') {
    for (const char c : text) {
        *to++ = c == '"' || c == '\r' || c == '\n' || c == also ? ' ' : c;
    }
}

std::string Prefixed(char letter, const std::string& text) {
    std::string out(1, letter);
    out += text;
    return out;
}

// A field text of a fault is kept to this many bytes: enough to recognise
// it, short of a 64 KiB line.
constexpr std::size_t kFaultTextBytes = 60;

// Records why the line is refused, then refuses it.
[[noreturn]] void Refuse(ParseFault& out, FieldFault fault, int field, std::string_view text = {},
                         int limit = 0, char digit = 0, EMemError error = EMemError::BadFormat) {
    out.fault = fault;
    out.field = field;
    out.text.assign(text.substr(0, kFaultTextBytes));
    out.limit = limit;
    out.digit = digit;
    throw error;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

bool IsDigits(std::string_view s) {
    for (const char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// An optional '-' first, then digits with at most one '.'.
bool IsNumber(std::string_view s) {
    bool dot = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '-' && i == 0) {
            continue;
        }
        if (c == '.' && !dot) {
            dot = true;
            continue;
        }
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// The value of a text that IsNumber accepted, correctly rounded to the
// stored float; "-", "." and "" read as 0. False for a magnitude beyond the
// float range (no measurement is that large); a value too small for it is 0.
bool FloatValue(std::string_view s, float& out) {
    // The texts of data files have a few digits: their digits as an integer
    // below 2^24 and a power of ten up to 10^10 are both exact floats, and
    // double has more than twice the precision of float, so rounding the
    // double quotient to float gives the correctly rounded float, as the
    // general conversion below would, at a fraction of its cost.
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
    const bool negative = !s.empty() && s.front() == '-';
    std::uint32_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool point = false;
    bool small = true;
    for (std::size_t i = negative ? 1 : 0; i < s.size() && small; ++i) {
        if (s[i] == '.') {
            point = true;
            continue;
        }
        mantissa = mantissa * 10 + static_cast<std::uint32_t>(s[i] - '0');
        ++digits;
        fraction += point ? 1 : 0;
        small = mantissa < (1u << 24) && fraction <= 10;
    }
    if (digits == 0) {
        out = 0.0f;
        return true;
    }
    if (small) {
        const auto value = static_cast<float>(static_cast<double>(mantissa) / kPowers[fraction]);
        out = negative ? -value : value;
        return true;
    }
    out = 0.0f;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    if (r.ec == std::errc::invalid_argument) {
        out = 0.0f;
        return true;
    }
    if (r.ec == std::errc::result_out_of_range) {
        double wide = 0.0;
        const auto w = std::from_chars(s.data(), s.data() + s.size(), wide);
        if (w.ec == std::errc() && std::fabs(wide) < 1.0) {
            out = 0.0f;
            return true;
        }
        if (w.ec == std::errc::result_out_of_range && s.find_first_of("123456789") >= s.find('.')) {
            out = 0.0f;  // only zeros before the point: an underflow of double too
            return true;
        }
        return false;
    }
    return true;
}

// A short run of digits (the caller has checked them) as a decimal number.
int SmallDecimal(std::string_view s) {
    int value = 0;
    for (const char c : s) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// Digit `at` of code field `index` (whose text is `field`): a hexadecimal
// digit within 0..max, else the line is broken.
std::uint8_t CodeDigit(ParseFault& fault, std::string_view field, int index, std::size_t at, int max) {
    const int value = HexDigit(field[at]);
    if (value < 0 || value > max) {
        Refuse(fault, FieldFault::CodeDigit, index, field, max, field[at]);
    }
    return static_cast<std::uint8_t>(value);
}

// Code field `index` of `f`: the letter, then exactly `length` - 1
// characters, which it returns.
std::string_view CodeField(ParseFault& fault, const std::vector<std::string_view>& f, int index, char letter,
                           std::size_t length) {
    const std::string_view field = f[static_cast<std::size_t>(index)];
    if (field.size() != length || field[0] != letter) {
        Refuse(fault, FieldFault::CodeField, index, field, static_cast<int>(length));
    }
    return field.substr(1);
}

// Two decimal digits, or -1.
int Pair(std::string_view s, std::size_t at) {
    const auto pair = s.substr(at, 2);
    if (pair.size() != 2 || !IsDigits(pair)) {
        return -1;
    }
    return SmallDecimal(pair);
}

std::int32_t ParseLatitude(std::string_view field) {
    if (field.size() > 10 || field == "-- -- -- -" || field.empty() ||
        (field.back() != 'N' && field.back() != 'S')) {
        return kNoPosition;
    }
    std::string joined;
    joined += field.substr(0, 2);
    joined += field.substr(std::min<std::size_t>(3, field.size()), 2);
    joined += field.substr(std::min<std::size_t>(6, field.size()), 2);
    if (joined.empty() || !IsDigits(joined)) {
        return kNoPosition;
    }
    const std::int32_t value = SmallDecimal(joined);
    return field.back() == 'S' ? -value : value;
}

std::int32_t ParseLongitude(std::string_view field) {
    if (field.size() > 11 || field == "--- -- -- -" || field.empty() ||
        (field.back() != 'E' && field.back() != 'W')) {
        return kNoPosition;
    }
    std::string degrees(field.substr(0, 3));
    degrees.erase(0, degrees.find_first_not_of(' ') == std::string::npos ? degrees.size()
                                                                         : degrees.find_first_not_of(' '));
    if (degrees.size() == 1 || degrees.size() == 2) {
        degrees.insert(0, 3 - degrees.size(), '0');
    }
    std::string joined = degrees;
    joined += field.substr(std::min<std::size_t>(4, field.size()), 2);
    joined += field.substr(std::min<std::size_t>(7, field.size()), 2);
    if (joined.empty() || !IsDigits(joined)) {
        return kNoPosition;
    }
    const std::int32_t value = SmallDecimal(joined);
    return field.back() == 'W' ? -value : value;
}

}  // namespace

const std::string& CMeasDataSet::FormatHeaderLines() {
    line_.clear();
    AppendField(line_, kMagic);
    AppendField(line_, kVersionTitle);
    AppendField(line_, "1.00");
    char count[16];
    std::snprintf(count, sizeof count, "%d", count_);
    AppendField(line_, count, true);

    AppendField(line_, "No.");
    AppendField(line_, "SITE");
    AppendField(line_, FileText(IDS_COL_DATE));
    AppendField(line_, FileText(IDS_COL_TIME));
    AppendField(line_, FileText(IDS_COL_LATITUDE));
    AppendField(line_, FileText(IDS_COL_LONGITUDE));
    AppendField(line_, FileText(IDS_COL_INSTRUMENT_ERROR));
    for (int s = 0; s < kSlotCount; ++s) {
        const int element = slotElements_[static_cast<std::size_t>(s)];
        AppendField(line_, FileText(ElementNameId(element)));
        AppendIntField(line_, element);
        AppendField(line_, FileText(IDS_COL_ERROR));
    }
    AppendField(line_, FileText(IDS_COL_BATTERY));
    AppendField(line_, FileText(IDS_COL_DEVICE_CODE));
    AppendField(line_, FileText(IDS_COL_DATE_CODE));
    AppendField(line_, FileText(IDS_COL_TIME_CODE));
    AppendField(line_, FileText(IDS_COL_UNIT_CODE));
    AppendField(line_, FileText(IDS_COL_FORMAT_CODE));
    AppendField(line_, FileText(IDS_COL_STATE_CODE));
    AppendField(line_, FileText(IDS_COL_COMPONENT_ERROR_CODE), true);
    return line_;
}

const std::string& CMeasDataSet::FormatRecordLine(int r) {
    line_.clear();
    if (r < 0 || r >= count_) {
        return line_;
    }
    const auto i = static_cast<std::size_t>(r);
    AppendIntField(line_, r + 1);
    // Site names are bytes from the instrument and are written as they are,
    // except for the characters that no reader could take back.
    CopySanitised(AppendFieldRoom(line_, siteNames_[i].size()), siteNames_[i]);
    const TimeTexts time = FormatTimes(times_[i]);
    AppendField(line_, time.date);
    AppendField(line_, time.clock);
    AppendField(line_, latitudes_[i] == kNoPosition ? std::string("-- -- -- -")
                                                    : FormatPosition(latitudes_[i], 2, 'N', 'S'));
    AppendField(line_, longitudes_[i] == kNoPosition ? std::string("--- -- -- -")
                                                     : FormatPosition(longitudes_[i], 3, 'E', 'W'));
    AppendField(line_, FileText(InstrumentErrorTextId(instrumentErrors_[i])));

    std::string unitCodes = "U";
    std::string decimalCodes = "F";
    std::string stateCodes = "S";
    std::string errorCodes = "A";
    for (int s = 0; s < kSlotCount; ++s) {
        const auto slot = static_cast<std::size_t>(s);
        const int element = slotElements_[slot];
        const int unit = units_[slot][i];
        const int decimals = decimals_[slot][i];
        const int state = states_[slot][i];
        const int error = errors_[slot][i];
        if (element != kNoElement && state != 0 && state != kNoValueState) {
            AppendFixedField(line_, values_[slot][i], std::min(decimals, kDecimalsCount - 1));
            AppendField(line_, FileText(UnitTextId(element, unit)));
            AppendField(line_, FileText(ComponentErrorTextId(error)));
        } else {
            AppendField(line_, "-");
            AppendField(line_, "-");
            AppendField(line_, "-");
        }
        unitCodes += kHex[unit & 0xF];
        decimalCodes += kHex[decimals & 0xF];
        stateCodes += kHex[state & 0xF];
        errorCodes += kHex[error & 0xF];
    }
    // The reader takes the battery text up to the first "V".
    const std::string& battery = batteries_[i];
    char* batteryField = AppendFieldRoom(line_, battery.size() + 1);
    CopySanitised(batteryField, battery, 'V');
    batteryField[battery.size()] = 'V';
    std::string device = "P";
    device += kHex[devices_[i] & 0xF];
    device += kHex[instrumentErrors_[i] & 0xF];
    AppendField(line_, device);
    AppendField(line_, Prefixed('D', time.dateCode));
    AppendField(line_, Prefixed('T', time.clockCode));
    AppendField(line_, unitCodes);
    AppendField(line_, decimalCodes);
    AppendField(line_, stateCodes);
    AppendField(line_, errorCodes, true);
    return line_;
}

int CMeasDataSet::ParseFirstLine() {
    const auto& f = fields_;
    const auto refuse = [this](FieldFault fault, int field, std::string_view text, int limit = 0) {
        Refuse(parseFault_, fault, field, text, limit, 0, EMemError::NotDataFile);
    };
    if (f.empty() || f[0] != kMagic || (f.size() > 1 && f[1] != kVersionTitle)) {
        refuse(FieldFault::NotDataFile, 0,
               f.empty()      ? std::string()
               : f.size() > 1 ? f[0] + "," + f[1]
                              : f[0]);
    }
    if (f.size() < 4) {
        refuse(FieldFault::FieldCount, -1, {}, static_cast<int>(f.size()));
    }
    if (f[2].empty() || !IsNumber(TrimBlanks(f[2]))) {
        refuse(FieldFault::NotNumber, 2, f[2]);
    }
    const auto count = TrimBlanks(f[3]);
    if (count.empty() || !IsDigits(count)) {
        refuse(FieldFault::NotNumber, 3, f[3]);
    }
    // The loader never takes more than the capacity; a longer digit run is
    // held at a value above it rather than overflowing.
    if (count.size() > 9) {
        return std::numeric_limits<int>::max();
    }
    return SmallDecimal(count);
}

void CMeasDataSet::ParseColumnLine() {
    if (fields_.size() < kFieldCount) {
        Refuse(parseFault_, FieldFault::FieldCount, -1, {}, static_cast<int>(fields_.size()));
    }
    std::array<std::uint8_t, kSlotCount> elements{};
    for (int s = 0; s < kSlotCount; ++s) {
        const int index = 8 + 3 * s;
        const std::string& field = fields_[static_cast<std::size_t>(index)];
        const auto text = TrimBlanks(field);
        if (text.empty() || !IsDigits(text)) {
            Refuse(parseFault_, FieldFault::Element, index, field);
        }
        const auto significant = text.find_first_not_of('0');
        const auto digits =
            significant == std::string_view::npos ? std::string_view("0") : text.substr(significant);
        if (digits.size() > 2 || SmallDecimal(digits) >= kElementCount) {
            Refuse(parseFault_, FieldFault::Element, index, field);
        }
        const int element = SmallDecimal(digits);
        elements[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(element);
    }
    slotElements_ = elements;
}

void CMeasDataSet::ParseRecordLine() {
    ParseRecordLine(std::vector<std::string_view>(fields_.begin(), fields_.end()));
}

void CMeasDataSet::ParseRecordLine(const std::vector<std::string_view>& f) {
    if (count_ >= capacity_) {
        return;
    }
    ParseFault& fault = parseFault_;
    if (f.size() < kFieldCount) {
        Refuse(fault, FieldFault::FieldCount, -1, {}, static_cast<int>(f.size()));
    }
    const std::string_view site = f[1];
    if (site.size() > kMaxSiteBytes) {
        Refuse(fault, FieldFault::SiteTooLong, 1, site);
    }
    const std::string_view date = CodeField(fault, f, 48, 'D', 7);
    const std::string_view clock = CodeField(fault, f, 49, 'T', 7);
    const std::string_view batteryField = f[46];
    const auto v = batteryField.find('V');
    if (v == std::string_view::npos || v + 1 != batteryField.size()) {
        Refuse(fault, FieldFault::Battery, 46, batteryField);
    }
    const std::string_view deviceField = f[47];
    if (deviceField.size() < 3 || deviceField[0] != 'P') {
        Refuse(fault, FieldFault::CodeField, 47, deviceField, 3);
    }
    const std::uint8_t device = CodeDigit(fault, deviceField, 47, 1, kDeviceCount - 1);
    const std::uint8_t instrumentError = CodeDigit(fault, deviceField, 47, 2, kInstrumentErrorCount - 1);

    // A date or time code that is no real time loads with the time that
    // decoding an instrument reply falls back to, rather than failing the
    // whole file over a field that nothing else depends on.
    CDateTime time;
    const int pairs[6] = {Pair(date, 0),  Pair(date, 2),  Pair(date, 4),
                          Pair(clock, 0), Pair(clock, 2), Pair(clock, 4)};
    if (std::find(std::begin(pairs), std::end(pairs), -1) != std::end(pairs) ||
        !time.SetDateTime(2000 + pairs[0], pairs[1], pairs[2], pairs[3], pairs[4], pairs[5])) {
        time = CDateTime(2000, 1, 1, 0, 0, 0);
    }

    // The four code fields: a letter and a digit per slot, read below.
    CodeField(fault, f, 50, 'U', 14);
    CodeField(fault, f, 51, 'F', 14);
    CodeField(fault, f, 52, 'S', 14);
    CodeField(fault, f, 53, 'A', 14);

    // Everything is checked before the record is stored, so that a broken
    // line leaves no half-written record behind.
    std::array<std::uint8_t, kSlotCount> units{}, decimals{}, states{}, errors{};
    std::array<float, kSlotCount> values{};
    for (int s = 0; s < kSlotCount; ++s) {
        const auto slot = static_cast<std::size_t>(s);
        units[slot] = CodeDigit(fault, f[50], 50, slot + 1, kUnitCount - 1);
        decimals[slot] = CodeDigit(fault, f[51], 51, slot + 1, kDecimalsCount - 1);
        states[slot] = CodeDigit(fault, f[52], 52, slot + 1, kStateCount - 1);
        errors[slot] = CodeDigit(fault, f[53], 53, slot + 1, kComponentErrorCount - 1);
        if (slotElements_[slot] == kNoElement) {
            continue;
        }
        const int index = 7 + 3 * s;
        const std::string_view field = f[static_cast<std::size_t>(index)];
        const auto text = TrimBlanks(field);
        // The program writes "-" only where nothing was measured (states 0
        // and 9). Where the codes say measured, a "-" or an empty field is a
        // value blanked by hand (an outlier taken out in a spreadsheet), not
        // a measured 0: the slot loads as not measured.
        if ((text.empty() || text == "-") && states[slot] != 0 && states[slot] != kNoValueState) {
            states[slot] = 0;
            continue;
        }
        if (!IsNumber(text)) {
            Refuse(fault, FieldFault::NotNumber, index, field);
        }
        float stored = 0.0f;
        if (!FloatValue(text, stored)) {
            Refuse(fault, FieldFault::TooLarge, index, field);
        }
        // Rounded to the record's decimals, as the value would be shown. A
        // text with no more decimals than that is the nearest decimal of its
        // own float at that many places, so rounding gives the float back.
        const auto point = text.find('.');
        const std::size_t places = point == std::string_view::npos ? 0 : text.size() - point - 1;
        if (places <= decimals[slot]) {
            values[slot] = stored;
            continue;
        }
        float rounded = 0.0f;
        if (!FloatValue(FormatFixed(stored, decimals[slot]), rounded)) {
            Refuse(fault, FieldFault::TooLarge, index, field);
        }
        values[slot] = rounded;
    }

    const int n = count_;
    if (!Grow(n + 1)) {
        throw std::bad_alloc();
    }
    const auto i = static_cast<std::size_t>(n);
    siteNames_[i] = site;
    batteries_[i] = batteryField.substr(0, v);
    devices_[i] = device;
    instrumentErrors_[i] = instrumentError;
    times_[i] = time;
    latitudes_[i] = ParseLatitude(f[4]);
    longitudes_[i] = ParseLongitude(f[5]);
    for (int s = 0; s < kSlotCount; ++s) {
        const auto slot = static_cast<std::size_t>(s);
        units_[slot][i] = units[slot];
        decimals_[slot][i] = decimals[slot];
        states_[slot][i] = states[slot];
        errors_[slot][i] = errors[slot];
        values_[slot][i] = values[slot];
        if (slotElements_[slot] != kNoElement) {
            UpdateStats(s, n);
        }
    }
    RecalcElapsed(n);
    count_ = n + 1;
}

}  // namespace kelp
