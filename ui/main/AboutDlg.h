#pragma once
#include <QDialog>

namespace kelp {

// The About box: program name, version, part number and copyright line from
// the application's version strings.
class CAboutDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace kelp
