// The program's window on screens larger and smaller than the design: the 1024 × 768 design
// scaled by min(sx, sy), centred between bars of the backdrop colour, drawn again at the new
// size (not stretched), and still driven as at the design size: clicks land on the control
// under the pointer, keys reach the focused control, dialogs stand centred over the window as
// windows of their own, the wait notice shows at once, closing the window ends the program.

#include "frame/forms/messageboxdialogs.h"
#include "frame/forms/scaledwindow.h"
#include "frame/forms/screenhost.h"
#include "support/screenharness.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

const QColor kScreenColour(0x33, 0x66, 0x99);
const QColor kBackdrop(0x20, 0xa0, 0x40);

// Records the scale of the painter it is painted with.
class ScaleProbe : public QWidget {
  public:
    using QWidget::QWidget;
    double paintedScale = 0;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintedScale = painter.deviceTransform().m11();
    }
};

// A screen of one colour with two buttons side by side, a text box, large black writing on
// white and a probe.
class TestScreen : public Screen {
  public:
    TestScreen() {
        target = new QPushButton(QStringLiteral("押す"), this);
        target->setGeometry(700, 600, 120, 40);
        beside = new QPushButton(QStringLiteral("隣"), this);
        beside->setGeometry(560, 600, 120, 40);
        entry = new QLineEdit(this);
        entry->setGeometry(40, 600, 200, 40);
        writing = new QLabel(QStringLiteral("永東京"), this);
        writing->setGeometry(40, 40, 400, 160);
        writing->setStyleSheet(QStringLiteral("background: white; color: black;"));
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setPixelSize(96);
        writing->setFont(font);
        probe = new ScaleProbe(this);
        probe->setGeometry(500, 40, 40, 40);
        // A caption that reacts when the button is let go over it, as the roster form's title
        // (the version box) and the menu's level names (a start) do.
        caption = new QLabel(QStringLiteral("見出し"), this);
        caption->setGeometry(300, 660, 200, 40);
        caption->installEventFilter(this);
        choice = new QComboBox(this);
        choice->setGeometry(560, 680, 160, 30);
        choice->addItems(
            {QStringLiteral("全学年"), QStringLiteral("小学生全体"), QStringLiteral("中学生全体")});
        connect(target, &QPushButton::clicked, this, [this] { ++targetClicks; });
        connect(beside, &QPushButton::clicked, this, [this] { ++besideClicks; });
    }
    QPushButton* target;
    QPushButton* beside;
    QLineEdit* entry;
    QLabel* writing;
    ScaleProbe* probe;
    QLabel* caption;
    QComboBox* choice;
    int targetClicks = 0;
    int besideClicks = 0;
    int captionReleases = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == caption && event->type() == QEvent::MouseButtonRelease)
            ++captionReleases;
        return Screen::eventFilter(watched, event);
    }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), kScreenColour); }
};

struct Window {
    explicit Window(QSize size) {
        screen = new TestScreen;
        host.replace(screen);
        scaled.setBackdrop([this] { return backdrop; });
        scaled.resize(size);
        scaled.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&scaled));
        QCoreApplication::processEvents();
    }
    bool application = (ensureApplication(), true); // before any widget
    QColor backdrop = kBackdrop;
    ScreenHost host;
    ScaledWindow scaled{host};
    TestScreen* screen;
};

struct Size {
    int width, height;
    double scale; // min(width ÷ 1024, height ÷ 768)
};
const Size kSizes[] = {
    {1920, 1080, 1080.0 / 768},  // wide: bars left and right
    {1280, 1024, 1280.0 / 1024}, // 5:4: bars above and below
    {1024, 768, 1.0},            // the design's own size
    {2048, 1536, 2.0},           // twice the design
};

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 8 && std::abs(a.green() - b.green()) < 8 &&
           std::abs(a.blue() - b.blue()) < 8;
}

TEST(ScaledWindow, DesignScaledByTheSmallerRatioCentredBetweenBars) {
    for (const Size& size : kSizes) {
        SCOPED_TRACE(QStringLiteral("%1×%2").arg(size.width).arg(size.height).toStdString());
        Window w({size.width, size.height});
        EXPECT_NEAR(w.scaled.designScale(), size.scale, 1e-9);
        const double s = size.scale;
        const double left = (size.width - kScreenWidth * s) / 2;
        const double top = (size.height - kScreenHeight * s) / 2;
        const double right = left + kScreenWidth * s;
        const double bottom = top + kScreenHeight * s;
        const QImage shot = w.scaled.grab().toImage();
        ASSERT_EQ(shot.size(), QSize(size.width, size.height));
        auto at = [&](double x, double y) { return shot.pixelColor(int(x), int(y)); };
        // The design's corners (below the writing and the buttons) in the screen's colour.
        for (QPointF corner : {QPointF(left + 2, top + 2), QPointF(right - 3, top + 2),
                               QPointF(left + 2, bottom - 3), QPointF(right - 3, bottom - 3)})
            EXPECT_TRUE(near(at(corner.x(), corner.y()), kScreenColour))
                << corner.x() << "," << corner.y();
        // The bars, where there is room for them.
        if (left >= 3) {
            EXPECT_TRUE(near(at(left - 3, size.height / 2), kBackdrop));
            EXPECT_TRUE(near(at(right + 2, size.height / 2), kBackdrop));
            EXPECT_TRUE(near(at(0, 0), kBackdrop));
        }
        if (top >= 3) {
            EXPECT_TRUE(near(at(size.width / 2, top - 3), kBackdrop));
            EXPECT_TRUE(near(at(size.width / 2, bottom + 2), kBackdrop));
        }
        EXPECT_NEAR(w.scaled.designArea().left(), left, 1.0);
        EXPECT_NEAR(w.scaled.designArea().top(), top, 1.0);
        EXPECT_NEAR(w.scaled.designArea().width(), kScreenWidth * s, 1.0);
    }
}

TEST(ScaledWindow, ClickAtTheScaledPlaceReachesTheButton) {
    for (const Size& size : kSizes) {
        SCOPED_TRACE(QStringLiteral("%1×%2").arg(size.width).arg(size.height).toStdString());
        Window w({size.width, size.height});
        const double s = size.scale;
        const QPointF origin((size.width - kScreenWidth * s) / 2,
                             (size.height - kScreenHeight * s) / 2);
        // Near the left edge of the target, a few design pixels from the button beside it.
        const QPointF inTarget(706, 620);
        QTest::mouseClick(w.scaled.viewport(), Qt::LeftButton, {},
                          (origin + inTarget * s).toPoint());
        EXPECT_EQ(w.screen->targetClicks, 1);
        EXPECT_EQ(w.screen->besideClicks, 0);
        // Where the target would stand unscaled there is another control or none.
        if (s != 1.0) {
            QTest::mouseClick(w.scaled.viewport(), Qt::LeftButton, {}, inTarget.toPoint());
            EXPECT_EQ(w.screen->targetClicks, 1);
        }
        const QPointF inBeside(674, 620);
        QTest::mouseClick(w.scaled.viewport(), Qt::LeftButton, {},
                          (origin + inBeside * s).toPoint());
        EXPECT_EQ(w.screen->besideClicks, 1);
        // A label takes no press, and still sees the release of a click on it.
        const QPointF inCaption(400, 680);
        QTest::mouseClick(w.scaled.viewport(), Qt::LeftButton, {},
                          (origin + inCaption * s).toPoint());
        EXPECT_EQ(w.screen->captionReleases, 1);
    }
}

// The fraction of the writing's ink pixels that are part-tones (neither near black nor near
// white): the edges of the glyphs, one pixel wide when drawn at the size shown, as wide as the
// scale when a smaller picture is stretched.
double partToneShare(const QImage& image, QRect area) {
    int ink = 0;
    int partTones = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int grey = qGray(image.pixel(x, y));
            if (grey < 224)
                ++ink;
            if (grey >= 32 && grey < 224)
                ++partTones;
        }
    return ink ? double(partTones) / ink : 1.0;
}

TEST(ScaledWindow, TextDrawnAtTheScaledSizeNotStretched) {
    for (const Size& size : {kSizes[0], kSizes[3]}) {
        SCOPED_TRACE(QStringLiteral("%1×%2").arg(size.width).arg(size.height).toStdString());
        Window w({size.width, size.height});
        const double s = size.scale;
        // The widgets paint through the scale itself.
        w.scaled.viewport()->repaint();
        EXPECT_NEAR(w.screen->probe->paintedScale, s, 1e-6);

        const QImage shot = w.scaled.grab().toImage();
        const QRectF writing(w.screen->writing->geometry());
        const QPointF origin = w.scaled.designArea().topLeft();
        const QRect scaledWriting =
            QRectF(origin + writing.topLeft() * s, writing.size() * s).toAlignedRect();
        const double live = partToneShare(shot, scaledWriting.adjusted(2, 2, -2, -2));

        // The same design drawn at 1024 × 768 and stretched, smoothly and by repeating pixels.
        const QImage design = w.host.grab().toImage();
        const QSize stretched(qRound(kScreenWidth * s), qRound(kScreenHeight * s));
        const QRect inStretched = QRectF(writing.topLeft() * s, writing.size() * s)
                                      .toAlignedRect()
                                      .adjusted(2, 2, -2, -2);
        const double smooth = partToneShare(
            design.scaled(stretched, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), inStretched);
        const double blocky = partToneShare(
            design.scaled(stretched, Qt::IgnoreAspectRatio, Qt::FastTransformation), inStretched);
        EXPECT_LT(live, 0.85 * smooth) << live << " vs " << smooth;
        EXPECT_LT(live, 0.85 * blocky) << live << " vs " << blocky;
    }
}

// A combo box's list opens scaled over the design, and a click on an entry chooses it.
TEST(ScaledWindow, ComboBoxListOpensAndChoosesByClick) {
    for (const Size& size : {kSizes[0], kSizes[1]}) {
        SCOPED_TRACE(QStringLiteral("%1×%2").arg(size.width).arg(size.height).toStdString());
        Window w({size.width, size.height});
        const double s = size.scale;
        const QPointF origin = w.scaled.designArea().topLeft();
        QComboBox* choice = w.screen->choice;
        QTest::mouseClick(w.scaled.viewport(), Qt::LeftButton, {},
                          (origin + QPointF(640, 695) * s).toPoint());
        QAbstractItemView* list = choice->view();
        ASSERT_TRUE(list->isVisible());
        // Scaled with the design: as wide on the window as the box is wide times the scale.
        const QPoint left = list->mapToGlobal(QPoint(0, 0));
        const QPoint right = list->mapToGlobal(QPoint(list->width(), 0));
        EXPECT_NEAR(right.x() - left.x(), list->width() * s, 2.0);
        const QRect entry = list->visualRect(list->model()->index(2, 0));
        const QPoint onWindow =
            w.scaled.viewport()->mapFromGlobal(list->viewport()->mapToGlobal(entry.center()));
        // A list takes no release before a double click's time has passed since it opened.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseMove(w.scaled.viewport(), onWindow);
        QTest::mouseClick(w.scaled.viewport(), Qt::LeftButton, {}, onWindow);
        EXPECT_EQ(choice->currentIndex(), 2);
        EXPECT_FALSE(list->isVisible());
    }
}

TEST(ScaledWindow, KeysReachTheFocusedControl) {
    Window w({1920, 1080});
    w.scaled.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.scaled));
    w.screen->entry->setFocus();
    EXPECT_TRUE(w.screen->entry->hasFocus());
    // Typed on the window, as the keyboard types.
    QTest::keyClicks(&w.scaled, QStringLiteral("12.5"));
    EXPECT_EQ(w.screen->entry->text(), QStringLiteral("12.5"));
    // Space on the focused button presses it.
    w.screen->target->setFocus();
    QTest::keyClick(&w.scaled, Qt::Key_Space);
    EXPECT_EQ(w.screen->targetClicks, 1);
}

// Where a modal dialog stood while it was open, and whether it was drawn into the scene.
struct SeenDialog {
    QRect frame;
    bool inScene = true;
    QWidget* parent = nullptr;
};
void closeNextModalSeeing(SeenDialog& seen) {
    QTimer::singleShot(0, [&seen] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        seen.frame = box->geometry();
        seen.inScene = box->graphicsProxyWidget() != nullptr;
        seen.parent = box->parentWidget();
        box->close();
    });
}

TEST(ScaledWindow, DialogsStandCentredOverTheWindow) {
    Window w({1920, 1080});
    w.scaled.move(0, 0);
    const QPoint centre = w.scaled.mapToGlobal(w.scaled.rect().center());
    EXPECT_EQ(dialogParentOf(w.screen->entry), &w.scaled);
    EXPECT_EQ(w.host.dialogParent(), &w.scaled);

    SeenDialog modal;
    QDialog dialog(w.host.dialogParent());
    dialog.resize(300, 200);
    closeNextModalSeeing(modal);
    w.host.runModal(dialog);
    EXPECT_FALSE(modal.inScene);
    EXPECT_LE((modal.frame.center() - centre).manhattanLength(), 4)
        << modal.frame.center().x() << "," << modal.frame.center().y();

    SeenDialog box;
    MessageBoxDialogs dialogs(&w.host);
    closeNextModalSeeing(box);
    dialogs.show(QStringLiteral("題"), QStringLiteral("本文"), Dialogs::Buttons::Ok,
                 Dialogs::Icon::Information);
    EXPECT_FALSE(box.inScene);
    EXPECT_EQ(box.parent, &w.scaled);
    EXPECT_LE((box.frame.center() - centre).manhattanLength(), 4)
        << box.frame.center().x() << "," << box.frame.center().y();
}

// A message box is as large, against the screen, as the screens' text: at twice the design
// its text and icon are twice as large as at the design size, and the box grows with them.
TEST(ScaledWindow, MessageBoxesGrowWithTheWindow) {
    struct Seen {
        double textPoints = 0;
        int iconHeight = 0;
        QSize size;
    };
    const auto seenAt = [](QSize windowSize) {
        Window w(windowSize);
        Seen seen;
        QTimer::singleShot(0, [&seen] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            if (auto* text = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
                seen.textPoints = text->font().pointSizeF();
            if (auto* icon = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
                seen.iconHeight = icon->pixmap().deviceIndependentSize().toSize().height();
            seen.size = box->size();
            box->close();
        });
        MessageBoxDialogs dialogs(&w.host);
        dialogs.show(QStringLiteral("注意"),
                     QStringLiteral("成績ファイルに記録できません。\nもう一度試します。"),
                     Dialogs::Buttons::YesNo, Dialogs::Icon::Warning);
        return seen;
    };
    const Seen design = seenAt({1024, 768});
    const Seen twice = seenAt({2048, 1536});
    ASSERT_GT(design.textPoints, 0);
    EXPECT_NEAR(twice.textPoints / design.textPoints, 2.0, 0.05);
    ASSERT_GT(design.iconHeight, 0);
    EXPECT_NEAR(double(twice.iconHeight) / design.iconHeight, 2.0, 0.1);
    // Wider, up to the width at which a message box wraps its text (half the screen), and so
    // at least as much taller.
    EXPECT_GT(twice.size.width(), design.size.width());
    EXPECT_GE(twice.size.height(), 1.8 * design.size.height());
}

// What the window has put on the screen at `at`, without letting it paint any further.
QColor onScreen(QWidget& window, QPoint at) {
    return window.screen()->grabWindow(window.winId()).toImage().pixelColor(at);
}

// The backdrop is the season's colour, set by the splash screen's load once the window shows:
// the bars take it with the next screen.
TEST(ScaledWindow, BarsTakeTheBackdropOfTheNextScreen) {
    Window w({1920, 1080});
    const QPoint bar(20, 540);
    EXPECT_TRUE(near(onScreen(w.scaled, bar), kBackdrop));
    const QColor season(0xc0, 0xff, 0xc0);
    w.backdrop = season;
    w.host.replace(new TestScreen);
    EXPECT_TRUE(QTest::qWaitFor([&] { return near(onScreen(w.scaled, bar), season); }, 5000));
}

TEST(ScaledWindow, WaitNoticeOnTheScreenAtOnce) {
    Window w({1920, 1080});
    const QPoint middle = w.scaled.rect().center();
    EXPECT_TRUE(near(onScreen(w.scaled, middle), kScreenColour));
    w.host.showWaitNotice();
    EXPECT_TRUE(near(onScreen(w.scaled, middle), QColor(0xfd, 0xf6, 0xd8)));
    w.host.hideWaitNotice();
}

TEST(ScaledWindow, ClosingTheWindowEndsTheProgram) {
    Window w({1280, 1024});
    int ends = 0;
    w.host.onEnd = [&ends] { ++ends; };
    w.scaled.close();
    EXPECT_TRUE(w.host.ending());
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(w.scaled.isVisible());

    // And the program's one way out closes the window.
    Window other({1280, 1024});
    other.host.endProgram();
    EXPECT_FALSE(other.scaled.isVisible());
}

} // namespace
