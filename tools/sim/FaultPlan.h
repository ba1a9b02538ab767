#pragma once
#include <random>
#include <vector>

#include "tools/sim/SimOptions.h"

namespace kelp::sim {

// Decides which faults strike each request.
class CFaultPlan final {
  public:
    CFaultPlan(std::vector<FaultRule> rules, std::uint64_t seed);

    // The faults for request `number` (1 = the first). Rate rules draw from
    // the seeded generator, so a run is repeatable.
    std::vector<FaultKind> For(int number);

  private:
    std::vector<FaultRule> rules_;
    std::mt19937_64 random_;
};

}  // namespace kelp::sim
