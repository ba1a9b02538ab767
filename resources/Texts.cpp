#include "resources/Texts.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "resources/JapaneseTexts.h"
#include "resources/TextFile.h"

namespace kelp {

namespace {

using TextMap = std::map<TextKey, std::string>;

const TextMap& JapaneseMap() {
    static const TextMap map = [] {
        TextMap built;
        for (const TextEntry& entry : JapaneseTexts()) {
            built.emplace(entry.key, std::string(entry.text));
        }
        return built;
    }();
    return map;
}

// Every English table ever loaded stays alive, so that a text reference
// handed out before a later SelectLanguage never dangles; readers see the
// current one through an atomic pointer.
struct EnglishTables {
    std::mutex mutex;
    std::vector<std::unique_ptr<const TextMap>> loaded;
    std::atomic<const TextMap*> current{nullptr};
};

EnglishTables& English() {
    static EnglishTables tables;
    return tables;
}

const std::string& Lookup(const TextKey& key) {
    static const std::string kEmpty;
    if (const TextMap* english = English().current.load(std::memory_order_acquire)) {
        if (const auto it = english->find(key); it != english->end()) {
            return it->second;
        }
    }
    const TextMap& japanese = JapaneseMap();
    if (const auto it = japanese.find(key); it != japanese.end()) {
        return it->second;
    }
    return kEmpty;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

const std::string& LoadText(int id) {
    return Lookup(StringKey(id));
}

const std::string& LoadCaption(int templateId, int controlId) {
    return Lookup(ControlKey(templateId, controlId));
}

const std::string& LoadDialogTitle(int templateId) {
    return Lookup(DialogTitleKey(templateId));
}

const std::string& LoadMenuText(int menuId, int commandId) {
    return Lookup(MenuItemKey(menuId, commandId));
}

bool IsJapaneseLocale(std::string_view localeName) {
    if (localeName.size() < 2 || Lower(localeName[0]) != 'j' || Lower(localeName[1]) != 'a') {
        return false;
    }
    if (localeName.size() == 2) {
        return true;
    }
    const char next = localeName[2];
    return next == '_' || next == '-' || next == '.' || next == '@';
}

bool SelectLanguage(std::string_view localeName, const std::string& englishFile) {
    EnglishTables& tables = English();
    const std::lock_guard lock(tables.mutex);
    const TextMap* chosen = nullptr;
    if (!IsJapaneseLocale(localeName)) {
        // A file without a single usable line is no English resource: stay
        // with Japanese rather than claim English and show Japanese texts.
        if (auto contents = ReadTextFile(englishFile); contents && !contents->texts.empty()) {
            tables.loaded.push_back(std::make_unique<const TextMap>(std::move(contents->texts)));
            chosen = tables.loaded.back().get();
        }
    }
    tables.current.store(chosen, std::memory_order_release);
    return chosen != nullptr;
}

bool IsEnglish() {
    return English().current.load(std::memory_order_acquire) != nullptr;
}

namespace {

// "{N:one|other}" at `at` in `text`: the word for argument N, `one` when it
// is the number 1, `other` otherwise. False, leaving `out` alone, when no
// such choice starts there.
bool AppendCountWord(const std::string& text, std::size_t& at, const std::vector<std::string>& values,
                     std::string& out) {
    if (at + 3 >= text.size() || text[at + 1] < '1' || text[at + 1] > '9' || text[at + 2] != ':') {
        return false;
    }
    const auto bar = text.find('|', at + 3);
    const auto close = text.find('}', at + 3);
    if (bar == std::string::npos || close == std::string::npos || bar > close) {
        return false;
    }
    const auto n = static_cast<std::size_t>(text[at + 1] - '1');
    const bool one = n < values.size() && values[n] == "1";
    out += one ? text.substr(at + 3, bar - at - 3) : text.substr(bar + 1, close - bar - 1);
    at = close;
    return true;
}

}  // namespace

std::string FillText(const std::string& text, std::initializer_list<std::string> args) {
    const std::vector<std::string> values(args);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{' && AppendCountWord(text, i, values, out)) {
            continue;
        }
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < values.size()) {
                out += values[n];
            }
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace kelp
