#include "drill/answerentry.h"

#include <functional>
#include <gtest/gtest.h>

namespace zanfolio {
namespace {

constexpr QChar kBackspace(8);

class AnswerEntryTest : public ::testing::Test {
  protected:
    AnswerEntryTest()
        : entry(state.run, state.outcome, [this](const DrillAction& a) {
              log << describe(a);
              if (duringEffect)
                  duringEffect(a);
          }) {
        state.run.TotalProblems = 10;
    }

    static QString describe(const DrillAction& a) {
        switch (a.effect) {
        case DrillEffect::ShowInput:
            return QStringLiteral("input:") + a.text;
        case DrillEffect::PlayWarningSound:
            return QStringLiteral("warning");
        case DrillEffect::PlayCorrectSound:
            return QStringLiteral("correct");
        case DrillEffect::PlayWrongSound:
            return QStringLiteral("wrong");
        case DrillEffect::ShowRemaining:
            return QStringLiteral("remaining:%1").arg(a.number);
        case DrillEffect::ShowCorrection:
            return QStringLiteral("correction:") + a.text;
        case DrillEffect::ShowColumnLayout:
            return QStringLiteral("layout");
        case DrillEffect::ProcessEvents:
            return QStringLiteral("events");
        case DrillEffect::ShowConfirmPrompt:
            return QStringLiteral("prompt");
        case DrillEffect::HideConfirmPrompt:
            return QStringLiteral("hide-prompt");
        case DrillEffect::HideCorrection:
            return QStringLiteral("hide-correction");
        case DrillEffect::NewProblem:
            return QStringLiteral("new");
        case DrillEffect::FinishRun:
            return QStringLiteral("finish");
        }
        return {};
    }

    void type(const QString& keys) {
        for (QChar k : keys)
            entry.keyPress(k);
    }
    // The effects after the last one that showed the typed text.
    QStringList judgementEffects() const {
        QStringList out;
        for (const QString& e : log) {
            if (e.startsWith(QStringLiteral("input:")))
                out.clear();
            else
                out << e;
        }
        return out;
    }
    void answer(qint64 units) { entry.setJudgedAnswer(Decimal::fromUnits(units)); }

    struct {
        RunInProgress run;
        RunOutcome outcome;
    } state;
    QStringList log;
    std::function<void(const DrillAction&)> duringEffect;
    AnswerEntry entry;
};

const QStringList kCorrectNext{"correct", "remaining:9", "new"};

TEST_F(AnswerEntryTest, EveryWayOfTypingTheAnswerIsJudgedCorrect) {
    struct Case {
        qint64 answer;
        const char* keys;
    };
    const Case cases[] = {
        {53000, "5 3 "}, {53000, "5.3 "},  {30000, "3  "},   {3000, ".3 "},    {3000, "0.30 "},
        {3000, " 3 "},   {53000, "5.3* "}, {53000, "5.3, "}, {53000, "+5.3 "}, {1089000, "108.9 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        state.run.CorrectCount = 0;
        log.clear();
        answer(c.answer);
        type(QString::fromLatin1(c.keys));
        EXPECT_EQ(judgementEffects(), kCorrectNext);
        EXPECT_EQ(state.run.CorrectCount, 1);
        EXPECT_EQ(state.run.Judgement, 0);
        EXPECT_EQ(state.run.InputBusy, 0);
        EXPECT_TRUE(entry.inputText().isEmpty());
    }
}

TEST_F(AnswerEntryTest, WrongAnswerShowsTheCorrectionBeforeTheSoundAndCostsOneCorrectAnswer) {
    answer(3000);
    state.run.CorrectCount = 3;
    type(QStringLiteral("3 "));
    EXPECT_EQ(log, (QStringList{"input:3", "input:3."}));
    type(QStringLiteral(" "));
    EXPECT_EQ(judgementEffects(), (QStringList{"correction:0.3", "layout", "events", "wrong",
                                               "remaining:8", "prompt"}));
    EXPECT_EQ(state.run.CorrectCount, 2);
    EXPECT_EQ(state.run.Judgement, 2);
    EXPECT_EQ(state.run.ConfirmState, 1);
    EXPECT_EQ(state.run.InputBusy, 0);
}

TEST_F(AnswerEntryTest, LonePointIsJudgedAsZeroAndAWrongAnswerAtZeroStaysAtZero) {
    answer(3000);
    type(QStringLiteral("  "));
    EXPECT_EQ(log.first(), QStringLiteral("input:."));
    EXPECT_EQ(state.run.Judgement, 2);
    EXPECT_EQ(state.run.CorrectCount, 0);
    EXPECT_TRUE(log.contains(QStringLiteral("remaining:10")));
}

TEST_F(AnswerEntryTest, NinthCharacterIsRefusedWithTheWarningAndBackspaceStillWorks) {
    type(QStringLiteral("12345678"));
    log.clear();
    type(QStringLiteral("9"));
    EXPECT_EQ(log, QStringList{"warning"});
    EXPECT_EQ(entry.inputText(), QStringLiteral("12345678"));
    type(QString(kBackspace));
    EXPECT_EQ(log.last(), QStringLiteral("input:1234567"));

    // A space that makes the text 8 characters long adds the point, then warns.
    log.clear();
    type(QStringLiteral(" "));
    EXPECT_EQ(log, (QStringList{"input:1234567.", "warning"}));
    EXPECT_EQ(entry.inputText(), QStringLiteral("1234567."));
}

TEST_F(AnswerEntryTest, OnlyTheCharactersFromAsteriskToNineAreTyped) {
    type(QStringLiteral("a!*+,-./0"));
    EXPECT_EQ(entry.inputText(), QStringLiteral("*+,-./0"));
    type(QString(kBackspace) + kBackspace);
    EXPECT_EQ(entry.inputText(), QStringLiteral("*+,-."));
    entry.clearInput();
    log.clear();
    type(QString(kBackspace));
    EXPECT_TRUE(log.isEmpty()) << "backspace on an empty answer shows nothing";
}

TEST_F(AnswerEntryTest, AnyOtherKeyBetweenTheTwoPlusPressesStartsTheCountAgain) {
    answer(3000);
    type(QStringLiteral("5  "));
    ASSERT_EQ(state.run.ConfirmState, 1);
    log.clear();
    type(QStringLiteral("+5+"));
    EXPECT_EQ(state.run.ConfirmState, 2);
    EXPECT_TRUE(log.isEmpty()) << "nothing is typed or shown while the prompt waits";
    EXPECT_EQ(entry.inputText(), QStringLiteral("5."));
    type(QStringLiteral(" "));
    EXPECT_EQ(state.run.ConfirmState, 1);
    type(QStringLiteral("+"));
    EXPECT_TRUE(log.isEmpty());
    type(QStringLiteral("+"));
    EXPECT_EQ(log, (QStringList{"hide-prompt", "input:", "hide-correction", "new"}));
    EXPECT_EQ(state.run.ConfirmState, 0);
    EXPECT_TRUE(entry.inputText().isEmpty());
}

TEST_F(AnswerEntryTest, KeysAreIgnoredWhileJudgingAndAfterTheRunHasEnded) {
    answer(53000);
    type(QStringLiteral("5."));
    for (int flag = 0; flag < 3; ++flag) {
        SCOPED_TRACE(flag);
        state.run.InputBusy = flag == 0;
        state.run.RunFinished = flag == 1;
        state.outcome.TimedOut = flag == 2;
        log.clear();
        type(QStringLiteral("3 +") + kBackspace);
        EXPECT_TRUE(log.isEmpty());
        EXPECT_EQ(entry.inputText(), QStringLiteral("5."));
        EXPECT_EQ(state.run.CorrectCount, 0);
        EXPECT_EQ(state.run.ConfirmState, 0);
    }
}

TEST_F(AnswerEntryTest, LastCorrectAnswerFinishesTheRunAndLaterKeysAreIgnored) {
    answer(53000);
    state.run.CorrectCount = 9;
    int busyAtFinish = -1;
    duringEffect = [&](const DrillAction& a) {
        if (a.effect == DrillEffect::FinishRun)
            busyAtFinish = state.run.InputBusy;
    };
    type(QStringLiteral("5.3 "));
    EXPECT_EQ(judgementEffects(), (QStringList{"correct", "remaining:0", "finish"}));
    EXPECT_EQ(state.run.RunFinished, 1);
    EXPECT_EQ(busyAtFinish, 1) << "the hand-off runs while the answer still counts as judged";
    EXPECT_EQ(state.run.InputBusy, 0);
    log.clear();
    type(QStringLiteral("5.3 "));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(state.run.CorrectCount, 10);
}

// The drill keeps every wrong answer for the teacher: each answer judged wrong is told once,
// exactly as typed, and nothing else is.
TEST_F(AnswerEntryTest, EveryAnswerJudgedWrongIsToldOnceAsTyped) {
    struct Case {
        const char* name;
        qint64 answer;
        const char* keys;
        QStringList told;
    };
    const Case cases[] = {
        {"a wrong number", 53000, "5 8 ", {"5.8"}},
        {"the point added by the space", 30700, "3  ", {"3."}},
        {"nothing but the point", 30700, "  ", {"."}},
        {"characters after the number", 53000, "5.8* ", {"5.8*"}},
        {"a correct answer", 53000, "5.3 ", {}},
        {"a correct answer with trailing zeros", 53000, "5.30 ", {}},
        {"still typing", 53000, "5.8", {}},
        {"two wrong answers", 53000, "5.8 ++4  ", {"5.8", "4."}},
        {"keys between the plus presses", 53000, "5.8 7+7++", {"5.8"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList told;
        entry.setWrongAnswerObserver([&](const QString& typed) {
            told << typed;
            EXPECT_EQ(judgementEffects(), QStringList{}) << "told before the correction shows";
        });
        state.run = RunInProgress{};
        state.outcome = RunOutcome{};
        state.run.TotalProblems = 10;
        entry.clearInput();
        log.clear();
        answer(c.answer);
        type(QString::fromLatin1(c.keys));
        EXPECT_EQ(told, c.told);
    }
}

TEST_F(AnswerEntryTest, NoWrongAnswerIsToldOnceTheRunHasEndedOrWhileJudging) {
    answer(53000);
    int told = 0;
    entry.setWrongAnswerObserver([&](const QString&) { ++told; });
    duringEffect = [&](const DrillAction& a) {
        if (a.effect == DrillEffect::PlayWrongSound)
            entry.keyPress(u' '); // the space pressed again during the wrong-answer sound
    };
    type(QStringLiteral("4. "));
    EXPECT_EQ(told, 1);
    type(QStringLiteral("++"));
    state.outcome.TimedOut = 1;
    type(QStringLiteral("4. "));
    EXPECT_EQ(told, 1);
}

// Every answer handed in is told once, right or wrong, before its effects; keys that are still
// typing, or come after the run has ended, are no answer.
TEST_F(AnswerEntryTest, EveryAnswerJudgedIsToldOnceWithItsJudgement) {
    struct Case {
        const char* name;
        const char* keys;
        QStringList told; // typed, then "+" for right or "-" for wrong
    };
    const Case cases[] = {
        {"a right answer", "5.3 ", {"5.3+"}},
        {"a wrong answer", "5.8 ", {"5.8-"}},
        {"still typing", "5.3", {}},
        {"wrong, acknowledged, then right", "5.8 ++5.3 ", {"5.8-", "5.3+"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList told;
        entry.setAnswerObserver([&](const QString& typed, bool correct) {
            told << typed + (correct ? u'+' : u'-');
            EXPECT_EQ(judgementEffects(), QStringList{}) << "told before the judgement shows";
        });
        state.run = RunInProgress{};
        state.outcome = RunOutcome{};
        state.run.TotalProblems = 10;
        entry.clearInput();
        log.clear();
        answer(53000);
        type(QString::fromLatin1(c.keys));
        EXPECT_EQ(told, c.told);
    }
    int told = 0;
    entry.setAnswerObserver([&](const QString&, bool) { ++told; });
    state.outcome.TimedOut = 1;
    type(QStringLiteral("5.3 "));
    EXPECT_EQ(told, 0);
}

// The sounds block and the form may process events around them: a key or a clock tick that
// slips in must find the answer still being judged.
TEST_F(AnswerEntryTest, AnswerStaysBusyWhileItsSoundsPlaySoNothingSlipsIn) {
    answer(53000);
    QStringList busy;
    duringEffect = [&](const DrillAction& a) {
        if (a.effect == DrillEffect::PlayCorrectSound || a.effect == DrillEffect::PlayWrongSound ||
            a.effect == DrillEffect::ProcessEvents || a.effect == DrillEffect::NewProblem) {
            busy << describe(a) + QStringLiteral(":%1").arg(state.run.InputBusy);
            entry.keyPress(u' '); // a second space pressed during the sound
        }
    };
    type(QStringLiteral("5.3 "));
    type(QStringLiteral("4. "));
    EXPECT_EQ(busy, (QStringList{"correct:1", "new:0", "events:1", "wrong:1"}));
    EXPECT_EQ(state.run.CorrectCount, 0) << "one correct and one wrong answer, each judged once";
}

} // namespace
} // namespace zanfolio
