#include "tools/sim/FaultPlan.h"

namespace kelp::sim {

CFaultPlan::CFaultPlan(std::vector<FaultRule> rules, std::uint64_t seed)
    : rules_(std::move(rules)), random_(seed * 2654435761ULL + 17) {}

std::vector<FaultKind> CFaultPlan::For(int number) {
    std::vector<FaultKind> faults;
    std::uniform_real_distribution<double> percent(0.0, 100.0);
    for (const auto& rule : rules_) {
        bool strikes = false;
        if (rule.ratePercent >= 0) {
            strikes = percent(random_) < rule.ratePercent;
        } else {
            strikes = number >= rule.from && (rule.count == 0 || number < rule.from + rule.count);
        }
        if (strikes) {
            faults.push_back(rule.kind);
        }
    }
    return faults;
}

}  // namespace kelp::sim
