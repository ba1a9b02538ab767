#include "program/cli/CliTexts.h"

#include <vector>

#include "data/Catalogue.h"
#include "resources/Texts.h"

namespace kelp::cli {

std::string FillText(const std::string& text, std::initializer_list<std::string> args) {
    const std::vector<std::string> values(args);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
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

std::string Fill(int id, std::initializer_list<std::string> args) {
    return FillText(LoadText(id), args);
}

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

std::string Trim(std::string text) {
    text = TrimRight(std::move(text));
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string ComponentTitle(int element, int unit) {
    const std::string unitText = TrimRight(LoadText(UnitTextId(element, unit)));
    const std::string& name = LoadText(ElementNameId(element));
    return unitText.empty() ? name : name + " [" + unitText + "]";
}

}  // namespace kelp::cli
