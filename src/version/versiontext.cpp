#include "version/versiontext.h"

namespace zanfolio {

QString VersionText() {
    return QStringLiteral("Version%1.%2.%3")
        .arg(ZANFOLIO_VERSION_MAJOR)
        .arg(ZANFOLIO_VERSION_MINOR)
        .arg(ZANFOLIO_VERSION_PATCH);
}

} // namespace zanfolio
