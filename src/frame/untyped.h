#pragma once
// The untyped value of the installations' files: a number, a text, or "empty" (never
// assigned). Empty compares equal to 0 and to the empty string; a numeric text read from a
// file becomes a number.

#include <QString>
#include <variant>

namespace zanfolio {

class Untyped {
  public:
    Untyped() = default;
    Untyped(double number) : v_(number) {}
    Untyped(int number) : v_(double(number)) {}
    Untyped(const QString& text) : v_(text) {}
    Untyped(const char* text) : v_(QString::fromUtf8(text)) {}

    // Text read from a file into an untyped member: empty text gives empty, a numeric text
    // gives its number, any other text stays text.
    static Untyped fromItem(const QString& text);

    bool isEmpty() const { return v_.index() == 0; }
    bool isNumber() const { return v_.index() == 1; }
    bool isText() const { return v_.index() == 2; }

    // The value in arithmetic: empty is 0, a numeric text its number, other text 0.
    double toNumber() const;
    // The value shown as text: empty is "", numbers in their shortest form.
    QString toText() const;
    // "Switched off" tests of the criteria: empty or 0.
    bool isZeroOrEmpty() const { return toNumber() == 0.0; }

    friend bool operator==(const Untyped& a, const Untyped& b);

  private:
    std::variant<std::monostate, double, QString> v_;
};

// Shortest decimal text of a number, as the installations write numbers into texts:
// 5, 1.5, 0.25 (no exponent for the ranges the program uses).
QString shortestNumberText(double value);

// The number at the start of a text, as a leading-number parser reads it: optional spaces
// and tabs, optional sign, digits, at most one ".", more digits; it stops at the first other
// character. Every reader of typed or stored numbers reads them this way.
struct NumberText {
    bool negative = false;
    QStringView whole;    // the digits before the point, as written ("" for ".5")
    QStringView fraction; // the digits after it, as written ("" for "5" and "5.")
    qsizetype end = 0;    // the index after the number
    bool found() const { return !whole.isEmpty() || !fraction.isEmpty(); }
};
NumberText leadingNumberText(QStringView text);

// The leading number's value; text without a leading number gives 0. `found` tells whether
// any digit was read.
double leadingNumber(const QString& text, bool* found = nullptr);

// Whether the whole text (spaces around it allowed) is a number.
bool isNumericText(const QString& text);

} // namespace zanfolio
