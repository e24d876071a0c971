#include "results/mistakerecord.h"

namespace zanfolio {

QString mistakeKindLabel(MistakeKind kind) {
    switch (kind) {
    case MistakeKind::PlaceAlignment:
        return QStringLiteral("位取り");
    case MistakeKind::PointPosition:
        return QStringLiteral("小数点の位置");
    case MistakeKind::Zero:
        return QStringLiteral("ゼロ");
    case MistakeKind::ReversedOperation:
        return QStringLiteral("逆算");
    case MistakeKind::CarryOrBorrow:
        return QStringLiteral("繰り上がり・繰り下がり");
    case MistakeKind::Typo:
        return QStringLiteral("打ち間違い");
    case MistakeKind::NoInput:
        return QStringLiteral("未入力");
    case MistakeKind::Other:
        break;
    }
    return QStringLiteral("その他");
}

std::optional<MistakeKind> mistakeKindFromLabel(const QString& label) {
    for (MistakeKind kind : kMistakeKinds)
        if (mistakeKindLabel(kind) == label)
            return kind;
    return std::nullopt;
}

} // namespace zanfolio
