#pragma once
// Item-by-item reading of the installations' text files: items are separated by commas or
// line ends; double quotes around an item are removed and protect the commas inside; spaces
// around an unquoted item are ignored. A comma just before a line end (or the end of the
// text) leaves one empty item there. Blank lines hold no item.

#include "frame/untyped.h"

#include <QString>
#include <optional>

namespace zanfolio {

struct Item {
    QString text;
    bool quoted = false;
    int line = 0; // line number, counted from 0, where the item starts

    // Into a numeric member: the number when the text is numeric, else 0. Quoted text that
    // holds a number still counts as that number (as the files' reader did).
    double toNumber() const;
    // Into an untyped member: empty, a number, or text; a quoted item stays text.
    Untyped toUntyped() const;
};

class ItemReader {
  public:
    explicit ItemReader(QString text);

    // The next item, or nothing past the last one.
    std::optional<Item> next();
    bool atEnd();
    // Line number of the next item (or of the end).
    int line();

  private:
    void skipBlank();

    QString text_;
    qsizetype pos_ = 0;
    int line_ = 0;
    bool pendingEmpty_ = false; // a comma ended the last item right before a line end
};

} // namespace zanfolio
