#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "MainTestSupport.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/main/AboutDlg.h"
#include "ui/main/MessageBox.h"

namespace kelp {
namespace {

QString Text(int id) {
    return QString::fromStdString(LoadText(id));
}

QStringList ButtonTexts(QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* b : box.buttons()) {
        texts << b->text();
    }
    texts.sort();
    return texts;
}

TEST(MessageBox, EachStyleHasItsIconAndButtons) {
    test::App();
    struct Case {
        int style;
        QMessageBox::Icon icon;
        QStringList buttons;
    };
    const std::vector<Case> cases = {
        {16, QMessageBox::Critical, {Text(IDS_BUTTON_OK)}},
        {65, QMessageBox::Information, {Text(IDS_BUTTON_OK), Text(IDS_BUTTON_CANCEL)}},
        {33, QMessageBox::Question, {Text(IDS_BUTTON_OK), Text(IDS_BUTTON_CANCEL)}},
        {35, QMessageBox::Question, {Text(IDS_BUTTON_YES), Text(IDS_BUTTON_NO), Text(IDS_BUTTON_CANCEL)}},
    };
    for (const Case& c : cases) {
        auto box = BuildMessageBox(nullptr, IDS_FILE_FORMAT_INVALID, c.style);
        EXPECT_EQ(box->icon(), c.icon) << c.style;
        QStringList expected = c.buttons;
        expected.sort();
        EXPECT_EQ(ButtonTexts(*box), expected) << c.style;
        EXPECT_EQ(box->windowTitle(), Text(IDS_APP_TITLE));
        EXPECT_EQ(box->text(), Text(IDS_FILE_FORMAT_INVALID));
        EXPECT_TRUE(box->text().contains('\n'));
    }
}

// Runs ShowMessage with a real box and presses the button whose answer is
// `press` (0: Esc instead).
int Press(int style, int press) {
    QTimer::singleShot(0, [press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (press == 0) {
            box->reject();
            return;
        }
        for (QAbstractButton* b : box->buttons()) {
            if (b->property("kelpAnswer").toInt() == press) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button answers " << press;
        box->reject();
    });
    return ShowMessage(nullptr, IDS_CONFIRM_DOWNLOAD, style);
}

TEST(MessageBox, RealBoxesAnswerWithTheButtonIds) {
    test::App();
    EXPECT_EQ(Press(16, IDOK), IDOK);
    EXPECT_EQ(Press(16, 0), IDOK);
    EXPECT_EQ(Press(65, IDOK), IDOK);
    EXPECT_EQ(Press(65, IDCANCEL), IDCANCEL);
    EXPECT_EQ(Press(33, 0), IDCANCEL);
    EXPECT_EQ(Press(35, IDYES), IDYES);
    EXPECT_EQ(Press(35, IDNO), IDNO);
    EXPECT_EQ(Press(35, 0), IDCANCEL);
}

TEST(MessageBox, ResponderSeesTheIdAndStyleAndAnswers) {
    test::App();
    test::Responder responder;
    responder.Answer(IDNO);
    EXPECT_EQ(ShowMessage(nullptr, IDS_CONFIRM_REDOWNLOAD, 35), IDNO);
    EXPECT_EQ(ShowMessage(nullptr, IDS_NO_DATA, 16), IDOK);
    ASSERT_EQ(responder.Asked().size(), 2u);
    EXPECT_EQ(responder.Asked()[0].id, IDS_CONFIRM_REDOWNLOAD);
    EXPECT_EQ(responder.Asked()[0].style, 35);
    EXPECT_EQ(responder.Asked()[1].style, 16);
    responder.OpenPath("/tmp/x.csv");
    EXPECT_EQ(AskOpenFileName(nullptr), "/tmp/x.csv");
    EXPECT_EQ(AskSaveFileName(nullptr), "");
}

TEST(AboutBox, ShowsTheVersionStrings) {
    test::App();
    CAboutDlg about;
    EXPECT_EQ(about.objectName(), QString::number(IDD_ABOUTBOX));
    auto text = [&](int id) { return about.findChild<QLabel*>(QString::number(id))->text(); };
    EXPECT_EQ(text(IDC_ABOUT_APP_NAME), Text(IDS_APP_TITLE));
    EXPECT_TRUE(text(IDC_ABOUT_VERSION).startsWith("Version "));
    EXPECT_TRUE(text(IDC_ABOUT_PART_NO).startsWith("P-No. "));
    EXPECT_NE(about.findChild<QPushButton*>(QStringLiteral("1")), nullptr);
}

}  // namespace
}  // namespace kelp
