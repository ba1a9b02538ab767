#include "analysis/CastFinder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "data/Catalogue.h"
#include "data/MeasDataSet.h"

namespace kelp {

namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr int kMetreUnit = 0;
constexpr int kFootUnit = 1;
constexpr double kEarthRadiusMetres = 6371000.0;
constexpr double kPi = 3.14159265358979323846;
// Half the width of the running median: five records take out single
// spikes and most of the noise of a pressure sensor, and keep the corner
// where a descent begins.
constexpr int kSmoothRadius = 2;
// The least and the most depth counted as still at the top: the noise of
// the station widens it (a swell moves the probe on its cable), the
// height of a cast bounds it.
constexpr double kMinToleranceMetres = 0.05;
// The tolerance in spreads of the noise.
constexpr double kTolerancePerSpread = 3.0;
// Samples over which a descent is told from the noise at the top: enough
// for a probe going down a few centimetres a record to leave it.
constexpr int kLeaveLag = 8;
// Samples at the top that the fit of the corner takes at most.
constexpr int kMaxTopSamples = 60;
// Samples of the descent the fit of the corner takes at least.
constexpr int kMinDescentSamples = 3;

std::string_view TrimmedSite(const std::string& site) {
    std::string_view s = site;
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

bool HasPosition(const CMeasDataSet& data, int record) {
    return data.GetLatitude(record) != kNoPosition && data.GetLongitude(record) != kNoPosition;
}

// ddmmss (dddmmss), negative south or west, in radians.
double Radians(std::int32_t value) {
    return DegreesOf(value) * kPi / 180.0;
}

// Over a few kilometres the flat-earth distance is within a metre of the
// great circle, and costs one cosine.
double DistanceMetres(const CMeasDataSet& data, int a, int b) {
    const double latA = Radians(data.GetLatitude(a));
    const double latB = Radians(data.GetLatitude(b));
    double dLon = Radians(data.GetLongitude(b)) - Radians(data.GetLongitude(a));
    if (dLon > kPi) {
        dLon -= 2 * kPi;
    } else if (dLon < -kPi) {
        dLon += 2 * kPi;
    }
    const double x = dLon * std::cos((latA + latB) / 2);
    const double y = latB - latA;
    return std::sqrt(x * x + y * y) * kEarthRadiusMetres;
}

bool StationBreak(const CMeasDataSet& data, int previous, int record, int lastFix,
                  const CastOptions& options) {
    if (TrimmedSite(data.GetSiteName(record)) != TrimmedSite(data.GetSiteName(previous))) {
        return true;
    }
    const CDateTime& before = data.GetTime(previous);
    const CDateTime& now = data.GetTime(record);
    if (before.IsValid() && now.IsValid()) {
        const double days = now - before;
        if (days < 0 || CDateTime::WholeSeconds(days) > options.gapSeconds) {
            return true;
        }
    }
    return lastFix >= 0 && HasPosition(data, record) &&
           DistanceMetres(data, lastFix, record) > options.distanceMetres;
}

double Median5(double a, double b, double c, double d, double e) {
    // A sorting network would do; five values sort in no time.
    double v[5] = {a, b, c, d, e};
    std::sort(v, v + 5);
    return v[2];
}

// The casts of one station, from the depths of its records that have one.
class CStationCasts final {
  public:
    CStationCasts(const std::vector<double>& depths, const CastOptions& options)
        : depths_(depths), options_(options) {}

    // The sample index of the top of each cast, in order.
    std::vector<int> Tops() {
        Smooth();
        const auto [low, high] = std::minmax_element(smooth_.begin(), smooth_.end());
        height_ = std::max(options_.minHeightMetres, options_.minHeightShare * (*high - *low));
        tolerance_ = std::clamp(kTolerancePerSpread * NoiseSpread(), kMinToleranceMetres, height_ / 4);
        std::vector<int> tops;
        int from = 0;
        for (const auto& [top, bottom] : Descents()) {
            const int start = TopOf(from, top, bottom);
            if (bottom - start + 1 >= options_.minRecords && (tops.empty() || start > tops.back())) {
                tops.push_back(start);
            }
            from = bottom;
        }
        return tops;
    }

  private:
    void Smooth() {
        const int n = static_cast<int>(depths_.size());
        smooth_.resize(depths_.size());
        for (int j = 0; j < n; ++j) {
            if (j < kSmoothRadius || j + kSmoothRadius >= n) {
                // The ends: the median of what there is around them.
                const int from = std::max(0, j - 1);
                const int to = std::min(n - 1, j + 1);
                double v[3] = {depths_[from], depths_[j], depths_[to]};
                std::sort(v, v + 3);
                smooth_[j] = v[1];
            } else {
                smooth_[j] =
                    Median5(depths_[j - 2], depths_[j - 1], depths_[j], depths_[j + 1], depths_[j + 2]);
            }
        }
    }

    // Top and bottom turning points of every descent: a turn counts once
    // the smoothed depth has come back by the minimum height, so waves on
    // the cable and small stops do not make casts.
    std::vector<std::pair<int, int>> Descents() const {
        std::vector<std::pair<int, int>> descents;
        const int n = static_cast<int>(smooth_.size());
        int low = 0;
        int high = 0;
        int top = 0;
        int direction = 0;  // +1 going down, -1 coming up, 0 not known yet
        for (int j = 1; j < n; ++j) {
            const double v = smooth_[j];
            if (direction == 0) {
                if (v < smooth_[low]) {
                    low = j;
                }
                if (v > smooth_[high]) {
                    high = j;
                }
                if (smooth_[high] - smooth_[low] >= height_) {
                    direction = low < high ? 1 : -1;
                    top = low;
                }
            } else if (direction > 0) {
                if (v > smooth_[high]) {
                    high = j;
                } else if (smooth_[high] - v >= height_) {
                    descents.emplace_back(top, high);
                    direction = -1;
                    low = j;
                }
            } else {
                if (v < smooth_[low]) {
                    low = j;
                } else if (v - smooth_[low] >= height_) {
                    direction = 1;
                    top = low;
                    high = j;
                }
            }
        }
        if (direction > 0) {
            descents.emplace_back(top, high);
        }
        return descents;
    }

    // How far the depths stray from their running median: the median of
    // the distances, scaled to a standard deviation of normal noise.
    double NoiseSpread() const {
        std::vector<double> distances(depths_.size());
        for (std::size_t j = 0; j < depths_.size(); ++j) {
            distances[j] = std::abs(depths_[j] - smooth_[j]);
        }
        if (distances.empty()) {
            return 0.0;
        }
        const auto middle = distances.begin() + static_cast<std::ptrdiff_t>(distances.size() / 2);
        std::nth_element(distances.begin(), middle, distances.end());
        return 1.4826 * *middle;
    }

    // The last sample at the top before the descent from `top` (the
    // shallowest point after sample `from`, where the last descent ended)
    // to `bottom`.
    int TopOf(int from, int top, int bottom) const {
        // Back from the bottom to where the descent is in its upper half ...
        int half = bottom;
        while (half > top && smooth_[half] > smooth_[top] + height_ / 2) {
            --half;
        }
        // ... then up the descent while it still sinks by more than the
        // noise over a few samples: to just below the corner. The corner
        // may lie before `top`: a swell can carry the probe to its
        // shallowest a moment after the descent began.
        int leave = half;
        while (leave > from && smooth_[leave] - smooth_[std::max(from, leave - kLeaveLag)] > tolerance_) {
            --leave;
        }
        // The top before it: from its shallowest depth back over the
        // depths near it, so that neither a way up that came before (a
        // yo-yo turning without a pause) nor the air above a soak joins it.
        int shallowest = leave;
        for (int j = std::max(from, leave - kLeaveLag); j < leave; ++j) {
            if (depths_[static_cast<std::size_t>(j)] < depths_[static_cast<std::size_t>(shallowest)]) {
                shallowest = j;
            }
        }
        const double level = depths_[static_cast<std::size_t>(shallowest)];
        int first = shallowest;
        while (first > from && shallowest - first < kMaxTopSamples &&
               std::abs(depths_[static_cast<std::size_t>(first - 1)] - level) <= tolerance_) {
            --first;
        }
        const int last = std::min(bottom, half + kMinDescentSamples);
        return Corner(first, std::max(last, std::min(bottom, first + kMinDescentSamples + 1)));
    }

    // The last sample of a level run before a steady descent, in samples
    // first to last: where a level line joined to a sloping one fits the
    // raw depths best (least squares over every corner in turn).
    int Corner(int first, int last) const {
        const int n = last - first + 1;
        if (n < 3) {
            return first;
        }
        // With x = i - k for sample i and corner k, the depth is
        // level + slope * max(x, 0). The sums of the samples after the
        // corner grow from the end.
        double totalY = 0.0, totalYY = 0.0;
        for (int i = 0; i < n; ++i) {
            const double y = depths_[static_cast<std::size_t>(first + i)];
            totalY += y;
            totalYY += y * y;
        }
        double count = 0.0, sumI = 0.0, sumII = 0.0, sumY = 0.0, sumIY = 0.0;
        int best = first;
        double bestError = std::numeric_limits<double>::infinity();
        for (int k = n - 1; k >= 0; --k) {
            if (count >= 2.0) {
                const double z1 = sumI - k * count;
                const double z2 = sumII - 2.0 * k * sumI + static_cast<double>(k) * k * count;
                const double zy = sumIY - k * sumY;
                const double det = n * z2 - z1 * z1;
                const double slope = (n * zy - z1 * totalY) / det;
                const double level = (totalY - slope * z1) / n;
                const double error = totalYY - level * totalY - slope * zy;
                // Ties go to the later corner: the probe is still at the
                // top until it is seen to leave.
                if (det > 0.0 && slope > 0.0 && error < bestError) {
                    bestError = error;
                    best = first + k;
                }
            }
            const double y = depths_[static_cast<std::size_t>(first + k)];
            count += 1.0;
            sumI += k;
            sumII += static_cast<double>(k) * k;
            sumY += y;
            sumIY += k * y;
        }
        return best;
    }

    const std::vector<double>& depths_;
    const CastOptions& options_;
    std::vector<double> smooth_;
    double height_ = 0.0;
    double tolerance_ = kMinToleranceMetres;
};

// The median of `values` (the lower one of an even count); reorders them.
std::int32_t Median(std::vector<std::int32_t>& values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>((values.size() - 1) / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Fills in what the records of the cast tell; `downFrom` is the top of a
// cast's descent, where the search for its deepest record starts.
void Describe(const CMeasDataSet& data, int depthSlot, int downFrom, Cast& cast,
              std::vector<std::int32_t>& latitudes, std::vector<std::int32_t>& longitudes) {
    cast.site = data.GetSiteName(cast.records.first);
    cast.start = data.GetTime(cast.records.first);
    cast.end = data.GetTime(cast.records.last);
    latitudes.clear();
    longitudes.clear();
    for (int r = cast.records.first; r <= cast.records.last; ++r) {
        double metres = 0.0;
        if (r >= downFrom && depthSlot >= 0 && DepthMetres(data, depthSlot, r, metres) &&
            (cast.deepest < 0 || metres > cast.maxDepthMetres)) {
            cast.deepest = r;
            cast.maxDepthMetres = metres;
        }
        if (HasPosition(data, r)) {
            latitudes.push_back(data.GetLatitude(r));
            longitudes.push_back(data.GetLongitude(r));
        }
    }
    cast.latitude = latitudes.empty() ? kNoPosition : Median(latitudes);
    cast.longitude = longitudes.empty() ? kNoPosition : Median(longitudes);
    if (!cast.series) {
        cast.down = {downFrom, cast.deepest};
        cast.up = {cast.deepest, cast.records.last};
    }
}

}  // namespace

bool Cast::HasPosition() const {
    return latitude != kNoPosition && longitude != kNoPosition;
}

bool DepthMetres(const CMeasDataSet& data, int depthSlot, int record, double& metres) {
    if (!data.IsValueValid(depthSlot, record)) {
        return false;
    }
    const int unit = data.GetUnit(depthSlot, record);
    const double value = data.GetValue(depthSlot, record);
    if ((unit != kMetreUnit && unit != kFootUnit) || !std::isfinite(value)) {
        return false;
    }
    metres = unit == kFootUnit ? value * kMetresPerFoot : value;
    return true;
}

CastList FindCasts(const CMeasDataSet& data, const CastOptions& options) {
    CastList list;
    const int count = data.GetCount();
    const int depthSlot = data.FindSlot(kDepthElement);
    std::vector<int> records;
    std::vector<double> depths;
    std::vector<std::int32_t> latitudes;
    std::vector<std::int32_t> longitudes;

    auto addStation = [&](int first, int last) {
        Station station;
        station.number = static_cast<int>(list.stations.size()) + 1;
        station.site = data.GetSiteName(first);
        station.records = {first, last};
        station.firstCast = static_cast<int>(list.casts.size());
        records.clear();
        depths.clear();
        for (int r = first; r <= last; ++r) {
            double metres = 0.0;
            if (depthSlot >= 0 && DepthMetres(data, depthSlot, r, metres)) {
                records.push_back(r);
                depths.push_back(metres);
            }
        }
        station.hasDepth = !records.empty();
        std::vector<int> tops;
        if (station.hasDepth) {
            tops = CStationCasts(depths, options).Tops();
        }
        auto addCast = [&](RecordRange range, int downFrom, bool series) {
            Cast cast;
            cast.number = static_cast<int>(list.casts.size()) + 1;
            cast.station = station.number;
            cast.series = series;
            cast.records = range;
            Describe(data, depthSlot, downFrom, cast, latitudes, longitudes);
            list.casts.push_back(std::move(cast));
        };
        if (tops.empty()) {
            addCast({first, last}, first, true);
        }
        for (std::size_t k = 0; k < tops.size(); ++k) {
            const int top = records[static_cast<std::size_t>(tops[k])];
            const int from = k == 0 ? first : top;
            const int to = k + 1 < tops.size() ? records[static_cast<std::size_t>(tops[k + 1])] - 1 : last;
            addCast({from, to}, top, false);
        }
        station.castCount = static_cast<int>(list.casts.size()) - station.firstCast;
        list.stations.push_back(std::move(station));
    };

    int first = 0;
    int lastFix = -1;
    for (int r = 0; r < count; ++r) {
        if (r > 0 && StationBreak(data, r - 1, r, lastFix, options)) {
            addStation(first, r - 1);
            first = r;
            lastFix = -1;
        }
        if (HasPosition(data, r)) {
            lastFix = r;
        }
    }
    if (count > 0) {
        addStation(first, count - 1);
    }
    return list;
}

int CastList::SeriesCount() const {
    return static_cast<int>(
        std::count_if(casts.begin(), casts.end(), [](const Cast& cast) { return cast.series; }));
}

}  // namespace kelp
