#include "frame/paths.h"

namespace zanfolio {

bool isSeparator(QChar c) {
    return c == u'\\' || c == u'/';
}

QChar separatorOf(const QString& path) {
    return path.contains(u'\\') && !path.contains(u'/') ? QChar(u'\\') : QChar(u'/');
}

QString withTrailingSeparator(const QString& folder) {
    if (!folder.isEmpty() && isSeparator(folder.back()))
        return folder;
    return folder + separatorOf(folder);
}

QString lastComponent(const QString& path) {
    qsizetype end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    qsizetype start = end;
    while (start > 0 && !isSeparator(path[start - 1]))
        --start;
    return path.mid(start, end - start);
}

} // namespace zanfolio
