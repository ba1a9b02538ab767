#pragma once
#include <QDialog>
#include <array>

#include "analysis/CastFinder.h"

class QLineEdit;

namespace kelp {

// The thresholds of the station and cast finder (template 1959): the
// silence and the move that end a station, the least height of a cast and
// the least records of its descent, with a button that brings back the
// defaults. OK checks each against what the finder accepts.
class CCastOptionsDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CCastOptionsDlg(const CastOptions& options, QWidget* parent = nullptr);

    // The thresholds as OK left them.
    const CastOptions& Options() const { return options_; }

    // The edits, in the order of the dialog: gap, distance, height, records.
    QLineEdit* Edit(int index) const { return edits_[static_cast<std::size_t>(index)]; }

  public slots:
    void accept() override;
    void OnDefaults();

  private:
    void Show(const CastOptions& options);

    std::array<QLineEdit*, 4> edits_{};
    CastOptions options_;
};

}  // namespace kelp
