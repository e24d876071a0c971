#pragma once
// Message boxes reach the code through this port, so tests can answer them. The texts and
// titles are the system's own Japanese ones; the buttons read はい / いいえ / キャンセル / OK.

#include <QString>

namespace zanfolio {

class Dialogs {
  public:
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;
    // Shows a modal message box and returns the button chosen (closing the box counts as
    // Cancel, or No for a Yes/No box, or Ok for an Ok box).
    virtual Answer show(const QString& title, const QString& text, Buttons buttons = Buttons::Ok,
                        Icon icon = Icon::None) = 0;
};

} // namespace zanfolio
