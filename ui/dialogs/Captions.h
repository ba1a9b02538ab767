#pragma once
#include <QString>

namespace kelp {

// Static labels of the dialog templates carry no control id of their own;
// these keys name them for the caption table.
constexpr int IDC_LABEL_CYCLE = -2;
constexpr int IDC_LABEL_SECONDS = -3;
constexpr int IDC_LABEL_PORT = -4;
constexpr int IDC_GROUP_DETAIL = -5;
constexpr int IDC_LABEL_BAUD = -6;
constexpr int IDC_LABEL_DATA_BITS = -7;
constexpr int IDC_LABEL_PARITY = -8;
constexpr int IDC_LABEL_STOP_BITS = -9;
constexpr int IDC_HEAD_ELEMENT = -10;
constexpr int IDC_HEAD_UNIT = -11;
constexpr int IDC_HEAD_RANGE = -12;
constexpr int IDC_LABEL_TILDE = -13;
constexpr int IDC_GROUP_TIME = -14;
// Entries of the template's fixed parity list.
constexpr int IDC_PARITY_NONE = -20;
constexpr int IDC_PARITY_ODD = -21;
constexpr int IDC_PARITY_EVEN = -22;

// The caption of control `controlId` of dialog template `templateId`
// (controlId 0: the window title), in the language in use.
QString CaptionQ(int templateId, int controlId);

}  // namespace kelp
