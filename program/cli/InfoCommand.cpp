// kelp-collector info: what a data file holds, at a glance.
#include <cstdio>
#include <map>
#include <vector>

#include "data/Catalogue.h"
#include "data/Cp932.h"
#include "data/MeasDataSet.h"
#include "program/cli/Arguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/Console.h"
#include "program/cli/ExitStatus.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

constexpr const char* kTimePattern = "%Y/%m/%d %H:%M:%S";
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

std::string Describe(CMeasDataSet& data, const std::string& path) {
    std::string out = path + "\n";
    const int count = data.GetCount();
    Line(out, IDS_CLI_INFO_RECORDS, std::to_string(count));
    if (count == 0) {
        return out;
    }

    int first = -1;
    int last = -1;
    std::vector<std::pair<std::string, int>> sites;
    std::map<std::string, std::size_t> siteIndex;
    int positions = 0;
    int south = -1, north = -1, west = -1, east = -1;
    for (int r = 0; r < count; ++r) {
        if (data.GetTime(r).IsValid()) {
            if (first < 0 || data.GetTime(r) < data.GetTime(first)) {
                first = r;
            }
            if (last < 0 || data.GetTime(r) > data.GetTime(last)) {
                last = r;
            }
        }
        const std::string site = TrimRight(Cp932ToUtf8(data.GetSiteName(r)));
        const auto [it, added] = siteIndex.emplace(site, sites.size());
        if (added) {
            sites.emplace_back(site, 0);
        }
        ++sites[it->second].second;
        if (data.GetLatitude(r) != kNoPosition && data.GetLongitude(r) != kNoPosition) {
            ++positions;
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
    if (first >= 0) {
        Line(out, IDS_CLI_INFO_FIRST, data.FormatTime(first, kTimePattern));
        Line(out, IDS_CLI_INFO_LAST, data.FormatTime(last, kTimePattern));
        Line(out, IDS_CLI_INFO_SPAN, Span(CDateTime::WholeSeconds(data.GetTime(last) - data.GetTime(first))));
    }
    std::string siteList;
    for (const auto& [name, n] : sites) {
        siteList += (siteList.empty() ? "" : ", ") + (name.empty() ? std::string("-") : name) + " (" +
                    std::to_string(n) + ")";
    }
    Line(out, IDS_CLI_INFO_SITES, siteList);
    if (positions == 0) {
        Line(out, IDS_CLI_INFO_POSITIONS, LoadText(IDS_CLI_INFO_NONE));
    } else {
        Line(out, IDS_CLI_INFO_POSITIONS,
             Fill(IDS_CLI_INFO_POSITION_RANGE,
                  {std::to_string(positions), Trim(data.FormatLatitude(south)),
                   Trim(data.FormatLatitude(north)), Trim(data.FormatLongitude(west)),
                   Trim(data.FormatLongitude(east))}));
    }

    std::string components;
    for (const ValueColumn& column : ValueColumns(data)) {
        const SlotStats& stats = data.GetStats(column.slot, column.unit);
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

int RunInfoCommand(CommandContext& context) {
    const std::vector<std::string>& files = context.arguments.Operands();
    if (files.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_INPUT));
    }
    int status = kExitOk;
    CMeasDataSet data;
    bool firstBlock = true;
    for (const std::string& path : files) {
        if (LoadInput(context, path, data) != kExitOk) {
            status = kExitBadInput;
            continue;
        }
        std::string text = firstBlock ? std::string() : std::string("\n");
        text += Describe(data, path);
        firstBlock = false;
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    std::fflush(stdout);
    return status;
}

const CSubcommandRegistration kInfo({
    .name = "info",
    .order = 30,
    .summaryId = IDS_CLI_SUMMARY_INFO,
    .helpId = IDS_CLI_HELP_INFO,
    .options = {},
    .run = RunInfoCommand,
});

}  // namespace

}  // namespace kelp::cli
