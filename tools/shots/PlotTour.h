#pragma once
#include <QString>
#include <QStringList>
#include <string>

namespace kelp {

class CMeasDataSet;

// The command line's pictures, drawn by kelp-collector plot as a script
// runs it (no display, the tour's language `language`, "ja" or "en", a
// settings file of its own): trend, X-Y and depth graphs of `data` (saved
// in `folder` first) and of the casts the graph windows' tour saved there
// (cast1.csv ...), as PNG, SVG and PDF files under `pictures`; each SVG file
// is also drawn into a PNG beside it.
// Runs kelp-collector plot with `args` as ShootPlots does; true when it
// wrote its picture.
bool RunPlot(const QStringList& args, const std::string& folder, const std::string& language);

void ShootPlots(const CMeasDataSet& data, const std::string& folder, const QString& pictures,
                const std::string& language);

}  // namespace kelp
