#include "program/cli/CastArguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/SettingsStore.h"
#include "program/cli/Arguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/ExitStatus.h"
#include "resources/ResourceIds.h"

namespace kelp::cli {

namespace {

constexpr const char* kGap = "gap";
constexpr const char* kMinHeight = "min-height";
constexpr const char* kMinRecords = "min-records";
constexpr const char* kDistance = "distance";

}  // namespace

bool ParseDecimal(const std::string& text, double low, double high, double& out) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc{} || ptr != end || !std::isfinite(value) || value < low ||
        value > high) {
        return false;
    }
    out = value;
    return true;
}

std::vector<std::string> CastOptionNames() {
    return {kGap, kMinHeight, kMinRecords, kDistance};
}

bool HasCastOption(const CommandContext& context, std::initializer_list<const char*> names) {
    const auto given = [&context](const std::string& name) { return context.arguments.Has(name); };
    const std::vector<std::string> thresholds = CastOptionNames();
    return std::any_of(names.begin(), names.end(), given) ||
           std::any_of(thresholds.begin(), thresholds.end(), given);
}

std::vector<CommandOption> WithCastOptions(std::vector<CommandOption> options) {
    options.insert(options.end(), {{kGap}, {kMinHeight}, {kMinRecords}, {kDistance}});
    return options;
}

int ReadCastOptions(CommandContext& context, CastOptions& options) {
    bool found = true;
    const std::string settings = SettingsPath(context, found);
    if (!found) {
        return UsageError(context, SettingsFailureText(settings));
    }
    options = CSettingsStore(settings).ReadCastOptions();
    const CArguments& arguments = context.arguments;
    auto bad = [&](const char* name) {
        return UsageError(context,
                          Fill(IDS_CLI_BAD_VALUE, {std::string("--") + name, arguments.Value(name)}) + "\n" +
                              Fill(IDS_CLI_CAST_OPTION_HINT, {}));
    };
    if (arguments.Has(kGap)) {
        long long seconds = 0;
        if (!ParseDuration(arguments.Value(kGap), seconds) || seconds > kMaxCastGapSeconds) {
            return bad(kGap);
        }
        options.gapSeconds = static_cast<int>(seconds);
    }
    if (arguments.Has(kMinHeight) && !ParseDecimal(arguments.Value(kMinHeight), kMinCastHeightMetres,
                                                   kMaxCastHeightMetres, options.minHeightMetres)) {
        return bad(kMinHeight);
    }
    if (arguments.Has(kMinRecords)) {
        long long records = 0;
        if (!ParseCount(arguments.Value(kMinRecords), kMaxCastRecords, records) ||
            records < kMinCastRecords) {
            return bad(kMinRecords);
        }
        options.minRecords = static_cast<int>(records);
    }
    if (arguments.Has(kDistance) && !ParseDecimal(arguments.Value(kDistance), kMinCastDistanceMetres,
                                                  kMaxCastDistanceMetres, options.distanceMetres)) {
        return bad(kDistance);
    }
    return kExitOk;
}

}  // namespace kelp::cli
