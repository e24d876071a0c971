#include "results/pendinglines.h"

namespace zanfolio {

QString keptLinesMessage(const QString& name, const Error& why) {
    return QStringLiteral("%1に書き込めませんでした。\n%2\n\n"
                          "この記録はこのコンピュータに保管しました。"
                          "次に記録できたときに、%1へ書き込みます。")
        .arg(name, why.message);
}

} // namespace zanfolio
