// kelp-collector info: what a data file holds, at a glance.
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "data/Catalogue.h"
#include "data/Cp932.h"
#include "data/MeasDataSet.h"
#include "program/cli/Arguments.h"
#include "program/cli/AsciiNames.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ExitStatus.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

constexpr const char* kTimePattern = "%Y/%m/%d %H:%M:%S";
constexpr const char* kIsoTime = "%Y-%m-%dT%H:%M:%S";
constexpr const char* kJsonOption = "json";
constexpr int kComponentColumn = 24;  // display width of the component names

std::string Span(std::int64_t seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

void Line(std::string& out, int labelId, const std::string& value) {
    out += "  ";
    out += LoadText(labelId);
    out += ": ";
    out += value;
    out += '\n';
}

// What info says of one file, gathered a data set at a time: a file of any
// length is read whole with one data set's memory.
class CSummary final {
  public:
    void Add(const CMeasDataSet& data);
    std::string Text(const std::string& path) const;
    // The same facts as a JSON object, under names that never change.
    std::string Json(const std::string& path) const;

  private:
    // A coordinate that may stand at an end of the range, with its text.
    struct Extreme {
        std::int32_t value = 0;
        std::string text;
    };
    static void Widen(std::optional<Extreme>& extreme, std::int32_t value, const std::string& text,
                      bool lower);

    int count_ = 0;
    std::optional<CDateTime> first_;
    std::optional<CDateTime> last_;
    std::string firstText_;
    std::string lastText_;
    // Sites by their shown name, in the order they first appear, counted;
    // the bytes of a name are converted once.
    std::vector<std::pair<std::string, int>> sites_;
    std::map<std::string, std::size_t> siteIndex_;
    std::map<std::string, std::size_t> siteBytes_;
    int positions_ = 0;
    std::optional<Extreme> south_, north_, west_, east_;
    ValueStats values_;
};

void CSummary::Widen(std::optional<Extreme>& extreme, std::int32_t value, const std::string& text,
                     bool lower) {
    if (!extreme || (lower ? value < extreme->value : value > extreme->value)) {
        extreme = Extreme{value, Trim(text)};
    }
}

void CSummary::Add(const CMeasDataSet& data) {
    const int count = data.GetCount();
    count_ += count;
    values_.Add(data);
    int first = -1;
    int last = -1;
    int south = -1, north = -1, west = -1, east = -1;
    std::string previousSite;
    std::size_t previousIndex = 0;
    for (int r = 0; r < count; ++r) {
        if (data.GetTime(r).IsValid()) {
            if (first < 0 || data.GetTime(r) < data.GetTime(first)) {
                first = r;
            }
            if (last < 0 || data.GetTime(r) > data.GetTime(last)) {
                last = r;
            }
        }
        // Records of one site come in runs: the lookup is skipped within one.
        const std::string& site = data.GetSiteName(r);
        if (r == 0 || site != previousSite) {
            auto known = siteBytes_.find(site);
            if (known == siteBytes_.end()) {
                std::string name = TrimRight(Cp932ToUtf8(site));
                const auto [it, added] = siteIndex_.emplace(name, sites_.size());
                if (added) {
                    sites_.emplace_back(std::move(name), 0);
                }
                known = siteBytes_.emplace(site, it->second).first;
            }
            previousSite = site;
            previousIndex = known->second;
        }
        ++sites_[previousIndex].second;
        if (data.GetLatitude(r) != kNoPosition && data.GetLongitude(r) != kNoPosition) {
            ++positions_;
            if (south < 0 || data.GetLatitude(r) < data.GetLatitude(south))
                south = r;
            if (north < 0 || data.GetLatitude(r) > data.GetLatitude(north))
                north = r;
            if (west < 0 || data.GetLongitude(r) < data.GetLongitude(west))
                west = r;
            if (east < 0 || data.GetLongitude(r) > data.GetLongitude(east))
                east = r;
        }
    }
    // Earlier data sets win ties, as earlier records do within one.
    if (first >= 0 && (!first_ || data.GetTime(first) < *first_)) {
        first_ = data.GetTime(first);
        firstText_ = data.FormatTime(first, kTimePattern);
    }
    if (last >= 0 && (!last_ || data.GetTime(last) > *last_)) {
        last_ = data.GetTime(last);
        lastText_ = data.FormatTime(last, kTimePattern);
    }
    if (south >= 0) {
        Widen(south_, data.GetLatitude(south), data.FormatLatitude(south), true);
        Widen(north_, data.GetLatitude(north), data.FormatLatitude(north), false);
        Widen(west_, data.GetLongitude(west), data.FormatLongitude(west), true);
        Widen(east_, data.GetLongitude(east), data.FormatLongitude(east), false);
    }
}

std::string CSummary::Text(const std::string& path) const {
    std::string out = path + "\n";
    Line(out, IDS_CLI_INFO_RECORDS, std::to_string(count_));
    if (count_ == 0) {
        return out;
    }
    if (first_) {
        Line(out, IDS_CLI_INFO_FIRST, firstText_);
        Line(out, IDS_CLI_INFO_LAST, lastText_);
        Line(out, IDS_CLI_INFO_SPAN, Span(CDateTime::WholeSeconds(*last_ - *first_)));
    }
    std::string siteList;
    for (const auto& [name, n] : sites_) {
        siteList += (siteList.empty() ? "" : ", ") + (name.empty() ? std::string("-") : name) + " (" +
                    std::to_string(n) + ")";
    }
    Line(out, IDS_CLI_INFO_SITES, siteList);
    if (positions_ == 0) {
        Line(out, IDS_CLI_INFO_POSITIONS, LoadText(IDS_CLI_INFO_NONE));
    } else {
        Line(out, IDS_CLI_INFO_POSITIONS,
             Fill(IDS_CLI_INFO_POSITION_RANGE,
                  {std::to_string(positions_), south_->text, north_->text, west_->text, east_->text}));
    }

    std::string components;
    for (const ValueColumn& column : ValueColumns(values_)) {
        const SlotStats& stats =
            values_.stats[static_cast<std::size_t>(column.slot)][static_cast<std::size_t>(column.unit)];
        components += "    ";
        components += PadTo(column.title, kComponentColumn);
        components +=
            Fill(IDS_CLI_INFO_VALUES, {std::to_string(stats.Count), FormatDecimals(stats.Min, stats.Decimals),
                                       FormatDecimals(stats.Max, stats.Decimals)});
        components += '\n';
    }
    if (components.empty()) {
        Line(out, IDS_CLI_INFO_COMPONENTS, LoadText(IDS_CLI_INFO_NONE));
    } else {
        out += "  ";
        out += LoadText(IDS_CLI_INFO_COMPONENTS);
        out += ":\n";
        out += components;
    }
    return out;
}

std::string CSummary::Json(const std::string& path) const {
    // One member a line, indented as a JSON object in an array.
    std::string out =
        "  {\n    \"file\": " + JsonString(path) + ",\n    \"records\": " + std::to_string(count_);
    const auto time = [](const std::optional<CDateTime>& t) {
        return t ? JsonString(t->Format(kIsoTime)) : std::string("null");
    };
    out += ",\n    \"first\": " + time(first_) + ",\n    \"last\": " + time(last_);
    out += ",\n    \"span_seconds\": " +
           (first_ ? std::to_string(CDateTime::WholeSeconds(*last_ - *first_)) : std::string("null"));
    out += ",\n    \"sites\": [";
    for (std::size_t i = 0; i < sites_.size(); ++i) {
        out += (i == 0 ? "\n      " : ",\n      ");
        out += "{\"name\": " + JsonString(sites_[i].first) +
               ", \"records\": " + std::to_string(sites_[i].second) + "}";
    }
    out += sites_.empty() ? "]" : "\n    ]";
    out += ",\n    \"positions\": ";
    if (positions_ == 0) {
        out += "null";
    } else {
        out +=
            "{\"records\": " + std::to_string(positions_) + ", \"south\": " + DecimalDegrees(south_->value) +
            ", \"north\": " + DecimalDegrees(north_->value) + ", \"west\": " + DecimalDegrees(west_->value) +
            ", \"east\": " + DecimalDegrees(east_->value) + "}";
    }
    out += ",\n    \"components\": [";
    bool first = true;
    for (const ValueColumn& column : ValueColumns(values_)) {
        const SlotStats& stats =
            values_.stats[static_cast<std::size_t>(column.slot)][static_cast<std::size_t>(column.unit)];
        out += first ? "\n      " : ",\n      ";
        first = false;
        out += "{\"column\": " + std::to_string(column.slot + 1) +
               ", \"name\": " + JsonString(AsciiName(column.element)) +
               ", \"unit\": " + JsonString(AsciiUnit(column.element, column.unit)) +
               ", \"title\": " + JsonString(AsciiTitle(column.element, column.unit)) +
               ", \"values\": " + std::to_string(stats.Count) +
               ", \"minimum\": " + FormatDecimals(stats.Min, stats.Decimals) +
               ", \"maximum\": " + FormatDecimals(stats.Max, stats.Decimals) + "}";
    }
    out += first ? "]" : "\n    ]";
    return out + "\n  }";
}

int RunInfoCommand(CommandContext& context) {
    const std::vector<std::string>& files = context.arguments.Operands();
    if (files.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_INPUT));
    }
    // --json: one array of the files read, written as each is done.
    const bool json = context.arguments.Has(kJsonOption);
    if (json && !WriteStandardOutput("[")) {
        return StandardOutputFailed(context);
    }
    int status = kExitOk;
    CMeasDataSet data;
    bool firstBlock = true;
    for (const std::string& path : files) {
        CSummary summary;
        const auto full = [&summary](CMeasDataSet& records) {
            summary.Add(records);
            return true;
        };
        if (LoadEveryRecord(context, path, data, full) != kExitOk) {
            status = kExitBadInput;
            continue;
        }
        summary.Add(data);
        std::string text = json ? (firstBlock ? "\n" : ",\n") : (firstBlock ? "" : "\n");
        text += json ? summary.Json(path) : summary.Text(path);
        firstBlock = false;
        if (!WriteStandardOutput(text)) {
            return StandardOutputFailed(context);
        }
    }
    if (json && !WriteStandardOutput(firstBlock ? "]\n" : "\n]\n")) {
        return StandardOutputFailed(context);
    }
    return status;
}

const CSubcommandRegistration kInfo({
    .name = "info",
    .order = 30,
    .summaryId = IDS_CLI_SUMMARY_INFO,
    .helpId = IDS_CLI_HELP_INFO,
    .options = {{kJsonOption, 0, false}},
    .run = RunInfoCommand,
});

}  // namespace

}  // namespace kelp::cli
