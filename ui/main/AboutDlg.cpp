#include "ui/main/AboutDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/VersionInfo.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp {
namespace {

QLabel* AddLabel(QWidget* parent, int id, const std::string& text) {
    auto* label = new QLabel(QString::fromStdString(text), parent);
    label->setObjectName(QString::number(id));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(IDD_ABOUTBOX));
    setWindowTitle(QString::fromStdString(LoadDialogTitle(IDD_ABOUTBOX)));

    const VersionStrings& strings = AppVersionStrings();
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* ok = new QPushButton(QString::fromStdString(LoadCaption(IDD_ABOUTBOX, IDOK)), this);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(icon, 0, 0, 4, 1);
    grid->addWidget(AddLabel(this, IDC_ABOUT_APP_NAME, LoadText(IDS_APP_TITLE)), 0, 1);
    grid->addWidget(AddLabel(this, IDC_ABOUT_VERSION, "Version " + strings.version), 1, 1);
    grid->addWidget(AddLabel(this, IDC_ABOUT_PART_NO, "P-No. " + strings.partNumber), 2, 1);
    grid->addWidget(AddLabel(this, IDC_ABOUT_COPYRIGHT, strings.copyright), 3, 1);
    grid->addWidget(ok, 0, 2, Qt::AlignTop);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kelp
