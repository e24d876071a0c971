#include "teacher/columnexplanations.h"

namespace zanfolio {

QString columnExplanation(int column) {
    // The leading full-width and half-width spaces indent the hints as the classroom
    // installations have always shown them; keep them as they stand.
    switch (column) {
    case 1:
        return QStringLiteral(
            "合格基準タイム\n　大部分の人ががんばったら出せそうなタイムにしてください");
    case 2:
        return QStringLiteral("合格最低ラインタイム\n  この５倍が時間切れになります");
    case 3:
        return QStringLiteral("目標ポイント\n　　 目標ポイント");
    case 4:
        return QStringLiteral("目標回数\n　　 目標回数");
    case 5:
        return QStringLiteral("ポイント倍率\n  ポイントを何倍にして加算するか\n"
                              "  むずかしいレベルや生徒のいやがるレベルは高くしてください");
    case 6:
        return QStringLiteral("やりすぎ禁止回数\n  何回やったらやりすぎ禁止にするか\n  ");
    case 7:
        return QStringLiteral("やりすぎ禁止ポイント\n  何ポイントとったらやりすぎ禁止にするか\n ");
    case 8:
        return QStringLiteral("合格判定をする日数\n　何日前からのポイントを有効にするか");
    case 9:
        return QStringLiteral("やりすぎ判定をする日数\n　何日前からのポイントを有効にするか");
    default:
        return {};
    }
}

} // namespace zanfolio
