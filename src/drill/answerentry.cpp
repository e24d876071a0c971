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

AnswerEntry::AnswerEntry(RunInProgress& run, const RunOutcome& outcome, DrillSink sink)
    : run_(run), outcome_(outcome), sink_(std::move(sink)) {}

void AnswerEntry::act(DrillEffect e, const QString& text, int number) {
    if (sink_)
        sink_(DrillAction{e, text, number});
}

void AnswerEntry::keyPress(QChar k) {
    // Nothing stays open between user actions here, so "close all open files" has no work.
    if (outcome_.TimedOut == 1 || run_.RunFinished == 1 || run_.InputBusy == 1)
        return;

    if (run_.ConfirmState >= 1) {
        // Two "+" in a row acknowledge a wrong answer; any other key starts the count again.
        if (k == u'+' && run_.ConfirmState == 1)
            run_.ConfirmState = 2;
        else if (k == u'+' && run_.ConfirmState == 2)
            Commandkakunin_Click();
        else
            run_.ConfirmState = 1;
        return;
    }

    if (k == u' ') {
        if (InputText_.contains(u'.')) {
            run_.InputBusy = 1;
            判定();
            判定後処理();
            // `this` may not be touched from here on: the last answer may have handed the
            // run over to the evaluation, whose form replaces this one.
            run_.InputBusy = 0;
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
    if (outcome_.TimedOut == 1 || run_.RunFinished == 1) {
        run_.InputBusy = 0;
        return;
    }
    run_.Judgement = answerMatches(InputText_, JudgedAnswer_) ? 1 : 2;
}

void AnswerEntry::判定後処理() {
    if (outcome_.TimedOut == 1 || run_.RunFinished == 1)
        return;
    if (answer_)
        answer_(InputText_, run_.Judgement == 1);
    if (run_.Judgement == 1) {
        run_.Judgement = 0;
        act(DrillEffect::PlayCorrectSound);
        run_.CorrectCount += 1;
        act(DrillEffect::ShowRemaining, QString(), run_.TotalProblems - run_.CorrectCount);
        if (run_.CorrectCount < run_.TotalProblems) {
            run_.InputBusy = 0;
            InputText_.clear();
            act(DrillEffect::NewProblem);
        } else {
            run_.RunFinished = 1;
            act(DrillEffect::FinishRun);
        }
        return;
    }
    if (wrongAnswer_)
        wrongAnswer_(InputText_);
    run_.ConfirmState = 1;
    act(DrillEffect::ShowCorrection, Text(JudgedAnswer_));
    act(DrillEffect::ShowColumnLayout);
    act(DrillEffect::ProcessEvents);
    act(DrillEffect::PlayWrongSound);
    // A wrong answer costs one correct answer, but the count never goes below nothing.
    run_.CorrectCount = qMax(0, run_.CorrectCount - 1);
    act(DrillEffect::ShowRemaining, QString(), run_.TotalProblems - run_.CorrectCount);
    run_.InputBusy = 0;
    act(DrillEffect::ShowConfirmPrompt);
}

void AnswerEntry::Commandkakunin_Click() {
    act(DrillEffect::HideConfirmPrompt);
    run_.ConfirmState = 0;
    act(DrillEffect::ShowInput, QString());
    act(DrillEffect::HideCorrection);
    InputText_.clear();
    act(DrillEffect::NewProblem);
}

} // namespace zanfolio
