#pragma once
#include <compare>
#include <cstdint>
#include <string>

namespace kelp {

// Civil date and time fields, as a person reads them.
struct CivilTime {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// A point in time to the second, counted in days (with the time of day as
// the fraction) from 30 December 1899 00:00, plus a validity flag. The count
// is linear on both sides of day 0, so differences and ordering are plain
// arithmetic on the double. A default value is day 0 and valid.
class CDateTime final {
  public:
    CDateTime() = default;

    // Years 1 to 9999; any impossible field (month 13, 31 February, hour 24,
    // second 60 ...) gives an invalid value at day 0.
    CDateTime(int year, int month, int day, int hour, int minute, int second);

    static CDateTime FromDays(double days);
    static CDateTime Invalid();
    // The local wall-clock time of this computer, to the second.
    static CDateTime Now();

    // Sets the fields; false (and the value becomes invalid) when one is impossible.
    bool SetDateTime(int year, int month, int day, int hour, int minute, int second);

    bool IsValid() const { return valid_; }
    double GetDays() const { return days_; }

    // Fields rounded to the nearest second. Meaningless for an invalid value.
    CivilTime GetCivil() const;
    int GetYear() const { return GetCivil().Year; }
    int GetMonth() const { return GetCivil().Month; }
    int GetDay() const { return GetCivil().Day; }
    int GetHour() const { return GetCivil().Hour; }
    int GetMinute() const { return GetCivil().Minute; }
    int GetSecond() const { return GetCivil().Second; }

    // strftime-style pattern ("%Y/%m/%d %H:%M:%S", "%y%m%d" ...). An invalid
    // value formats as an empty text.
    std::string Format(const char* pattern) const;

    // Difference in days (this minus other).
    double operator-(const CDateTime& other) const { return days_ - other.days_; }

    friend bool operator==(const CDateTime& a, const CDateTime& b) { return a.days_ == b.days_; }
    friend std::partial_ordering operator<=>(const CDateTime& a, const CDateTime& b) {
        return a.days_ <=> b.days_;
    }

    // Whole seconds in a non-negative difference of days: the integer part of
    // days x 86400 + 0.000005787037037037037. The small addend lifts a
    // difference such as 9.99999999 seconds, left by the rounding of two day
    // counts, back to 10 before the truncation.
    static std::int64_t WholeSeconds(double days);

  private:
    double days_ = 0.0;
    bool valid_ = true;
};

}  // namespace kelp
