#include "analysis/DepthBins.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "data/Catalogue.h"
#include "data/MeasDataSet.h"

namespace kelp {

namespace {

constexpr double kMaxBins = 1e9;

}  // namespace

std::vector<DepthBin> BinByDepth(const CMeasDataSet& data, RecordRange range, double binMetres,
                                 const std::vector<BinColumn>& columns) {
    std::vector<DepthBin> bins;
    const int depthSlot = data.FindSlot(kDepthElement);
    if (!(binMetres > 0.0) || !std::isfinite(binMetres) || depthSlot < 0) {
        return bins;
    }
    range.first = std::max(range.first, 0);
    range.last = std::min(range.last, data.GetCount() - 1);
    // (bin, record), sorted: the records of a bin side by side, in record
    // order within it.
    std::vector<std::pair<long long, int>> placed;
    placed.reserve(static_cast<std::size_t>(range.Count()));
    for (int r = range.first; r <= range.last; ++r) {
        double metres = 0.0;
        if (!DepthMetres(data, depthSlot, r, metres)) {
            continue;
        }
        const double bin = std::floor(std::max(metres, 0.0) / binMetres);
        if (bin < kMaxBins) {
            placed.emplace_back(static_cast<long long>(bin), r);
        }
    }
    std::sort(placed.begin(), placed.end());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t i = 0; i < placed.size();) {
        DepthBin bin;
        bin.centreMetres = (static_cast<double>(placed[i].first) + 0.5) * binMetres;
        bin.means.assign(columns.size(), 0.0);
        bin.counts.assign(columns.size(), 0);
        const long long index = placed[i].first;
        for (; i < placed.size() && placed[i].first == index; ++i) {
            const int r = placed[i].second;
            ++bin.records;
            for (std::size_t c = 0; c < columns.size(); ++c) {
                const BinColumn& column = columns[c];
                if (data.IsValueValid(column.slot, r) && data.GetUnit(column.slot, r) == column.unit) {
                    bin.means[c] += data.GetValue(column.slot, r);
                    ++bin.counts[c];
                }
            }
        }
        for (std::size_t c = 0; c < columns.size(); ++c) {
            bin.means[c] = bin.counts[c] > 0 ? bin.means[c] / bin.counts[c] : nan;
        }
        bins.push_back(std::move(bin));
    }
    return bins;
}

}  // namespace kelp
