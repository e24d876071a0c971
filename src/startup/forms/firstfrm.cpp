#include "startup/forms/firstfrm.h"

#include "frame/datafiles.h"
#include "frame/dialogs.h"
#include "frame/eradate.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/screenhost.h"
#include "frame/sharedstate.h"
#include "frame/waiter.h"
#include "results/pendingmistakes.h"
#include "results/pendingruns.h"
#include "results/resultsfile.h"
#include "startup/configuration.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

namespace zanfolio {

namespace {
constexpr int kDeliveryPatienceMs = 3000;
} // namespace

Firstfrm::Firstfrm(AppContext& context, QString programDir)
    : context_(context), programDir_(std::move(programDir)) {
    setObjectName(QStringLiteral("Firstfrm"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(japaneseFont(22));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(
        QStringLiteral("color: %1; background: rgba(255,255,255,170); border-radius: 8px;")
            .arg(kInk));
    Label1->setGeometry(262, 560, 500, 56);
    Label1->setText(japaneseEraDateText(context_.clock.now().date()));
    context_.state.SeasonColour = seasonColourForMonth(context_.clock.now().date().month());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &Firstfrm::Timer1_Timer);
    Timer1->start();
}

void Firstfrm::paintEvent(QPaintEvent*) {
    // The splash picture: the program's title over a sky of its season colour.
    QPainter p(this);
    const uint32_t c = context_.state.SeasonColour;
    const QColor season(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, season.lighter(150));
    sky.setColorAt(1, season.darker(115));
    p.fillRect(rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 140), 3));
    for (int i = 0; i < 9; ++i)
        p.drawText(QRect(60 + i * 100, 120 + (i % 3) * 60, 90, 60), Qt::AlignCenter,
                   i % 2 ? QStringLiteral("＋") : QStringLiteral("－"));
    p.setFont(japaneseFont(64));
    p.setPen(QColor(kInk));
    p.drawText(QRect(0, 260, width(), 150), Qt::AlignCenter, QStringLiteral("Zanfolio"));
    p.setFont(japaneseFont(20));
    p.drawText(QRect(0, 410, width(), 50), Qt::AlignCenter, QStringLiteral("小数のたし算・ひき算"));
}

void Firstfrm::Timer1_Timer() {
    Timer1->stop();
    StartUp();
}

void Firstfrm::deliverKeptRuns() {
    // Runs this computer kept when the results file could not take them go in now. A file
    // that still cannot take them is not waited for long: they go at the end of the next run.
    PendingRuns pending(pendingRunsFile(context_.state));
    PatientWaiter patient(context_.waiter, kDeliveryPatienceMs);
    ResultsFile file(resultsFile(context_.state), patient);
    (void)pending.deliver(file);
}

void Firstfrm::deliverKeptMistakes() {
    // Likewise the wrong answers kept for the mistakes file; those that still cannot go in
    // go ahead of the wrong answers of the next recorded run.
    PendingMistakes pending(mistakesPendingFile(context_.state));
    PatientWaiter patient(context_.waiter, kDeliveryPatienceMs);
    (void)pending.deliver(mistakesFile(context_.state), patient);
}

void Firstfrm::StartUp() {
    const Result<QString> configured =
        LoadStartUpFiles(context_.state, programDir_, context_.clock);
    if (configured && !configured->isEmpty()) {
        // The program goes on; the teacher learns which levels to mend.
        context_.dialogs.show(QStringLiteral("Zanfolio"), *configured, Dialogs::Buttons::Ok,
                              Dialogs::Icon::Warning);
    }
    if (!configured) {
        context_.dialogs.show(QStringLiteral("Zanfolio"), configured.error().message,
                              Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
        context_.host.endProgram(1);
        return;
    }
    deliverKeptRuns();
    deliverKeptMistakes();
    if (context_.navigate.showRosterForm)
        context_.navigate.showRosterForm();
}

} // namespace zanfolio
