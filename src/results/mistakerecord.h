#pragma once
// One wrong answer of the drill as the mistakes file keeps it (results/mistakesfile.h), and
// the kinds of mistake that the drill tells apart (drill/mistakekind.h has the rule of each).

#include <QDate>
#include <QString>
#include <QTime>
#include <array>
#include <optional>

namespace zanfolio {

enum class MistakeKind {
    PlaceAlignment,    // 位取り: digits lined up at the right instead of at the point
    PointPosition,     // 小数点の位置: the right digits, the point in the wrong place
    Zero,              // ゼロ: a zero dropped or added
    ReversedOperation, // 逆算: added instead of subtracted, or the reverse
    CarryOrBorrow, // 繰り上がり・繰り下がり: one column off by one where a carry happens
    Typo,          // 打ち間違い: one digit wrong
    NoInput,       // 未入力: nothing, or a lone point
    Other,         // その他
};

// Every kind in this order, which is also the order that decides when two kinds fit an
// answer and the order of equal counts in the figures.
inline constexpr std::array<MistakeKind, 8> kMistakeKinds = {
    MistakeKind::PlaceAlignment,    MistakeKind::PointPosition, MistakeKind::Zero,
    MistakeKind::ReversedOperation, MistakeKind::CarryOrBorrow, MistakeKind::Typo,
    MistakeKind::NoInput,           MistakeKind::Other};

// The kinds that are a wrong way of working a pupil can unlearn (drill/misconceptions.h has
// their procedures); 打ち間違い, 未入力 and その他 are not.
inline constexpr std::array<MistakeKind, 5> kMisconceptions = {
    MistakeKind::PlaceAlignment, MistakeKind::PointPosition, MistakeKind::Zero,
    MistakeKind::ReversedOperation, MistakeKind::CarryOrBorrow};
constexpr bool isMisconception(MistakeKind kind) {
    for (MistakeKind k : kMisconceptions)
        if (k == kind)
            return true;
    return false;
}

// The Japanese name, as the file and the screens write it ("位取り", ..., "その他").
QString mistakeKindLabel(MistakeKind kind);
// The kind a name stands for; none for any other text.
std::optional<MistakeKind> mistakeKindFromLabel(const QString& label);

struct MistakeRecord {
    QDate date;
    QTime time; // whole seconds
    int pupil = 0;
    int level = 0;
    // The problem as the drill shows it: Text of each number, the sign "＋" or "－".
    QString first;
    QString sign;
    QString second;
    QString answer; // Text of the correct answer
    QString typed;  // the answer exactly as typed (may be empty)
    MistakeKind kind = MistakeKind::Other;

    friend bool operator==(const MistakeRecord&, const MistakeRecord&) = default;
};

} // namespace zanfolio
