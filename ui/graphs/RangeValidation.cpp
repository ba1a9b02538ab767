#include "ui/graphs/RangeValidation.h"

#include <QLineEdit>
#include <algorithm>
#include <charconv>

#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/dialogs/DialogText.h"
#include "ui/dialogs/NumericEdit.h"
#include "ui/graphs/AxisScale.h"
#include "ui/main/MessageBox.h"

namespace kelp {

std::optional<double> ReadDecimalNumber(std::string_view text) {
    const std::string_view number = TrimBlanks(text);
    if (number.empty()) {
        return std::nullopt;
    }
    bool point = false;
    bool digit = false;
    for (std::size_t i = 0; i < number.size(); ++i) {
        const char c = number[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else if (!(c == '-' && i == 0)) {
            return std::nullopt;
        }
    }
    if (!digit) {
        return 0.0;  // "-", "." and "-." convert to nothing, which is 0
    }
    // from_chars ignores the C locale that Qt installs from the environment,
    // where a decimal comma would stop the conversion at the point.
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

std::string FormatBound(double value, int decimals) {
    // Wide enough for the largest double in full, as "%.*f" would print it.
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc{}) {
        return {};
    }
    return WithoutNegativeZero(std::string(buffer, end));
}

std::optional<RangeFailure> CheckRange(std::string_view lowerText, std::string_view upperText, double& lower,
                                       double& upper, const RangeLimits& limits) {
    const auto low = ReadDecimalNumber(lowerText);
    if (!low) {
        return RangeFailure{IDS_ENTER_NUMBER, RangeEdit::Lower};
    }
    lower = *low;
    const auto high = ReadDecimalNumber(upperText);
    if (!high) {
        return RangeFailure{IDS_ENTER_NUMBER, RangeEdit::Upper};
    }
    upper = *high;
    if (lower >= upper) {
        return RangeFailure{IDS_RANGE_INVALID, RangeEdit::Lower, true};
    }
    if (limits.lowest && lower < *limits.lowest) {
        return RangeFailure{IDS_RANGE_INVALID, RangeEdit::Lower};
    }
    if (limits.highest && upper > *limits.highest) {
        return RangeFailure{IDS_RANGE_INVALID, RangeEdit::Upper};
    }
    return std::nullopt;
}

std::optional<RangeFailure> CheckAxisRange(std::string_view lowerText, std::string_view upperText,
                                           double& lower, double& upper) {
    return CheckRange(lowerText, upperText, lower, upper, RangeLimits{kAxisLowest, kAxisHighest});
}

void SetBoundText(QLineEdit* edit, const QString& text, int typedLimit) {
    edit->setMaxLength(std::max<int>(typedLimit, static_cast<int>(text.size())));
    edit->setText(text);
}

void RefuseEdit(QWidget* owner, QLineEdit* edit, int messageId, const QString& guidance) {
    if (guidance.isEmpty()) {
        ShowMessage(owner, messageId, MB_ICONSTOP);
    } else {
        ShowMessage(owner, messageId, MB_ICONSTOP, LoadText(messageId) + "\n" + guidance.toStdString());
    }
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

QString AllowedRangeText(double lowest, double highest) {
    return DlgString(IDS_RANGE_ALLOWED).arg(lowest).arg(highest);
}

QString AtLeastText(double lowest) {
    return DlgString(IDS_RANGE_AT_LEAST).arg(lowest);
}

bool ValidateRangeEdits(QWidget* owner, QLineEdit* lowerEdit, QLineEdit* upperEdit, double& lower,
                        double& upper, const RangeLimits& limits) {
    const std::string lowerText = lowerEdit->text().toStdString();
    const std::string upperText = upperEdit->text().toStdString();
    const auto failure = CheckRange(lowerText, upperText, lower, upper, limits);
    if (!failure) {
        return true;
    }
    // Message 1001 comes with what would have been accepted.
    QString guidance;
    if (failure->messageId == IDS_RANGE_INVALID) {
        if (failure->order) {
            guidance = DlgString(IDS_RANGE_ORDER);
        } else if (limits.lowest && limits.highest) {
            guidance = AllowedRangeText(*limits.lowest, *limits.highest);
        } else if (limits.lowest) {
            guidance = AtLeastText(*limits.lowest);
        }
    }
    RefuseEdit(owner, failure->focus == RangeEdit::Lower ? lowerEdit : upperEdit, failure->messageId,
               guidance);
    return false;
}

}  // namespace kelp
