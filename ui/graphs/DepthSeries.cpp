#include "ui/graphs/DepthSeries.h"

#include <cstdio>

#include "ui/graphs/GraphWindowUtil.h"

namespace kelp {

CDepthSeries::BinResult CDepthSeries::Rebin(double step, int depthUnit, int element, int unit) {
    BinResult r;
    r.used = data.GetDepthProfile(step, depthUnit, element, unit, binMean.data(), binCount.data(), kDepthBins,
                                  r.minimum, r.maximum, r.decimals);
    return r;
}

std::string CDepthSeries::ListText(int position) const {
    const std::string tail = NameTail(data.GetName());
    char head[16];
    std::snprintf(head, sizeof head, "%2d:", position + 1);
    return head + tail;
}

}  // namespace kelp
