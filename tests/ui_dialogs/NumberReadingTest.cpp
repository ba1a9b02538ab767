#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <clocale>

#include "resources/ResourceIds.h"
#include "ui/dialogs/NumericEdit.h"
#include "ui/graphs/RangeValidation.h"

namespace kelp {
namespace {

TEST(TypedCharFilter, DigitsStyleTakesDigitsAndControlCharactersOnly) {
    for (char32_t c = U'0'; c <= U'9'; ++c) {
        EXPECT_TRUE(IsTypedCharAllowed(c, NumberStyle::Digits));
    }
    EXPECT_TRUE(IsTypedCharAllowed(U'\b', NumberStyle::Digits));
    EXPECT_TRUE(IsTypedCharAllowed(0x16, NumberStyle::Digits));  // Ctrl+V
    for (char32_t c : {U'-', U'.', U' ', U'a', U'+', U'e', U'０', U'/', U':'}) {
        EXPECT_FALSE(IsTypedCharAllowed(c, NumberStyle::Digits)) << static_cast<unsigned>(c);
    }
}

TEST(TypedCharFilter, DecimalStyleAddsMinusAndPoint) {
    EXPECT_TRUE(IsTypedCharAllowed(U'-', NumberStyle::Decimal));
    EXPECT_TRUE(IsTypedCharAllowed(U'.', NumberStyle::Decimal));
    EXPECT_TRUE(IsTypedCharAllowed(U'7', NumberStyle::Decimal));
    for (char32_t c : {U',', U' ', U'e', U'E', U'+', U'x'}) {
        EXPECT_FALSE(IsTypedCharAllowed(c, NumberStyle::Decimal)) << static_cast<unsigned>(c);
    }
}

TEST(WholeNumber, AcceptsTrimmedDigitsOnly) {
    EXPECT_EQ(ReadWholeNumber("0"), 0);
    EXPECT_EQ(ReadWholeNumber("9999"), 9999);
    EXPECT_EQ(ReadWholeNumber("  12 \t"), 12);
    EXPECT_EQ(ReadWholeNumber("0007"), 7);
    EXPECT_EQ(ReadWholeNumber(""), std::nullopt);
    EXPECT_EQ(ReadWholeNumber("   "), std::nullopt);
    EXPECT_EQ(ReadWholeNumber("-1"), std::nullopt);
    EXPECT_EQ(ReadWholeNumber("1.5"), std::nullopt);
    EXPECT_EQ(ReadWholeNumber("1 2"), std::nullopt);
    EXPECT_EQ(ReadWholeNumber("+3"), std::nullopt);
    // Too long for an int: it must not wrap into an acceptable cycle.
    EXPECT_GT(*ReadWholeNumber("99999999999999999999"), 9999);
}

TEST(DecimalNumber, FollowsTheNumberRule) {
    EXPECT_EQ(ReadDecimalNumber("-"), 0.0);
    EXPECT_EQ(ReadDecimalNumber("."), 0.0);
    EXPECT_EQ(ReadDecimalNumber("-."), 0.0);
    EXPECT_EQ(ReadDecimalNumber("-10000"), -10000.0);
    EXPECT_EQ(ReadDecimalNumber(" 2.50 "), 2.5);
    EXPECT_EQ(ReadDecimalNumber("-.5"), -0.5);
    EXPECT_EQ(ReadDecimalNumber("5."), 5.0);
    EXPECT_EQ(ReadDecimalNumber(""), std::nullopt);
    EXPECT_EQ(ReadDecimalNumber(" "), std::nullopt);
    EXPECT_EQ(ReadDecimalNumber("1.2.3"), std::nullopt);
    EXPECT_EQ(ReadDecimalNumber("5-"), std::nullopt);
    EXPECT_EQ(ReadDecimalNumber("--5"), std::nullopt);
    EXPECT_EQ(ReadDecimalNumber("1e3"), std::nullopt);
    EXPECT_EQ(ReadDecimalNumber("1,5"), std::nullopt);
    EXPECT_EQ(ReadDecimalNumber("+1"), std::nullopt);
}

TEST(DecimalNumber, PointIsADotInEveryLocale) {
    // Qt installs the environment's locale; a comma locale must not change
    // how bounds are read or printed.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no de_DE locale installed";
    }
    EXPECT_EQ(ReadDecimalNumber("1.25"), 1.25);
    EXPECT_EQ(FormatBound(1.25, 2), "1.25");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(DecimalNumber, FormatsBoundsWithTheGivenDecimals) {
    EXPECT_EQ(FormatBound(10.0, 0), "10");
    EXPECT_EQ(FormatBound(12.6, 0), "13");
    EXPECT_EQ(FormatBound(1.5, 4), "1.5000");
    EXPECT_EQ(FormatBound(-3.25, 1), "-3.2");  // halves to even, as printf does
}

struct RangeCase {
    const char* lower;
    const char* upper;
    std::optional<RangeFailure> expected;
};

TEST(AxisRange, ValidationOrderAndFocus) {
    const RangeCase cases[] = {
        {"-10000", "100000", std::nullopt},
        {"-", "5", std::nullopt},
        {".", "1", std::nullopt},
        {"-10001", "0", RangeFailure{IDS_RANGE_INVALID, RangeEdit::Lower}},
        {"0", "100001", RangeFailure{IDS_RANGE_INVALID, RangeEdit::Upper}},
        {"5", "5", RangeFailure{IDS_RANGE_INVALID, RangeEdit::Lower}},
        {"6", "5", RangeFailure{IDS_RANGE_INVALID, RangeEdit::Lower}},
        {"", "5", RangeFailure{IDS_ENTER_NUMBER, RangeEdit::Lower}},
        {"1", "x", RangeFailure{IDS_ENTER_NUMBER, RangeEdit::Upper}},
        {"abc", "x", RangeFailure{IDS_ENTER_NUMBER, RangeEdit::Lower}},
        // The order of the checks decides the message: both bounds outside
        // and reversed reports the reversal first.
        {"200000", "-20000", RangeFailure{IDS_RANGE_INVALID, RangeEdit::Lower}},
        {"-20000", "200000", RangeFailure{IDS_RANGE_INVALID, RangeEdit::Lower}},
    };
    for (const auto& c : cases) {
        double lower = 111.0;
        double upper = 222.0;
        const auto failure = CheckAxisRange(c.lower, c.upper, lower, upper);
        ASSERT_EQ(failure.has_value(), c.expected.has_value()) << c.lower << " .. " << c.upper;
        if (failure) {
            EXPECT_EQ(failure->messageId, c.expected->messageId) << c.lower << " .. " << c.upper;
            EXPECT_EQ(failure->focus, c.expected->focus) << c.lower << " .. " << c.upper;
        }
    }
}

TEST(AxisRange, KeepsWhatWasReadBeforeAFailure) {
    double lower = 111.0;
    double upper = 222.0;
    ASSERT_TRUE(CheckAxisRange("3", "oops", lower, upper));
    EXPECT_EQ(lower, 3.0);
    EXPECT_EQ(upper, 222.0);
}

TEST(NumericEditFilter, TypedLettersHaveNoEffectButPasteGoesThrough) {
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    CNumericEdit::Install(&dialog, NumberStyle::Decimal);
    QTest::keyClicks(edit, "a-1b.5 e");
    EXPECT_EQ(edit->text(), QStringLiteral("-1.5"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("-1."));
    edit->insert(QStringLiteral("x"));  // what a paste does
    EXPECT_EQ(edit->text(), QStringLiteral("-1.x"));
    // The Delete key comes with the character DEL, which is no digit either.
    edit->setCursorPosition(0);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QApplication::sendEvent(edit, &del);
    EXPECT_EQ(edit->text(), QStringLiteral("1.x"));
}

}  // namespace
}  // namespace kelp
