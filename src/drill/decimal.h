#pragma once
// The drill's numbers: an exact decimal with four places after the point, kept as a 64-bit
// count of ten-thousandths. Every problem number and answer has at most two places, so sums,
// differences and comparisons are exact (no binary fractions anywhere in judging).

#include <QString>
#include <QtGlobal>
#include <compare>

namespace zanfolio {

class Decimal {
  public:
    static constexpr qint64 kUnitsPerOne = 10000;

    constexpr Decimal() = default;
    static constexpr Decimal fromUnits(qint64 tenThousandths) { return Decimal(tenThousandths); }
    static constexpr Decimal fromInt(qint64 whole) { return Decimal(whole * kUnitsPerOne); }
    // mantissa × 10^exponent; exponent from −4 up (the drill draws −2, −1 or 0).
    static Decimal fromScaled(qint64 mantissa, int exponent);

    constexpr qint64 units() const { return units_; }
    constexpr bool isWhole() const { return units_ % kUnitsPerOne == 0; }

    friend constexpr Decimal operator+(Decimal a, Decimal b) {
        return Decimal(a.units_ + b.units_);
    }
    friend constexpr Decimal operator-(Decimal a, Decimal b) {
        return Decimal(a.units_ - b.units_);
    }
    friend constexpr auto operator<=>(const Decimal&, const Decimal&) = default;

  private:
    constexpr explicit Decimal(qint64 units) : units_(units) {}
    qint64 units_ = 0;
};

// Text(x): the shortest decimal text: no leading zeros but the single 0 of a number below 1,
// no trailing zeros, no point for a whole number, "." as the point (0.07, 5.3, 27, 108.9).
QString Text(Decimal x);

// Aligned(x): the column form of the hint layout, 7 characters (fewer when the number ends
// sooner) with the point always the fourth character: "  3.   ", "  0.3", " 12.5  ",
// "108.9  ". A whole number keeps its point here, unlike in Text.
QString Aligned(Decimal x);

// The number at the start of a typed answer, read the way a leading-number parser reads it:
// optional blanks, optional sign, digits, at most one ".", more digits; reading stops at the
// first other character, and text without a digit gives 0 (`found` false).
struct LeadingDecimal {
    Decimal value;
    bool found = false; // a digit was read
    // False when the number has more than four places that are not zeros, or does not fit:
    // such a number equals no Decimal, and `value` is then only its truncation.
    bool exact = true;
};
LeadingDecimal leadingDecimal(const QString& text);

} // namespace zanfolio
