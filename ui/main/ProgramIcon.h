#pragma once
#include <QIcon>

namespace kelp {

// The program icon (resource 128): a probe dipping into a blue wave, drawn
// at every size the window system asks for.
QIcon ProgramIcon();

}  // namespace kelp
