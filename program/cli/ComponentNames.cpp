#include "program/cli/ComponentNames.h"

#include <QString>
#include <algorithm>

#include "data/Catalogue.h"
#include "data/MeasDataSet.h"
#include "program/cli/AsciiNames.h"
#include "program/cli/CliTexts.h"
#include "resources/JapaneseTexts.h"
#include "resources/ResourceIds.h"
#include "resources/TextFile.h"
#include "resources/Texts.h"

namespace kelp::cli {

namespace {

// A name without the differences that do not count: width (NFKC makes "ＤＯ"
// "DO" and "℃" "°C"), letter case, blanks (panel labels break lines) and
// dots; and every ring that stands for a degree is the degree sign a
// keyboard types, so that "°F" finds the catalogue's "゜F".
std::string Key(const std::string& text) {
    QString key = QString::fromStdString(text).normalized(QString::NormalizationForm_KC).toCaseFolded();
    key.removeIf([](QChar c) { return c.isSpace() || c == u'.'; });
    for (QChar& c : key) {
        if (c == u'\u309A' || c == u'\u309C' || c == u'\u02DA' || c == u'\u00BA' || c == u'\u030A') {
            c = u'\u00B0';
        }
    }
    return key.toStdString();
}

std::string JapaneseText(int id) {
    const TextKey key = StringKey(id);
    for (const TextEntry& entry : JapaneseTexts()) {
        if (entry.key == key) {
            return std::string(entry.text);
        }
    }
    return {};
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 2 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Join(const std::vector<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) {
        joined += (joined.empty() ? "" : ", ") + item;
    }
    return joined.empty() ? LoadText(IDS_CLI_INFO_NONE) : joined;
}

// "Water Temp. (1)": a component as the messages list it, with its column.
std::string Choice(const CMeasDataSet& data, int slot) {
    return LoadText(ElementNameId(data.GetElement(slot))) + " (" + std::to_string(slot + 1) + ")";
}

}  // namespace

CComponentNames::CComponentNames(const std::string& englishFile) {
    if (auto contents = ReadTextFile(englishFile)) {
        english_ = std::move(contents->texts);
    }
}

std::vector<std::string> CComponentNames::Keys(int id) const {
    std::vector<std::string> keys{Key(JapaneseText(id))};
    if (const auto it = english_.find(StringKey(id)); it != english_.end()) {
        keys.push_back(Key(it->second));
    }
    std::erase(keys, std::string());
    return keys;
}

bool CComponentNames::Find(const std::string& text, const CMeasDataSet& data, const std::string& file,
                           int excluded, NamedComponent& found, std::string& error) const {
    // "NAME [UNIT]", full-width brackets and digits as well.
    std::string name =
        Trim(QString::fromStdString(text).normalized(QString::NormalizationForm_KC).toStdString());
    std::string unit;
    const auto open = name.rfind('[');
    const bool hasUnit = !name.empty() && name.back() == ']' && open != std::string::npos;
    if (hasUnit) {
        unit = Trim(name.substr(open + 1, name.size() - open - 2));
        name = Trim(name.substr(0, open));
    }

    std::vector<int> candidates;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int element = data.GetElement(slot);
        if (element != kNoElement && element != excluded) {
            candidates.push_back(slot);
        }
    }
    std::vector<std::string> choices;
    for (const int slot : candidates) {
        choices.push_back(Choice(data, slot));
    }

    // Every name of a slot's component, and the slots whose names pass `fits`.
    const auto namesOf = [this, &data](int slot) {
        const int element = data.GetElement(slot);
        std::vector<std::string> keys = Keys(ElementNameId(element));
        const std::vector<std::string> labels = Keys(ElementLabelId(element));
        keys.insert(keys.end(), labels.begin(), labels.end());
        return keys;
    };
    const std::string key = Key(name);
    const auto slotsWhere = [&](auto fits) {
        std::vector<int> matching;
        for (const int slot : candidates) {
            const std::vector<std::string> keys = namesOf(slot);
            if (std::any_of(keys.begin(), keys.end(), fits)) {
                matching.push_back(slot);
            }
        }
        return matching;
    };

    std::vector<int> fitting;
    if (IsNumber(name)) {
        const int slot = std::stoi(name) - 1;
        if (std::find(candidates.begin(), candidates.end(), slot) != candidates.end()) {
            fitting.push_back(slot);
        }
    } else if (!key.empty()) {
        fitting = slotsWhere([&key](const std::string& k) { return k == key; });
        fitting.resize(std::min<std::size_t>(fitting.size(), 1));
        if (fitting.empty()) {
            fitting = slotsWhere([&key](const std::string& k) { return k.starts_with(key); });
        }
        if (fitting.empty()) {
            fitting = slotsWhere([&key](const std::string& k) { return k.find(key) != std::string::npos; });
        }
    }
    if (fitting.empty()) {
        error = Fill(IDS_CLI_PLOT_NO_COMPONENT, {text, file, Join(choices)});
        return false;
    }
    if (fitting.size() > 1) {
        std::vector<std::string> fits;
        for (const int slot : fitting) {
            fits.push_back(Choice(data, slot));
        }
        error = Fill(IDS_CLI_PLOT_AMBIGUOUS, {text, Join(fits)});
        return false;
    }

    found.slot = fitting.front();
    found.unit = -1;
    if (!hasUnit) {
        return true;
    }
    const int element = data.GetElement(found.slot);
    const std::string unitKey = Key(unit);
    std::vector<std::string> units;
    for (int u = 0; u < UnitCount(element); ++u) {
        std::vector<std::string> keys = Keys(UnitTextId(element, u));
        // The unit as export's titles write it ("degF").
        if (const std::string ascii = AsciiUnit(element, u); !ascii.empty()) {
            keys.push_back(Key(ascii));
        }
        if (std::find(keys.begin(), keys.end(), unitKey) != keys.end()) {
            found.unit = u;
            return true;
        }
        units.push_back(LoadText(UnitTextId(element, u)));
    }
    error = Fill(IDS_CLI_PLOT_NO_UNIT, {LoadText(ElementNameId(element)), unit, Join(units)});
    return false;
}

}  // namespace kelp::cli
