#include "drill/answerentry.h"

namespace zanfolio {

namespace {
constexpr char16_t kBackspace = 8;
constexpr char16_t kFirstAccepted = 42; // "*"; 42..57 are "*+,-./" and the digits
constexpr char16_t kLastAccepted = 57;  // "9"
} // namespace

bool answerMatches(const QString& typed, Decimal answer) {
    const LeadingDecimal n = leadingDecimal(typed);
    return n.exact && n.value == answer;
}

AnswerEntry::AnswerEntry(SharedState& state, DrillSink sink)
    : state_(state), sink_(std::move(sink)) {}

void AnswerEntry::act(DrillEffect e, const QString& text, int number) {
    if (sink_)
        sink_(DrillAction{e, text, number});
}

void AnswerEntry::keyPress(QChar k) {
    // Nothing stays open between user actions here, so "close all open files" has no work.
    SharedState& s = state_;
    if (s.TimedOut == 1 || s.RunFinished == 1 || s.InputBusy == 1)
        return;

    if (s.ConfirmState >= 1) {
        // Two "+" in a row acknowledge a wrong answer; any other key starts the count again.
        if (k == u'+' && s.ConfirmState == 1)
            s.ConfirmState = 2;
        else if (k == u'+' && s.ConfirmState == 2)
            Commandkakunin_Click();
        else
            s.ConfirmState = 1;
        return;
    }

    if (k == u' ') {
        if (InputText_.contains(u'.')) {
            s.InputBusy = 1;
            判定();
            判定後処理();
            // `this` may not be touched from here on: the last answer may have handed the
            // run over to the evaluation, whose form replaces this one.
            s.InputBusy = 0;
            return;
        }
        InputText_ += u'.';
        act(DrillEffect::ShowInput, InputText_);
        // Go on: a point that fills the answer sounds the warning below.
    }

    if (k.unicode() == kBackspace) {
        if (!InputText_.isEmpty()) {
            InputText_.chop(1);
            act(DrillEffect::ShowInput, InputText_);
        }
        return;
    }
    if (InputText_.size() >= kMaxInputLength) {
        act(DrillEffect::PlayWarningSound);
        return;
    }
    if (k.unicode() >= kFirstAccepted && k.unicode() <= kLastAccepted) {
        InputText_ += k;
        act(DrillEffect::ShowInput, InputText_);
    }
}

void AnswerEntry::判定() {
    if (state_.TimedOut == 1 || state_.RunFinished == 1) {
        state_.InputBusy = 0;
        return;
    }
    state_.Judgement = answerMatches(InputText_, JudgedAnswer_) ? 1 : 2;
}

void AnswerEntry::判定後処理() {
    SharedState& s = state_;
    if (s.TimedOut == 1 || s.RunFinished == 1)
        return;
    if (answer_)
        answer_(InputText_, s.Judgement == 1);
    if (s.Judgement == 1) {
        s.Judgement = 0;
        act(DrillEffect::PlayCorrectSound);
        s.CorrectCount += 1;
        act(DrillEffect::ShowRemaining, QString(), s.TotalProblems - s.CorrectCount);
        if (s.CorrectCount < s.TotalProblems) {
            s.InputBusy = 0;
            InputText_.clear();
            act(DrillEffect::NewProblem);
        } else {
            s.RunFinished = 1;
            act(DrillEffect::FinishRun);
        }
        return;
    }
    if (wrongAnswer_)
        wrongAnswer_(InputText_);
    s.ConfirmState = 1;
    act(DrillEffect::ShowCorrection, Text(JudgedAnswer_));
    act(DrillEffect::ShowColumnLayout);
    act(DrillEffect::ProcessEvents);
    act(DrillEffect::PlayWrongSound);
    // A wrong answer costs one correct answer, but the count never goes below nothing.
    s.CorrectCount = qMax(0, s.CorrectCount - 1);
    act(DrillEffect::ShowRemaining, QString(), s.TotalProblems - s.CorrectCount);
    s.InputBusy = 0;
    act(DrillEffect::ShowConfirmPrompt);
}

void AnswerEntry::Commandkakunin_Click() {
    act(DrillEffect::HideConfirmPrompt);
    state_.ConfirmState = 0;
    act(DrillEffect::ShowInput, QString());
    act(DrillEffect::HideCorrection);
    InputText_.clear();
    act(DrillEffect::NewProblem);
}

} // namespace zanfolio
