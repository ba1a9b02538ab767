#pragma once
#include <QString>
#include <string>

#include "tools/shots/TourSupport.h"

class QFont;
class QWidget;

namespace kelp {

// Pictures the way from a field day's download to its casts: the data
// selection with its casts view (a station, a down-cast, the thresholds,
// Save Each Cast...), the depth graph after Add Casts, the X-Y graph drawn
// cast by cast, and kelp-collector plot --depth --casts as a script draws
// it. The day comes from a simulator of its own, downloaded into `folder`;
// the plot goes to `pictures`. Message boxes go to the caller's responder.
void ShootCasts(const std::string& folder, const QString& pictures, const std::string& language,
                const QFont* font, QWidget* parent, const tour::Shoot& shoot);

}  // namespace kelp
