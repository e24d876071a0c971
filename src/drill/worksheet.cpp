#include "drill/worksheet.h"

#include "drill/misconceptions.h"

#include <algorithm>

namespace zanfolio {

QString misconceptionAdvice(MistakeKind kind) {
    switch (kind) {
    case MistakeKind::PlaceAlignment:
        return QStringLiteral("小数点をたてにそろえて書いてから計算しよう。");
    case MistakeKind::PointPosition:
        return QStringLiteral("答えの小数点は、問題の小数点の真下にうとう。");
    case MistakeKind::Zero:
        return QStringLiteral("0も大事な数字。0をぬかさずに書いて計算しよう。");
    case MistakeKind::ReversedOperation:
        return QStringLiteral("＋か－かをよく見てから計算しよう。");
    case MistakeKind::CarryOrBorrow:
        return QStringLiteral("くり上がり・くり下がりを、小さく書いてわすれないようにしよう。");
    case MistakeKind::Typo:
    case MistakeKind::NoInput:
    case MistakeKind::Other:
        break;
    }
    return {};
}

QString misconceptionTitle(MistakeKind kind) {
    switch (kind) {
    case MistakeKind::PlaceAlignment:
        return QStringLiteral("小数点のそろえ方");
    case MistakeKind::PointPosition:
        return QStringLiteral("答えの小数点の位置");
    case MistakeKind::Zero:
        return QStringLiteral("0のある小数");
    case MistakeKind::ReversedOperation:
        return QStringLiteral("たし算とひき算の見分け");
    case MistakeKind::CarryOrBorrow:
        return QStringLiteral("くり上がり・くり下がり");
    case MistakeKind::Typo:
    case MistakeKind::NoInput:
    case MistakeKind::Other:
        break;
    }
    return {};
}

std::vector<Problem> aimedProblems(int level, MistakeKind kind, int count, RandomSource& random) {
    std::vector<Problem> out;
    // Repeats are drawn again; a level with few such problems may give fewer.
    for (int tries = 0; int(out.size()) < count && tries < 50 * count; ++tries) {
        const std::optional<Problem> p = drawAimedProblem(level, kind, random);
        if (!p)
            break;
        const bool repeated = std::any_of(out.begin(), out.end(), [&](const Problem& q) {
            return q.first == p->first && q.second == p->second && q.sign == p->sign;
        });
        if (!repeated)
            out.push_back(*p);
    }
    return out;
}

} // namespace zanfolio
