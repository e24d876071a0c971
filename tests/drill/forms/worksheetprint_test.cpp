// 弱点プリント as printed: two A4 pages, the problems with the pupil's name and the way of
// working in plain words, then the answers for the teacher.

#include "app/sharedstate.h"
#include "drill/decimal.h"
#include "drill/forms/worksheetprint.h"
#include "drill/misconceptions.h"
#include "drill/worksheet.h"
#include "frame/clock.h"
#include "frame/random.h"
#include "support/screenharness.h"
#include "support/screenshots.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zanfolio {
namespace {

QString pdfText(const QString& tool, const QString& file, int page) {
    QProcess text;
    text.start(tool, {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                      QString::number(page), file, QStringLiteral("-")});
    text.waitForFinished();
    // Some kanji come out as their look-alike radicals: compare in compatibility form.
    return QString::fromUtf8(text.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .remove(u' ');
}

TEST(Worksheet, TwentyAimedProblemsThenTheirAnswersOnTwoA4Pages) {
    testing::ensureApplication();
    SharedState state;
    state.roster.RosterNames[7] = QStringLiteral("森大輝");
    state.program.LevelNames[1] = QStringLiteral("足し算１");
    SystemRandom random(77);
    const Worksheet sheet = makeWorksheet(state.program, state.roster, 7, 1,
                                          MistakeKind::PlaceAlignment, QDate(2026, 12, 10), random);
    ASSERT_EQ(int(sheet.problems.size()), kWorksheetProblems);
    for (const Problem& p : sheet.problems)
        EXPECT_TRUE(isOpportunity(MistakeKind::PlaceAlignment, ProblemNumbers::of(p)));
    EXPECT_EQ(sheet.levelText, QStringLiteral("レベル1　足し算１"));

    QTemporaryDir dir;
    FixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(16, 0)));
    PdfSheetPrinter printer(dir.path(), clock);
    ASSERT_TRUE(printWorksheet(sheet, 7, printer).ok());
    ASSERT_EQ(printer.writtenFiles().size(), 1);
    const QString file = printer.writtenFiles()[0];
    EXPECT_EQ(QFileInfo(file).fileName(),
              QStringLiteral("弱点プリント_7_森大輝_20261210-160000.pdf"));

    // What a look at the sheet shows (a screenshot when they are on).
    QImage page(1050, 1485, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.setWindow(0, 0, 2100, 2970);
        paintWorksheetPage(painter, sheet, 0);
    }
    testing::saveScreenshot(page, QStringLiteral("worksheet-page1"));

    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    QProcess info;
    info.start(pdfinfo, {file});
    ASSERT_TRUE(info.waitForFinished());
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(infoText.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    EXPECT_TRUE(infoText.contains(QStringLiteral("595.")) ||
                infoText.contains(QStringLiteral("A4")))
        << infoText.toStdString();

    const QString problems = pdfText(pdftotext, file, 1);
    for (const QString& part :
         {QStringLiteral("弱点プリント"), QStringLiteral("森大輝"), QStringLiteral("足し算１"),
          misconceptionTitle(MistakeKind::PlaceAlignment), QStringLiteral("(20)")})
        EXPECT_TRUE(problems.contains(part.normalized(QString::NormalizationForm_KC)))
            << part.toStdString() << "\n"
            << problems.toStdString();
    EXPECT_FALSE(problems.contains(QStringLiteral("＝"))) << "no answers on the pupil's page";
    const QString answers = pdfText(pdftotext, file, 2);
    EXPECT_TRUE(answers.contains(QStringLiteral("こたえ")));
    for (const Problem& p : sheet.problems)
        EXPECT_TRUE(answers.contains(
            (QStringLiteral("=") + Text(p.answer)).normalized(QString::NormalizationForm_KC)))
            << Text(p.answer).toStdString() << "\n"
            << answers.toStdString();
}

} // namespace
} // namespace zanfolio
