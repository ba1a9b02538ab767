#include "data/MeasDataSet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <numeric>

#include "data/HexDigit.h"

namespace kelp {

namespace {

constexpr std::size_t kLiveLength = 188;
constexpr std::size_t kMemoryLength = 182;
constexpr std::size_t kLiveBlocks = 29;
constexpr std::size_t kMemoryBlocks = 23;
constexpr std::size_t kBlockWidth = 10;
constexpr std::size_t kTimeOffset = 130;      // from the first block
constexpr std::size_t kPositionOffset = 142;  // from the first block
constexpr std::size_t kSiteOffset = 3;
constexpr std::size_t kSiteWidth = 20;
constexpr const char* kMemoryBattery = "    ";

int DecimalDigit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

// White space as the C library's conversions skip it.
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A number field of the instrument: digits with blanks before or after
// them, as the library's conversions read such a field ("1 ", " 4",
// "51234 "); -1 for a field without digits or with anything else in it.
int ParseUnsignedField(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    int value = 0;
    int digits = 0;
    for (; i < text.size(); ++i) {
        const int d = DecimalDigit(text[i]);
        if (d < 0) {
            break;
        }
        value = value * 10 + d;
        ++digits;
    }
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    return digits > 0 && i == text.size() ? value : -1;
}

// A value field of at most 5 characters: blanks around an optional sign,
// digits and at most one "." (at least one digit). Independent of the
// process locale. A field of blanks or a lone "-" is no value (where the
// library's conversion would read 0.0, a measurement that was not made).
bool ParseValueField(std::string_view text, float& out) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.size() > 5) {
        return false;
    }
    int digits = 0;
    int points = 0;
    int fraction = 0;
    std::int32_t mantissa = 0;
    for (const char c : text) {
        if (c == '.') {
            ++points;
            continue;
        }
        const int d = DecimalDigit(c);
        if (d < 0) {
            return false;
        }
        mantissa = mantissa * 10 + d;
        ++digits;
        fraction += points;
    }
    if (digits == 0 || points > 1) {
        return false;
    }
    // Both operands are exact in float and double has more than twice the
    // float precision, so rounding the double quotient to float gives the
    // correctly rounded float of the decimal text, as strtof would.
    static constexpr double kPowers[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0};
    const auto value = static_cast<float>(static_cast<double>(mantissa) / kPowers[fraction]);
    out = negative ? -value : value;
    return true;
}

struct Block {
    int Element = -1;  // -1: the element field is not a number
    std::uint8_t State = 0;
    std::uint8_t Error = 0;
    std::uint8_t Unit = 0;
    std::uint8_t Decimals = 0;
    float Value = 0.0f;
};

Block DecodeBlock(std::string_view b) {
    Block block;
    block.Element = ParseUnsignedField(b.substr(0, 2));
    int state = HexDigit(b[2]);
    int error = HexDigit(b[3]);
    int unit = DecimalDigit(b[9]);
    const std::string_view valueText = b.substr(4, 5);

    bool usable = true;
    if (state < 0 || state >= kStateCount) {
        usable = false;
        state = 0;
    }
    if (error < 0 || error >= kComponentErrorCount) {
        usable = false;
        error = 0;
    }
    if (unit < 0 || unit >= kUnitCount) {
        usable = false;
        unit = 0;
    }
    if (!ParseValueField(valueText, block.Value)) {
        block.Value = 0.0f;
        if (state != kNoValueState) {
            usable = false;
        }
    }
    const std::size_t point = valueText.find('.');
    block.Decimals = point == std::string_view::npos ? 0 : static_cast<std::uint8_t>(4 - point);
    block.State = static_cast<std::uint8_t>(usable ? state : 0);
    block.Error = static_cast<std::uint8_t>(error);
    block.Unit = static_cast<std::uint8_t>(unit);
    return block;
}

// Twelve characters yymmddhhmmss, each pair read as a number field;
// anything that is not a real time of 2000-2099 gives 2000/01/01 00:00:00.
CDateTime DecodeTime(std::string_view t) {
    int pairs[6];
    for (int i = 0; i < 6; ++i) {
        pairs[i] = ParseUnsignedField(t.substr(static_cast<std::size_t>(2 * i), 2));
        if (pairs[i] < 0) {
            return CDateTime(2000, 1, 1, 0, 0, 0);
        }
    }
    CDateTime time;
    if (!time.SetDateTime(2000 + pairs[0], pairs[1], pairs[2], pairs[3], pairs[4], pairs[5])) {
        return CDateTime(2000, 1, 1, 0, 0, 0);
    }
    return time;
}

// Each coordinate on its own: one that cannot be read is no position, the
// other one is still kept.
void DecodePosition(std::string_view p, std::int32_t& latitude, std::int32_t& longitude) {
    latitude = kNoPosition;
    longitude = kNoPosition;
    if (p[0] == '-') {
        return;
    }
    const int lat = ParseUnsignedField(p.substr(0, 6));
    const int lon = ParseUnsignedField(p.substr(8, 7));
    if (lat >= 0) {
        latitude = p[7] == 'S' ? -lat : lat;
    }
    if (lon >= 0) {
        longitude = p[16] == 'W' ? -lon : lon;
    }
}

bool IsSjisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool IsSjisTrail(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// Sort key of a Shift JIS byte string: every character as two bytes, a lead
// byte with its trail byte as they are, any other byte behind a zero. Plain
// byte comparison of two keys then compares whole characters, and a
// single-byte character (half-width katakana included) sorts before every
// double-byte one. Returns the key length.
std::size_t SjisKey(const std::string& s, unsigned char* key) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (IsSjisLead(c) && i + 1 < s.size() && IsSjisTrail(static_cast<unsigned char>(s[i + 1]))) {
            key[k++] = c;
            key[k++] = static_cast<unsigned char>(s[++i]);
        } else {
            key[k++] = 0;
            key[k++] = c;
        }
    }
    return k;
}

std::string FormatPosition(std::int32_t position, const char* pattern, const char* none, char positive,
                           char negative) {
    if (position == kNoPosition) {
        return none;
    }
    const long long m = std::llabs(static_cast<long long>(position));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, static_cast<int>(m / 10000),
                  static_cast<int>(m % 10000 / 100), static_cast<int>(m % 100),
                  position < 0 ? negative : positive);
    return buffer;
}

const SlotStats kEmptyStats{};

}  // namespace

template <class A, class B, class F>
void CMeasDataSet::ForEachArray(A& a, B& b, F&& f) {
    f(a.siteNames_, b.siteNames_);
    f(a.batteries_, b.batteries_);
    f(a.latitudes_, b.latitudes_);
    f(a.longitudes_, b.longitudes_);
    f(a.devices_, b.devices_);
    f(a.instrumentErrors_, b.instrumentErrors_);
    f(a.times_, b.times_);
    f(a.elapsed_, b.elapsed_);
    for (int s = 0; s < kSlotCount; ++s) {
        f(a.states_[s], b.states_[s]);
        f(a.errors_[s], b.errors_[s]);
        f(a.values_[s], b.values_[s]);
        f(a.units_[s], b.units_[s]);
        f(a.decimals_[s], b.decimals_[s]);
    }
}

CMeasDataSet::CMeasDataSet() {
    reserved_ = Reserve(kMeasCapacity);
}

CMeasDataSet::~CMeasDataSet() = default;

void CMeasDataSet::FreeArrays() {
    ForEachArray(*this, *this, [](auto& v, auto&) {
        using Vector = std::remove_reference_t<decltype(v)>;
        Vector().swap(v);
    });
}

bool CMeasDataSet::Reserve(int n) {
    if (n == capacity_ && reserved_) {
        return true;
    }
    count_ = 0;
    ResetStats();
    FreeArrays();
    allocated_ = 0;
    capacity_ = std::max(n, 0);
    reserved_ = n >= 0;
    return reserved_;
}

bool CMeasDataSet::MakeRoom(int records) {
    return Grow(std::min(records, capacity_));
}

bool CMeasDataSet::Grow(int records) {
    if (records <= allocated_) {
        return true;
    }
    if (records > capacity_) {
        return false;
    }
    // Doubling keeps the copies of a growing set to about one per record.
    constexpr int kFirstRoom = 64;
    const int room = std::min(capacity_, std::max({records, kFirstRoom, 2 * allocated_}));
    try {
        ForEachArray(*this, *this, [room](auto& v, auto&) { v.resize(static_cast<std::size_t>(room)); });
    } catch (const std::bad_alloc&) {
        // Arrays that did grow are only larger than needed.
        return false;
    }
    allocated_ = room;
    return true;
}

void CMeasDataSet::Clear() {
    count_ = 0;
    ResetStats();
    name_.clear();
}

void CMeasDataSet::ResetStats() {
    for (auto& perUnit : stats_) {
        perUnit.fill(SlotStats{});
    }
    range_.MinElapsed = 0.0;
    range_.MaxElapsed = 0.0;
}

std::string CMeasDataSet::FormatTime(int record, const char* pattern) const {
    return times_[record].Format(pattern);
}

std::string CMeasDataSet::FormatValue(int slot, int record) const {
    return FormatDecimals(values_[slot][record], decimals_[slot][record]);
}

std::string CMeasDataSet::FormatLatitude(int record) const {
    return FormatPosition(latitudes_[record], "%2d %02d %02d %c", "-- -- -- -", 'N', 'S');
}

std::string CMeasDataSet::FormatLongitude(int record) const {
    return FormatPosition(longitudes_[record], "%3d %02d %02d %c", "--- -- -- -", 'E', 'W');
}

bool CMeasDataSet::IsValueValid(int slot, int record) const {
    const int state = states_[slot][record];
    return slotElements_[slot] != kNoElement && errors_[slot][record] != kDataErrorCode && state != 0 &&
           state != kNoValueState;
}

const SlotStats& CMeasDataSet::GetStats(int slot, int unit) const {
    if (slot < 0 || slot >= kSlotCount || unit < 0 || unit >= kUnitCount) {
        return kEmptyStats;
    }
    return stats_[slot][unit];
}

int CMeasDataSet::FindSlot(int element) const {
    for (int s = 0; s < kSlotCount; ++s) {
        if (slotElements_[s] == element) {
            return s;
        }
    }
    return -1;
}

double CMeasDataSet::GetMaxByElement(int element, int unit) const {
    const int slot = FindSlot(element);
    return slot < 0 ? 0.0 : GetStats(slot, unit).Max;
}

void CMeasDataSet::UpdateStats(int slot, int record) {
    if (!IsValueValid(slot, record)) {
        return;
    }
    const int unit = units_[slot][record];
    if (unit >= kUnitCount) {
        return;
    }
    SlotStats& e = stats_[slot][unit];
    const double value = values_[slot][record];
    const std::uint8_t decimals = decimals_[slot][record];
    if (e.Count == 0) {
        e.Min = value;
        e.Max = value;
        e.Decimals = decimals;
        e.Count = 1;
        return;
    }
    e.Min = std::min(e.Min, value);
    e.Max = std::max(e.Max, value);
    e.Decimals = std::max(e.Decimals, decimals);
    ++e.Count;
}

void CMeasDataSet::RecalcElapsed(int record) {
    if (record == 0) {
        range_.Reference = times_[0];
        elapsed_[0] = 0.0;
        range_.MinElapsed = 0.0;
        range_.MaxElapsed = 0.0;
        return;
    }
    const CDateTime& t = times_[record];
    const CDateTime& ref = range_.Reference;
    double e = 0.0;
    if (t > ref) {
        e = static_cast<double>(CDateTime::WholeSeconds(t - ref));
        range_.MaxElapsed = std::max(range_.MaxElapsed, e);
    } else if (t < ref) {
        e = -static_cast<double>(CDateTime::WholeSeconds(ref - t));
        range_.MinElapsed = std::min(range_.MinElapsed, e);
    }
    elapsed_[record] = e;
}

void CMeasDataSet::Rescan() {
    ResetStats();
    for (int i = 0; i < count_; ++i) {
        RecalcElapsed(i);
        for (int s = 0; s < kSlotCount; ++s) {
            UpdateStats(s, i);
        }
    }
}

int CMeasDataSet::GetDepthProfile(double binSize, int depthUnit, int element, int unit, double* sums,
                                  int* counts, int bins, double& outMin, double& outMax,
                                  int& outDecimals) const {
    if (bins <= 0 || sums == nullptr || counts == nullptr) {
        return 0;
    }
    std::fill(sums, sums + bins, 0.0);
    std::fill(counts, counts + bins, 0);
    const int valueSlot = FindSlot(element);
    const int depthSlot = FindSlot(kDepthElement);
    if (count_ == 0 || valueSlot < 0 || depthSlot < 0 || !(binSize > 0.0)) {
        return 0;
    }
    if (GetStats(depthSlot, depthUnit).Count == 0 || GetStats(valueSlot, unit).Count == 0) {
        return 0;
    }
    int used = 0;
    for (int i = 0; i < count_; ++i) {
        if (units_[depthSlot][i] != depthUnit || units_[valueSlot][i] != unit ||
            !IsValueValid(depthSlot, i) || !IsValueValid(valueSlot, i)) {
            continue;
        }
        // Clamp in floating point first: a negative depth belongs to the
        // top bin, a deep one to the last, and no conversion overflows.
        const double b = std::floor(static_cast<double>(values_[depthSlot][i]) / binSize);
        int bin = 0;
        if (b >= bins - 1) {
            bin = bins - 1;
        } else if (b > 0) {
            bin = static_cast<int>(b);
        }
        const double value = values_[valueSlot][i];
        const int decimals = decimals_[valueSlot][i];
        sums[bin] += value;
        ++counts[bin];
        if (used == 0) {
            outMin = value;
            outMax = value;
            outDecimals = decimals;
        } else {
            outMin = std::min(outMin, value);
            outMax = std::max(outMax, value);
            outDecimals = std::max(outDecimals, decimals);
        }
        ++used;
    }
    for (int b = 0; b < bins; ++b) {
        if (counts[b] > 0) {
            sums[b] /= counts[b];
        }
    }
    return used;
}

bool CMeasDataSet::AddLiveRecord(std::string_view reply) {
    if (reply.size() < kLiveLength) {
        return false;
    }
    return AddInstrumentRecord(reply, kLiveBlocks, true);
}

bool CMeasDataSet::AddMemoryRecord(std::string_view reply) {
    if (reply.size() < kMemoryLength) {
        return false;
    }
    return AddInstrumentRecord(reply, kMemoryBlocks, false);
}

bool CMeasDataSet::AddInstrumentRecord(std::string_view reply, std::size_t m, bool live) {
    if (count_ >= capacity_ || !Grow(count_ + 1)) {
        return false;
    }
    const int n = count_;

    DecodePosition(reply.substr(m + kPositionOffset, 17), latitudes_[n], longitudes_[n]);
    times_[n] = DecodeTime(reply.substr(m + kTimeOffset, 12));
    RecalcElapsed(n);

    Block blocks[kSlotCount];
    for (int b = 0; b < kSlotCount; ++b) {
        blocks[b] = DecodeBlock(reply.substr(m + b * kBlockWidth, kBlockWidth));
    }
    for (int s = 0; s < kSlotCount; ++s) {
        const int element = kSlotElements[s];
        slotElements_[s] = static_cast<std::uint8_t>(element);
        const Block* found = nullptr;
        for (const Block& block : blocks) {
            if (block.Element == element) {
                found = &block;
                break;
            }
        }
        const Block block = found != nullptr ? *found : Block{};
        units_[s][n] = block.Unit;
        values_[s][n] = block.Value;
        decimals_[s][n] = block.Decimals;
        errors_[s][n] = block.Error;
        states_[s][n] = block.State;
        UpdateStats(s, n);
    }

    siteNames_[n].assign(reply.substr(kSiteOffset, kSiteWidth));
    if (live) {
        batteries_[n].assign(reply.substr(25, 4));
        const int instrumentError = HexDigit(reply[24]);
        instrumentErrors_[n] = static_cast<std::uint8_t>(
            instrumentError >= 0 && instrumentError < kInstrumentErrorCount ? instrumentError : 0);
        const int device = HexDigit(reply[23]);
        devices_[n] = static_cast<std::uint8_t>(device >= 0 && device < kDeviceCount ? device : 0);
    } else {
        batteries_[n].assign(kMemoryBattery);
        instrumentErrors_[n] = 0;
        devices_[n] = kMemoryDeviceCode;
    }
    ++count_;
    return true;
}

void CMeasDataSet::AppendRecordFrom(const CMeasDataSet& other, int record) {
    if (count_ >= capacity_ || record < 0 || record >= other.count_ || !Grow(count_ + 1)) {
        return;
    }
    const int n = count_;
    siteNames_[n] = other.siteNames_[record];
    batteries_[n] = other.batteries_[record];
    latitudes_[n] = other.latitudes_[record];
    longitudes_[n] = other.longitudes_[record];
    devices_[n] = other.devices_[record];
    instrumentErrors_[n] = other.instrumentErrors_[record];
    times_[n] = other.times_[record];
    slotElements_ = other.slotElements_;
    RecalcElapsed(n);
    for (int s = 0; s < kSlotCount; ++s) {
        states_[s][n] = other.states_[s][record];
        errors_[s][n] = other.errors_[s][record];
        values_[s][n] = other.values_[s][record];
        units_[s][n] = other.units_[s][record];
        decimals_[s][n] = other.decimals_[s][record];
        UpdateStats(s, n);
    }
    ++count_;
}

void CMeasDataSet::CopyFrom(const CMeasDataSet& other) {
    if (&other == this) {
        return;
    }
    int n = std::min(other.count_, capacity_);
    if (!Grow(n)) {
        n = std::min(n, allocated_);
    }
    ForEachArray(*this, other, [n](auto& mine, const auto& theirs) {
        std::copy(theirs.begin(), theirs.begin() + n, mine.begin());
    });
    count_ = n;
    name_ = other.name_;
    range_ = other.range_;
    slotElements_ = other.slotElements_;
    stats_ = other.stats_;
    // Statistics of records that did not fit would describe data we do not hold.
    if (n < other.count_) {
        Rescan();
    }
}

void CMeasDataSet::DeleteRecord(int record) {
    if (record < 0 || record >= count_) {
        return;
    }
    const int n = count_;
    ForEachArray(*this, *this, [record, n](auto& v, auto&) {
        std::move(v.begin() + record + 1, v.begin() + n, v.begin() + record);
    });
    --count_;
    Rescan();
}

void CMeasDataSet::DeleteRecords(const std::vector<int>& records) {
    std::vector<char> marked(static_cast<std::size_t>(count_), 0);
    bool any = false;
    for (const int r : records) {
        if (r >= 0 && r < count_) {
            marked[static_cast<std::size_t>(r)] = 1;
            any = true;
        }
    }
    if (!any) {
        return;
    }
    const int n = count_;
    int kept = 0;
    ForEachArray(*this, *this, [&marked, n, &kept](auto& v, auto&) {
        int w = 0;
        for (int i = 0; i < n; ++i) {
            if (!marked[static_cast<std::size_t>(i)]) {
                if (w != i) {
                    v[w] = std::move(v[i]);
                }
                ++w;
            }
        }
        kept = w;
    });
    count_ = kept;
    Rescan();
}

void CMeasDataSet::Reverse() {
    const int n = count_;
    ForEachArray(*this, *this, [n](auto& v, auto&) { std::reverse(v.begin(), v.begin() + n); });
    Rescan();
}

void CMeasDataSet::SortByElapsed(int* out) const {
    std::iota(out, out + count_, 0);
    std::sort(out, out + count_, [this](int a, int b) {
        // Elapsed seconds are whole; the difference is compared in whole seconds.
        const double d = std::trunc(elapsed_[a] - elapsed_[b]);
        if (d != 0.0) {
            return d < 0.0;
        }
        return a < b;
    });
}

void CMeasDataSet::SortBySite(int* out) const {
    std::size_t width = 0;
    for (int i = 0; i < count_; ++i) {
        width = std::max(width, 2 * siteNames_[i].size());
    }
    // One contiguous block of keys keeps the comparisons in cache.
    std::vector<unsigned char> keys(static_cast<std::size_t>(count_) * width);
    std::vector<std::size_t> lengths(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i) {
        lengths[i] = SjisKey(siteNames_[i], keys.data() + i * width);
    }
    std::iota(out, out + count_, 0);
    std::sort(out, out + count_, [&keys, &lengths, width](int a, int b) {
        const std::size_t la = lengths[a];
        const std::size_t lb = lengths[b];
        const int c = std::memcmp(keys.data() + a * width, keys.data() + b * width, std::min(la, lb));
        if (c != 0) {
            return c < 0;
        }
        return la != lb ? la < lb : a < b;
    });
}

void CMeasDataSet::SortByLatitude(int* out) const {
    std::iota(out, out + count_, 0);
    std::sort(out, out + count_, [this](int a, int b) {
        return latitudes_[a] != latitudes_[b] ? latitudes_[a] < latitudes_[b] : a < b;
    });
}

void CMeasDataSet::SortByLongitude(int* out) const {
    std::iota(out, out + count_, 0);
    std::sort(out, out + count_, [this](int a, int b) {
        return longitudes_[a] != longitudes_[b] ? longitudes_[a] < longitudes_[b] : a < b;
    });
}

}  // namespace kelp
