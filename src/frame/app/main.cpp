// Zanfolio: the program. It takes no arguments; its configuration is found from its own folder
// (the parent folder holds "パスデータ.txt").

#include "appcontext.h"
#include "clock.h"
#include "daycount.h"
#include "firstfrm.h"
#include "fonts.h"
#include "launcher.h"
#include "messageboxdialogs.h"
#include "navigation.h"
#include "platformsounddevice.h"
#include "random.h"
#include "responsivewaiter.h"
#include "screenhost.h"
#include "sharedstate.h"
#include "sounds.h"

#include <QApplication>
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
    Sounds sounds(*state, *device, random);
    SystemLauncher launcher;
    ResponsiveWaiter waiter;
    host.onEnd = [&waiter] { waiter.stop(); };

    AppContext context{*state, clock, random, dialogs, sounds, launcher, waiter, host, {}};
    wireNavigation(context);

    host.replace(new Firstfrm(context, QCoreApplication::applicationDirPath()));
    host.show();
    return app.exec();
}
