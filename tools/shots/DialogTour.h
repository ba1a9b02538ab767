#pragma once
#include <QString>
#include <array>
#include <functional>

#include "data/Catalogue.h"

class QWidget;

namespace kelp {

class CMeasDataSet;
class CSettingsStore;

// Pictures the data selection, graph display settings, port settings and
// capture cycle dialogs as the user meets them after a download: `downloaded`
// is the download (it is copied, never changed), `columns` the main window's
// column-to-element table, `settings` the file the main window read (only
// read here: every dialog is left without OK). The refusals the tour
// provokes raise message boxes, which the caller's message responder answers.
void ShootDialogs(const CMeasDataSet& downloaded, const std::array<int, kSlotCount>& columns,
                  const CSettingsStore& settings, QWidget* parent,
                  const std::function<void(QWidget*, const QString&)>& shoot);

}  // namespace kelp
