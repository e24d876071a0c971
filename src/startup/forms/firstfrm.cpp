#include "startup/forms/firstfrm.h"

#include "frame/datafiles.h"
#include "frame/dialogs.h"
#include "frame/eradate.h"
#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "frame/forms/screenhost.h"
#include "frame/waiter.h"
#include "startup/configuration.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

namespace zanfolio {

namespace {
constexpr int kDeliveryPatienceMs = 3000;
} // namespace

Firstfrm::Firstfrm(AppContext& context, StartUpParts parts, ResultsStore& store, QString programDir)
    : context_(context), parts_(parts), store_(store), programDir_(std::move(programDir)) {
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
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(japaneseFont(14));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setStyleSheet(Label1->styleSheet());
    Label2->setGeometry(162, 640, 700, 44);
    Label2->hide();
    parts_.installation.SeasonColour = seasonColourForMonth(context_.clock.now().date().month());

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
    const uint32_t c = parts_.installation.SeasonColour;
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

void Firstfrm::showDelivery(const QString& text) {
    Label2->setText(text);
    Label2->show();
    paintNowAndProcessEvents();
}

bool Firstfrm::deliverKeptRuns() {
    // Runs this computer kept when the results file could not take them go in now. A file
    // that still cannot take them is not waited for long: they go at the end of the next run.
    AppContext& context = context_;
    const ScreenWatch watch(this);
    PatientWaiter patient(context.waiter, kDeliveryPatienceMs);
    DeliveryProgress progress;
    progress.onBatch = [this, &watch](int delivered, int total) {
        if (watch.gone())
            return false;
        showDelivery(QStringLiteral("このコンピュータに保管した成績を記録しています"
                                    "（%1 / %2 件）")
                         .arg(delivered)
                         .arg(total));
        return !watch.gone();
    };
    // What cannot go in now stays kept, and is tried again after the next run.
    (void)store_.deliverKeptRuns(patient, progress);
    return !watch.gone();
}

bool Firstfrm::deliverKeptMistakes() {
    // Likewise the wrong answers kept for the mistakes file (in one batch); those that still
    // cannot go in go ahead of the wrong answers of the next recorded run.
    AppContext& context = context_;
    const ScreenWatch watch(this);
    PatientWaiter patient(context.waiter, kDeliveryPatienceMs);
    (void)store_.deliverKeptMistakes(patient, [this, &watch](int count) {
        if (!watch.gone())
            showDelivery(QStringLiteral("このコンピュータに保管した誤答を記録しています"
                                        "（%1 件）")
                             .arg(count));
    });
    return !watch.gone();
}

bool Firstfrm::deliverKeptAnswers() {
    // Likewise the answers kept for the answers file.
    AppContext& context = context_;
    const ScreenWatch watch(this);
    PatientWaiter patient(context.waiter, kDeliveryPatienceMs);
    (void)store_.deliverKeptAnswers(patient, [this, &watch](int count) {
        if (!watch.gone())
            showDelivery(QStringLiteral("このコンピュータに保管した解答を記録しています"
                                        "（%1 件）")
                             .arg(count));
    });
    return !watch.gone();
}

void Firstfrm::StartUp() {
    const Result<QString> configured = LoadStartUpFiles(parts_, programDir_, context_.clock);
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
    if (!deliverKeptRuns() || !deliverKeptMistakes() || !deliverKeptAnswers())
        return; // the window was closed meanwhile: the splash is gone
    Label2->hide();
    if (context_.navigate.showRosterForm)
        context_.navigate.showRosterForm();
}

} // namespace zanfolio
