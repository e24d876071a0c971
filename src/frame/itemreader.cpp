#include "frame/itemreader.h"

namespace zanfolio {

double Item::toNumber() const {
    return isNumericText(text) ? leadingNumber(text) : 0.0;
}

Untyped Item::toUntyped() const {
    if (quoted)
        return text.isEmpty() ? Untyped() : Untyped(text);
    return Untyped::fromItem(text);
}

ItemReader::ItemReader(QString text) : text_(std::move(text)) {}

namespace {
bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}
bool isSpace(QChar c) {
    return c == u' ' || c == u'\t';
}
} // namespace

void ItemReader::skipBlank() {
    if (pendingEmpty_)
        return;
    // Skip spaces and blank lines before the next item.
    while (pos_ < text_.size()) {
        const QChar c = text_[pos_];
        if (isSpace(c)) {
            ++pos_;
        } else if (c == u'\r') {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == u'\n')
                ++pos_;
            ++line_;
        } else if (c == u'\n') {
            ++pos_;
            ++line_;
        } else if (c == QChar(0x1A)) { // an old end-of-file mark
            pos_ = text_.size();
        } else {
            break;
        }
    }
}

bool ItemReader::atEnd() {
    skipBlank();
    return !pendingEmpty_ && pos_ >= text_.size();
}

int ItemReader::line() {
    skipBlank();
    return line_;
}

std::optional<Item> ItemReader::next() {
    skipBlank();
    if (pendingEmpty_) {
        pendingEmpty_ = false;
        return Item{QString(), false, line_};
    }
    if (pos_ >= text_.size())
        return std::nullopt;

    Item item;
    item.line = line_;
    const qsizetype n = text_.size();
    if (text_[pos_] == u'"') {
        item.quoted = true;
        const qsizetype close = text_.indexOf(u'"', pos_ + 1);
        const qsizetype end = close < 0 ? n : close;
        // A quoted item does not run past its line.
        qsizetype stop = pos_ + 1;
        while (stop < end && !isLineEnd(text_[stop]))
            ++stop;
        item.text = text_.mid(pos_ + 1, stop - pos_ - 1);
        pos_ = stop < n && text_[stop] == u'"' ? stop + 1 : stop;
        // Anything between the closing quote and the separator is dropped.
        while (pos_ < n && text_[pos_] != u',' && !isLineEnd(text_[pos_]))
            ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < n && text_[pos_] != u',' && !isLineEnd(text_[pos_]))
            ++pos_;
        item.text = text_.mid(start, pos_ - start).trimmed();
    }
    if (pos_ < n && text_[pos_] == u',') {
        ++pos_;
        // A comma followed by the end of the line leaves an empty last item on that line.
        qsizetype look = pos_;
        while (look < n && isSpace(text_[look]))
            ++look;
        if (look >= n || isLineEnd(text_[look])) {
            pos_ = look;
            pendingEmpty_ = true;
        }
    }
    return item;
}

} // namespace zanfolio
