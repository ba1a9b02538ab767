#pragma once
#include <cstdint>
#include <ctime>
#include <string>

#include "tools/sim/FieldDay.h"

namespace kelp::sim {

// Believable instrument records. Each text runs from the prefix to the end
// of the GPS field; the frame ("@", checksum, CR LF) is added by the caller.
class CRecordGenerator final {
  public:
    // With `day`, the logged records are a field day (PlanFieldDay, on a
    // calm or a rough sea) instead of `casts` evenly spread casts.
    CRecordGenerator(std::uint64_t seed, int records, int casts, bool shuffle, bool day = false,
                     Sea sea = Sea::Calm);

    // The current values at `now` (a live "#RD" record, 188 characters).
    std::string LiveRecord(std::time_t now, bool badCodes) const;

    // Logged record `index`, 0 being the newest (a "#RM" record, 182
    // characters). The oldest record starts the first cast.
    std::string MemoryRecord(int index, bool badCodes) const;

    // The logged record of `point`.
    std::string MemoryRecordAt(const LoggedPoint& point, bool badCodes) const;

    int Records() const { return records_; }
    // The field day behind the logged records; empty without `day`.
    const FieldDay& Day() const { return day_; }

  private:
    struct Water {
        double depth, temperature, ph, orp, conductivity, turbidity, oxygen, tds, salinity, sigmaT;
    };
    // Water at `depth` below a thermocline, with a little noise drawn from `key`.
    Water AtDepth(double depth, std::uint64_t key) const;
    // `depthSensor` false leaves the depth block out.
    std::string Blocks(const Water& w, std::uint64_t key, bool badCodes, bool depthSensor = true) const;
    double Noise(std::uint64_t key, int channel) const;

    std::uint64_t seed_ = 1;
    int records_ = 0;
    int casts_ = 1;
    bool shuffle_ = false;
    FieldDay day_;
};

}  // namespace kelp::sim
