// Temporary: the file job arrives with the files branch; this stands in
// until then.
#include "ui/graphs/GraphWindowUtil.h"

namespace kelp {

int LoadGraphDataFile(QWidget*, const QFont*, const std::string&, CMeasDataSet&) { return kLoadOpenFailed; }

}  // namespace kelp
