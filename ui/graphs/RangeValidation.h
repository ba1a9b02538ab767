#pragma once
#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QLineEdit;
class QWidget;

namespace kelp {

// The checks shared by the graph settings dialogs: which characters their
// edits take (the decimal style of CNumericEdit), how a bound is read, and
// in which order the bounds of one range are tested.

// Smallest lower bound and largest upper bound of a value axis.
constexpr double kAxisLowest = -10000.0;
constexpr double kAxisHighest = 100000.0;

// Reads a decimal number: the trimmed text must be non-empty and hold only
// digits, at most one '.', and '-' only as its first character. A lone "-"
// or "." reads as 0. The decimal point is always '.', whatever the locale.
std::optional<double> ReadDecimalNumber(std::string_view text);

// Prints a bound with `decimals` digits after the point ('.' in every locale),
// never as a negative zero.
std::string FormatBound(double value, int decimals);

// Shows `text` whole in `edit` and limits what the user types to
// `typedLimit` characters. The limit of an edit binds typing and pasting,
// never a text the program sets: a stored bound such as 1234.567 printed
// with three decimals must not be cut to "1234.5", or the next confirmation
// would store the cut value. The limit grows to the text when it is longer.
void SetBoundText(QLineEdit* edit, const QString& text, int typedLimit);

// Which edit of a range a failed check puts the focus on.
enum class RangeEdit { Lower, Upper };

struct RangeFailure {
    int messageId = 0;  // IDS_ENTER_NUMBER or IDS_RANGE_INVALID
    RangeEdit focus = RangeEdit::Lower;
    bool order = false;  // the lower bound is not below the upper one
};

// Optional outer limits of a range.
struct RangeLimits {
    std::optional<double> lowest;   // the lower bound may not be below it
    std::optional<double> highest;  // the upper bound may not be above it
};

// Reads and checks one range, stopping at the first failure:
//   lower not a number -> message 1000, focus lower;
//   upper not a number -> message 1000, focus upper;
//   lower >= upper     -> message 1001, focus lower;
//   lower < lowest     -> message 1001, focus lower;
//   upper > highest    -> message 1001, focus upper.
// `lower` and `upper` receive each bound as soon as it has been read, so a
// failure can leave the first of them changed.
std::optional<RangeFailure> CheckRange(std::string_view lowerText, std::string_view upperText, double& lower,
                                       double& upper, const RangeLimits& limits);

// A value axis range: CheckRange with kAxisLowest and kAxisHighest.
std::optional<RangeFailure> CheckAxisRange(std::string_view lowerText, std::string_view upperText,
                                           double& lower, double& upper);

// One range on two line edits: reads both texts, and on failure shows the
// message (stop icon, owned by `owner`) and focuses the offending edit.
// True when the range passed.
bool ValidateRangeEdits(QWidget* owner, QLineEdit* lowerEdit, QLineEdit* upperEdit, double& lower,
                        double& upper, const RangeLimits& limits);

// Shows `messageId` with the stop icon and puts the focus on `edit`. A
// `guidance` line, when given, goes under the message's own text.
void RefuseEdit(QWidget* owner, QLineEdit* edit, int messageId, const QString& guidance = {});

// The lines that tell, under message 1001, what a setting accepts: values
// from `lowest` to `highest`, or `lowest` and more.
QString AllowedRangeText(double lowest, double highest);
QString AtLeastText(double lowest);

}  // namespace kelp
