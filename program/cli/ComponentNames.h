#pragma once
#include <map>
#include <string>
#include <vector>

#include "resources/TextKey.h"

namespace kelp {
class CMeasDataSet;
}

namespace kelp::cli {

// A component of a data file as a command line names it.
struct NamedComponent {
    int slot = -1;  // the data column, 0 to 12
    int unit = -1;  // the unit named in brackets, -1 when none was
};

// Finds the components of a data file by the names people type: the name or
// the panel label of the component in Japanese or in English, or the number
// of its column (1 to 13). Letter case, blanks, dots and character width do
// not count ("watertemp", "ＤＯ"); a beginning, or else any part, of a name
// is enough when it fits one component only ("cond", "temp"). "NAME [UNIT]"
// names the unit as well ("Depth [feet]", "temp [°F]", "temp [degF]").
class CComponentNames final {
  public:
    // `englishFile`: the English texts, for the English names whatever the
    // language in use.
    explicit CComponentNames(const std::string& englishFile);

    // The component `text` names among the slots of `data` that hold one,
    // `excluded` (an element number) left out. False, with the message in
    // `error` naming the choices (`file` is the data file's name), when it
    // names none, several, or a unit the component does not have.
    bool Find(const std::string& text, const CMeasDataSet& data, const std::string& file, int excluded,
              NamedComponent& found, std::string& error) const;

  private:
    // The text of string `id` in both languages, each as Key() makes it.
    std::vector<std::string> Keys(int id) const;

    std::map<TextKey, std::string> english_;
};

}  // namespace kelp::cli
