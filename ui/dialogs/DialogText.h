#pragma once
#include <QString>

#include "resources/Texts.h"

namespace kelp {

// Resource texts as Qt strings, for building dialogs.
inline QString DlgString(int stringId) {
    return QString::fromStdString(LoadText(stringId));
}
inline QString DlgTitle(int templateId) {
    return QString::fromStdString(LoadDialogTitle(templateId));
}
inline QString DlgCaption(int templateId, int controlId) {
    return QString::fromStdString(LoadCaption(templateId, controlId));
}

}  // namespace kelp
