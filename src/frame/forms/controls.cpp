#include "frame/forms/controls.h"

#include "frame/forms/fonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace zanfolio {

namespace {

// A push button that Return and Enter press as the space bar does, as buttons do on the
// classroom computers: down while the key is down, clicked when it comes up. A held key's
// repeats press nothing more (one stroke, one click: a held key cannot start a run twice), and
// a key that went down elsewhere (on the screen before this one) clicks nothing when it comes
// up here.
class PushButton final : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!isEnter(*event))
            QPushButton::keyPressEvent(event);
        else if (event->isAutoRepeat())
            event->accept(); // kept here: passed on, the screen or a dialog would act on it
        else
            asSpace(*event, [this](QKeyEvent* space) { QPushButton::keyPressEvent(space); });
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        if (isEnter(*event))
            asSpace(*event, [this](QKeyEvent* space) { QPushButton::keyReleaseEvent(space); });
        else
            QPushButton::keyReleaseEvent(event);
    }

  private:
    static bool isEnter(const QKeyEvent& event) {
        return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
               (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    }
    template <class Handler> static void asSpace(QKeyEvent& event, Handler handle) {
        QKeyEvent space(event.type(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                        event.isAutoRepeat(), ushort(event.count()));
        handle(&space);
        event.setAccepted(space.isAccepted());
    }
};

} // namespace

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place, double pointSize) {
    auto* b = new PushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    b->setFont(japaneseFont(pointSize));
    return b;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                  Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(alignment);
    return label;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                  const QFont& font, Qt::Alignment alignment) {
    QLabel* label = makeLabel(parent, name, text, place, alignment);
    label->setFont(font);
    return label;
}

} // namespace zanfolio
