#include "program/cli/Arguments.h"

#include <cctype>
#include <string_view>

#include "program/cli/CliTexts.h"
#include "resources/ResourceIds.h"

namespace kelp::cli {

bool CArguments::Parse(int argc, char** argv, int first, const std::vector<CommandOption>& options) {
    values_.clear();
    operands_.clear();
    error_.clear();
    bool optionsEnded = false;
    for (int i = first; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands_.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const CommandOption* known = nullptr;
        std::string_view inlineValue;
        bool hasInline = false;
        if (arg.starts_with("--")) {
            std::string_view name = arg.substr(2);
            const auto equals = name.find('=');
            if (equals != std::string_view::npos) {
                inlineValue = name.substr(equals + 1);
                hasInline = true;
                name = name.substr(0, equals);
            }
            for (const CommandOption& o : options) {
                if (name == o.name) {
                    known = &o;
                }
            }
        } else {
            for (const CommandOption& o : options) {
                if (o.shortName != 0 && arg[1] == o.shortName) {
                    known = &o;
                }
            }
            if (known != nullptr && arg.size() > 2) {
                inlineValue = arg.substr(2);
                hasInline = true;
            }
        }
        if (known == nullptr || (hasInline && !known->takesValue)) {
            error_ = Fill(IDS_CLI_UNKNOWN_OPTION, {std::string(arg)});
            return false;
        }
        std::string value;
        if (known->takesValue) {
            if (hasInline) {
                value = inlineValue;
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                error_ = Fill(IDS_CLI_MISSING_VALUE, {std::string(arg)});
                return false;
            }
        }
        values_[known->name] = value;
    }
    return true;
}

std::string CArguments::Value(const std::string& name, const std::string& fallback) const {
    const auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
}

bool ParseCount(const std::string& text, long long max, long long& out) {
    if (text.empty() || text.size() > 18) {
        return false;
    }
    long long value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    if (value > max) {
        return false;
    }
    out = value;
    return true;
}

bool ParseDuration(const std::string& text, long long& seconds) {
    constexpr long long kTenYears = 10LL * 366 * 86400;
    long long total = 0;
    long long number = -1;
    bool anyUnit = false;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            number = (number < 0 ? 0 : number) * 10 + (c - '0');
            if (number > kTenYears) {
                return false;
            }
            continue;
        }
        long long unit = 0;
        switch (c) {
            case 'd':
                unit = 86400;
                break;
            case 'h':
                unit = 3600;
                break;
            case 'm':
                unit = 60;
                break;
            case 's':
                unit = 1;
                break;
            default:
                return false;
        }
        if (number < 0) {
            return false;
        }
        total += number * unit;
        number = -1;
        anyUnit = true;
        if (total > kTenYears) {
            return false;
        }
    }
    if (number >= 0) {
        // A bare number is seconds; after units ("1h30") it is not allowed.
        if (anyUnit) {
            return false;
        }
        total = number;
    } else if (!anyUnit) {
        return false;
    }
    if (total <= 0 || total > kTenYears) {
        return false;
    }
    seconds = total;
    return true;
}

}  // namespace kelp::cli
