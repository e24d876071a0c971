#pragma once
// The drill form's answer entry without the form: the key handling, `判定`, `判定後処理` and
// `Commandkakunin_Click`, as a state machine over the run flags (TimedOut,
// RunFinished, InputBusy, ConfirmState, CorrectCount, Judgement, TotalProblems) and the typed
// InputText. What the screen must show and do comes out as effects, handed to the sink one at
// a time at the moment the form would act, so the flags are as the handlers left them when
// each effect runs: InputBusy is still 1 while the answer sounds play, which keeps a clock tick
// from timing the run out and a key from being judged twice in the meantime.
//
// Keys arrive as characters: the form maps the numeric keypad's keys to the same characters as
// the main keys, backspace to U+0008 and the space bar to " ".
//
// Input states: normal (ConfirmState 0); judging (InputBusy 1); after a wrong answer waiting for
// the first "+" (ConfirmState 1) and for the second (ConfirmState 2). A space hands the answer in
// once InputText holds a point, else it adds the point. After the last correct answer and after
// a time-out every key is ignored.

#include "drill/decimal.h"
#include "drill/runinprogress.h"
#include "results/recordrun.h"

#include <QString>
#include <functional>

namespace zanfolio {

enum class DrillEffect {
    ShowInput,         // inputLabel shows `text` (InputText unchanged)
    PlayWarningSound,  // "警告1.wav": the answer is full; returns when the sound has ended
    PlayCorrectSound,  // PlayCorrectSound; returns when the sound has ended
    PlayWrongSound,    // PlayWrongSound; returns when the sound has ended
    ShowRemaining,     // sLabel9 shows `number`: TotalProblems − CorrectCount
    ShowCorrection,    // seitouLabel shows `text`, Text of the answer, and is shown
    ShowColumnLayout,  // Shape3, Label1, Label5, Label9 and Shape2 are shown
    ProcessEvents,     // let the correction reach the screen before the wrong-answer sound
    ShowConfirmPrompt, // Commandkakunin2 (the "+" prompt) is shown
    HideConfirmPrompt, // Commandkakunin2 is hidden
    HideCorrection,    // seitouLabel is hidden
    NewProblem,        // run 問題作成表示 and show its problem; InputText is already empty
    FinishRun,         // the last correct answer: RunFinished is 1; stop sTimer1, run EndOfRun
};

struct DrillAction {
    DrillEffect effect;
    QString text;   // ShowInput, ShowCorrection
    int number = 0; // ShowRemaining
};

// Told of every answer judged wrong, with the text as typed, before the effects of the wrong
// answer (the drill keeps the wrong answers of a run for the teacher).
using WrongAnswerObserver = std::function<void(const QString& typed)>;

// Told of every answer judged, right or wrong, with the text as typed, before its effects (the
// drill keeps every answer of a run for the diagnosis of wrong ways of working).
using AnswerObserver = std::function<void(const QString& typed, bool correct)>;

// Receives the effects in order. It may process pending events (and so re-enter the entry:
// a key then is ignored while InputBusy is 1); it must not delete the entry (forms delete
// themselves later, not from inside a handler).
using DrillSink = std::function<void(const DrillAction&)>;

// The texts longer than this are refused by typing, with the warning sound.
inline constexpr int kMaxInputLength = 8;

// `判定`'s comparison: the leading number of `typed` equals `answer` exactly. Numerically equal
// texts all match (0.30, 0.3 and .3 for 0.3); characters after the number are ignored; a text
// without a number is 0.
bool answerMatches(const QString& typed, Decimal answer);

class AnswerEntry {
  public:
    AnswerEntry(RunInProgress& run, const RunOutcome& outcome, DrillSink sink);

    void setWrongAnswerObserver(WrongAnswerObserver observer) {
        wrongAnswer_ = std::move(observer);
    }

    void setAnswerObserver(AnswerObserver observer) { answer_ = std::move(observer); }

    // The key press of the drill form (character code k).
    void keyPress(QChar k);
    // The "確認" button, and the second "+" after a wrong answer: hides the prompt and the
    // correction, clears the answer and asks for a new problem.
    void Commandkakunin_Click();

    // Step 9 of 問題作成表示: the answer that judging compares with and the correction shows.
    void setJudgedAnswer(Decimal answer) { JudgedAnswer_ = answer; }
    Decimal judgedAnswer() const { return JudgedAnswer_; }
    // 初期設定 clears the typed answer at every activation of the drill form.
    void clearInput() { InputText_.clear(); }
    const QString& inputText() const { return InputText_; }

  private:
    void 判定();
    void 判定後処理();
    void act(DrillEffect e, const QString& text = QString(), int number = 0);

    RunInProgress& run_;
    const RunOutcome& outcome_;
    DrillSink sink_;
    WrongAnswerObserver wrongAnswer_;
    AnswerObserver answer_;
    QString InputText_;
    Decimal JudgedAnswer_;
};

} // namespace zanfolio
