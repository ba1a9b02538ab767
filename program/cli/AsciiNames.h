#pragma once
#include <string>

namespace kelp::cli {

// Names of components and units for scripts: ASCII letters, digits and
// underscores, the same in every language and on every machine, so that a
// column keeps its name from one computer to the next ("temperature_degC",
// "conductivity_mS_per_m"). Like the fixed header of casts --csv, they are
// names, not texts, and are never translated.

// The component of element number `element` ("temperature"); empty for
// none.
std::string AsciiName(int element);
// Unit code `unit` of `element` ("degC", "mS_per_m"); empty for a
// component without a unit and for pH in pH.
std::string AsciiUnit(int element, int unit);
// The name and the unit joined: "orp_mV", "ph", "depth_m".
std::string AsciiTitle(int element, int unit);

}  // namespace kelp::cli
