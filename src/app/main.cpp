// Zanfolio: the program. Its configuration is found from its own folder (the parent folder
// holds "パスデータ.txt"). It fills the screen, the 1024 × 768 design scaled to it; with the
// one argument it knows, --design-size, it is a window of 1024 × 768 as designed.

#include "app/navigation.h"
#include "app/sharedstate.h"
#include "frame/clock.h"
#include "frame/daycount.h"
#include "frame/forms/appcontext.h"
#include "frame/forms/fonts.h"
#include "frame/forms/messageboxdialogs.h"
#include "frame/forms/scaledwindow.h"
#include "frame/forms/screenhost.h"
#include "frame/launcher.h"
#include "frame/random.h"
#include "frame/responsivewaiter.h"
#include "results/resultsstore.h"
#include "sound/playback/platformsounddevice.h"
#include "sound/sounds.h"
#include "startup/forms/firstfrm.h"

#include <QApplication>
#include <QColor>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <memory>

using namespace zanfolio;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zanfolio"));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // Standard buttons read はい / いいえ / キャンセル.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);
    applyJapaneseFonts(app);

    auto state = std::make_unique<SharedState>();
    SystemClock clock;
    // Seeded from the time of day, like the classroom program; a fixed seed makes a
    // demonstration or an end-to-end test repeatable.
    unsigned seed = unsigned(secondsSinceMidnight(clock.now()));
    if (const char* fixed = std::getenv("ZANFOLIO_RANDOM_SEED"))
        seed = unsigned(std::strtoul(fixed, nullptr, 10));
    SystemRandom random(seed);

    ScreenHost host;
    MessageBoxDialogs dialogs(&host);
    std::unique_ptr<SoundDevice> device = createPlatformSoundDevice();
    Sounds sounds(state->sound, state->installation, *device, random);
    SystemLauncher launcher;
    ResponsiveWaiter waiter;
    host.onEnd = [&waiter] { waiter.stop(); };

    SharedFolderStore store(state->installation);
    AppContext context{clock, random, dialogs, launcher, waiter, host, {}};
    wireNavigation(context, *state, sounds, store);

    host.replace(
        new Firstfrm(context, startUpParts(*state), store, QCoreApplication::applicationDirPath()));
    std::unique_ptr<ScaledWindow> scaled;
    if (QCoreApplication::arguments().contains(QStringLiteral("--design-size"))) {
        host.show();
    } else {
        scaled = std::make_unique<ScaledWindow>(host);
        // The bars beside the design in the season's colour, the background of the roster
        // form and the results menu (black until the configuration has set it).
        scaled->setBackdrop([&state] {
            const uint32_t bgr = state->installation.SeasonColour;
            return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
        });
        scaled->showOnScreen();
    }
    return app.exec();
}
