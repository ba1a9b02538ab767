#pragma once
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace kelp {

// Pictures clock time on the time axes, as a reader of the panes tells the
// hour and the day: a 23-hour file, a file across New Year and a 30-second
// capture that runs past midnight, each opened in a main window with
// settings of its own in `folder` (clock time on the time axis); the 23-hour
// file also as the main window's picture and print to PDF, and the New Year
// file as kelp-collector plot draws it (language "ja" or "en"), under
// `pictures`.
void ShootClockTime(const std::string& folder, const QString& pictures, const std::string& language,
                    const std::function<void(QWidget*, const QString&)>& shoot);

}  // namespace kelp
