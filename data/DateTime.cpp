#include "data/DateTime.h"

#include <cmath>
#include <ctime>

namespace kelp {

namespace {

constexpr double kSecondsPerDay = 86400.0;

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
// civil-day algorithms); exact for every year we accept.
constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2 ? 1 : 0));
}

constexpr std::int64_t kEpochFromUnixDays = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

}  // namespace

CDateTime::CDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

CDateTime CDateTime::FromDays(double days) {
    CDateTime t;
    t.days_ = days;
    t.valid_ = std::isfinite(days);
    if (!t.valid_) {
        t.days_ = 0.0;
    }
    return t;
}

CDateTime CDateTime::Invalid() {
    CDateTime t;
    t.valid_ = false;
    return t;
}

CDateTime CDateTime::Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return Invalid();
    }
    // A leap second (tm_sec 60) is folded into the second before it.
    return CDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                     local.tm_sec > 59 ? 59 : local.tm_sec);
}

bool CDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    const bool ok = year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                    day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
                    minute <= 59 && second >= 0 && second <= 59;
    if (!ok) {
        days_ = 0.0;
        valid_ = false;
        return false;
    }
    const std::int64_t dayNumber =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochFromUnixDays;
    days_ = static_cast<double>(dayNumber) + (hour * 3600 + minute * 60 + second) / kSecondsPerDay;
    valid_ = true;
    return true;
}

CivilTime CDateTime::GetCivil() const {
    CivilTime c;
    const double total = std::round(days_ * kSecondsPerDay);
    if (!std::isfinite(total) || std::fabs(total) > 1e15) {
        return c;
    }
    const auto seconds = static_cast<std::int64_t>(total);
    std::int64_t dayNumber = seconds / 86400;
    std::int64_t secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --dayNumber;
    }
    CivilFromDays(dayNumber + kEpochFromUnixDays, c.Year, c.Month, c.Day);
    c.Hour = static_cast<int>(secondOfDay / 3600);
    c.Minute = static_cast<int>(secondOfDay / 60 % 60);
    c.Second = static_cast<int>(secondOfDay % 60);
    return c;
}

std::string CDateTime::Format(const char* pattern) const {
    if (!valid_ || pattern == nullptr || *pattern == '\0') {
        return {};
    }
    const CivilTime c = GetCivil();
    std::tm tm{};
    tm.tm_year = c.Year - 1900;
    tm.tm_mon = c.Month - 1;
    tm.tm_mday = c.Day;
    tm.tm_hour = c.Hour;
    tm.tm_min = c.Minute;
    tm.tm_sec = c.Second;
    const std::int64_t unixDay =
        DaysFromCivil(c.Year, static_cast<unsigned>(c.Month), static_cast<unsigned>(c.Day));
    tm.tm_wday = static_cast<int>(((unixDay % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    tm.tm_yday = static_cast<int>(unixDay - DaysFromCivil(c.Year, 1, 1));
    tm.tm_isdst = -1;

    // strftime reports 0 both for "too small" and for an empty result, so
    // grow until a generous bound and accept an empty text then.
    std::string out(64, '\0');
    for (int attempt = 0; attempt < 6; ++attempt) {
        const std::size_t n = std::strftime(out.data(), out.size(), pattern, &tm);
        if (n > 0) {
            out.resize(n);
            return out;
        }
        out.assign(out.size() * 4, '\0');
    }
    return {};
}

std::int64_t CDateTime::WholeSeconds(double days) {
    const double seconds = days * kSecondsPerDay + 0.000005787037037037037;
    // Far beyond any real record; keeps the conversion defined.
    constexpr double kLimit = 9.0e18;
    if (!(seconds > -kLimit)) {
        return seconds < 0 ? static_cast<std::int64_t>(-kLimit) : 0;
    }
    if (seconds > kLimit) {
        return static_cast<std::int64_t>(kLimit);
    }
    return static_cast<std::int64_t>(seconds);
}

}  // namespace kelp
