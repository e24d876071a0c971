// Prints the answers of a whole run as a pupil types them, one line a problem, for a program
// started with ZANFOLIO_RANDOM_SEED=SEED that signs a pupil in and starts LEVEL: digits, the
// point, and the space that hands the answer in (two spaces for a whole number: the first is
// the point). The program draws each problem and then the pick among the correct-answer sounds,
// so the answers follow from the seed alone, on every platform. Used by the Windows smoke test.
//
//   zanfolio-drill-answers SEED LEVEL

#include "app/sharedstate.h"
#include "drill/decimal.h"
#include "drill/problem.h"
#include "frame/random.h"

#include <cstdio>
#include <cstdlib>

using namespace zanfolio;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zanfolio-drill-answers SEED LEVEL\n");
        return 2;
    }
    SystemRandom random(unsigned(std::strtoul(argv[1], nullptr, 10)));
    SharedState state;
    state.session.CurrentLevel = std::atoi(argv[2]);
    state.run.TotalProblems = 10;
    for (int i = 0; i < state.run.TotalProblems; ++i) {
        state.run.CorrectCount = i;
        const std::optional<Problem> problem =
            問題作成表示(state.run, state.outcome, state.session.CurrentLevel, random);
        if (!problem)
            return 1;
        (void)random.next(); // the correct-answer sound's pick
        const QString answer = Text(problem->answer);
        std::printf("%s\n", qPrintable(answer.contains(u'.') ? answer + u' ' : answer + "  "));
    }
    return 0;
}
