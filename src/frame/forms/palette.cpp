#include "frame/forms/palette.h"

namespace zanfolio {

QString cssColour(uint32_t bgr) {
    return QStringLiteral("rgb(%1,%2,%3)")
        .arg(bgr & 0xFF)
        .arg((bgr >> 8) & 0xFF)
        .arg((bgr >> 16) & 0xFF);
}

} // namespace zanfolio
