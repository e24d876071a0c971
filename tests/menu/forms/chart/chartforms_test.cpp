// The chart as painted: pixels sampled on a QImage at the places the model gives, the panel's
// surface after "グラフ" and "表示", and the printed sheets as PDF files through the printer port.

#include "app/screenparts.h"
#include "app/sharedstate.h"
#include "frame/datafiles.h"
#include "frame/daycount.h"
#include "frame/programdefinition.h"
#include "menu/chartmodel.h"
#include "menu/forms/chart/chartpainter.h"
#include "menu/forms/chart/chartpanel.h"
#include "menu/forms/chart/chartpanelpeer.h"
#include "menu/forms/chart/chartprint.h"
#include "menu/forms/chart/mistakesbox.h"
#include "results/mistakesfile.h"
#include "support/control.h"
#include "support/fakes.h"
#include "support/screenharness.h"
#include "support/screenshots.h"
#include "support/systematicanswers.h"
#include "support/testfolder.h"
#include "support/testmistakes.h"
#include "support/testrecords.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <tuple>
#include <utility>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0));

ResultsRecord run(int pupil, int level, int time, int daysAgo) {
    return testRecord(pupil, level, time).date(dayCount(kNow.date().addDays(-daysAgo)));
}

bool isRed(QColor c) {
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}
bool isBlue(QColor c) {
    return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}
bool isDark(QColor c) {
    return c.lightness() < 128;
}

int countPixels(const QImage& image, QRect area, bool (*test)(QColor)) {
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

// The pixels `text` inks when painted alone on a device of `dpi` dots per inch, in the
// target's units: those at least a quarter dark (the faintest edge of anti-aliasing is left
// out).
std::vector<QPoint> inkOf(const ChartPrimitive& text, ChartTarget target, double dpi) {
    const int margin = int(text.fontSize * dpi / 72.0) + 2;
    const QRect around =
        ChartTextBox(text, dpi).toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage image(around.size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-around.topLeft());
    paintChart(painter, {text}, target, dpi);
    painter.end();
    std::vector<QPoint> ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 192)
                ink.push_back(around.topLeft() + QPoint(x, y));
    return ink;
}

QString artefactFolder() {
    const QString dir = QDir::tempPath() + QStringLiteral("/chart-forms-test");
    QDir().mkpath(dir);
    return dir;
}

// A little school: three pupils on five levels, an installation with its roster and results.
struct School {
    School() {
        SetProgramTitle(state.program);
        DefineLevelTables(state.program);
        state.installation.DataRoot = inst.dataRoot();
        state.installation.ProgramDataDir = inst.programDataDir();
        state.installation.SchoolYearStartMonth = 4;
        state.roster.SchoolYear = 2026;
        inst.writeLines(inst.rosterPath(), {QStringLiteral("1,2017,0,0,\"山田太郎\",0,\"\",\"\""),
                                            QStringLiteral("2,2016,0,0,\"佐藤花子\",0,\"\",\"\""),
                                            QStringLiteral("3,2015,0,0,\"鈴木一郎\",0,\"\",\"\""),
                                            QStringLiteral("4,1980,0,0,\"★先生\",0,\"\",\"\"")});
        QByteArray bytes;
        int day = 300;
        for (int level = 1; level <= 5; ++level)
            for (int pupil = 1; pupil <= 3; ++pupil)
                for (int t : {60, 55, 58, 50, 52, 47})
                    bytes += run(pupil, level, t + 3 * pupil + level, day--).encode();
        inst.writeBytes(inst.resultsPath(), bytes);
        for (int p = 1; p <= 4; ++p) {
            state.roster.RosterListedCount = p;
            state.roster.RosterIndexByLine[size_t(p)] = p;
        }
        state.session.CurrentStudent = 1;
    }
    TestInstallation inst;
    SharedState state;
    SharedFolderStore store{state.installation};
    FakeClock clock{kNow};
    RecordingWaiter waiter;
    ScriptedDialogs dialogs;
};

// Widgets need the application; the fonts are the program's.
class ChartForms : public ::testing::Test {
  protected:
    ChartForms() { ensureApplication(); }
};

// Runs of 60, 55, 58 and 50 s: red, red, blue, red discs where the model put them, and nothing
// red or blue anywhere for a pupil without runs.
TEST_F(ChartForms, PointsPaintedInTheirColoursAtTheirPlaces) {
    SharedState state;
    SharedFolderStore store{state.installation};
    SetProgramTitle(state.program);
    DefineLevelTables(state.program);
    state.roster.RosterNames[1] = QStringLiteral("山田");
    state.roster.RosterNames[2] = QStringLiteral("佐藤");
    std::vector<ResultsRecord> records{run(1, 1, 60, 4), run(1, 1, 55, 3), run(1, 1, 58, 2),
                                       run(1, 1, 50, 1)};
    QImage image(800, 600, QImage::Format_RGB32);
    ChartRequest request;
    request.levels = {1};
    request.width = image.width();
    request.height = image.height();

    for (int pupil : {1, 2}) {
        request.pupil = pupil;
        const ChartDrawing d = BuildChart(
            ChartParts{state.program, state.roster, state.Stats, state.session.CurrentStudent},
            records, kNow, request);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintChart(painter, d.primitives, ChartTarget::Screen, 96);
        painter.end();
        saveScreenshot(image, QStringLiteral("chart-points-%1").arg(pupil));

        std::vector<ChartPrimitive> points;
        for (const ChartPrimitive& p : d.primitives)
            if (p.role == ChartRole::RunPoint)
                points.push_back(p);
        if (pupil == 2) {
            EXPECT_TRUE(points.empty());
            EXPECT_EQ(countPixels(image, image.rect(), isRed), 0);
            EXPECT_EQ(countPixels(image, image.rect(), isBlue), 0);
            EXPECT_EQ(d.blocks.at(0).textLines.at(0),
                      QStringLiteral("回数\u3000\u3000\u3000\u3000\u3000\u3000\u3000   回"));
            continue;
        }
        ASSERT_EQ(int(points.size()), 4);
        const bool red[] = {true, true, false, true};
        for (int i = 0; i < 4; ++i) {
            // The disc of 5 pixels around the centre; the lines joining the bests are
            // drawn over the red ones, so look at the whole disc, not its centre.
            const QPoint at = points[size_t(i)].at.toPoint();
            const QRect disc(at - QPoint(2, 2), QSize(5, 5));
            EXPECT_GE(countPixels(image, disc, red[i] ? isRed : isBlue), 4)
                << "point " << i << " at " << at.x() << "," << at.y();
            EXPECT_EQ(countPixels(image, disc, red[i] ? isBlue : isRed), 0);
        }
        // The blue disc lies under no red line: the bests are joined 1 → 2 → 4.
        EXPECT_GT(countPixels(image, image.rect(), isBlue), 5);
    }
}

// A slowest run of 83 s: the time axis reaches 90, labelled "90秒" at its top.
TEST_F(ChartForms, TimeAxisLabelledWithItsScale) {
    SharedState state;
    SharedFolderStore store{state.installation};
    SetProgramTitle(state.program);
    DefineLevelTables(state.program);
    std::vector<ResultsRecord> records{run(1, 1, 83, 2), run(1, 1, 70, 1)};
    ChartRequest request;
    request.pupil = 1;
    request.levels = {1};
    request.width = 800;
    request.height = 600;
    const ChartDrawing d = BuildChart(
        ChartParts{state.program, state.roster, state.Stats, state.session.CurrentStudent}, records,
        kNow, request);
    EXPECT_EQ(d.blocks.at(0).yScale, 90);
    const ChartPrimitive* top = nullptr;
    for (const ChartPrimitive& p : d.primitives)
        if (p.role == ChartRole::AxisLabel && p.text == QStringLiteral("90秒"))
            top = &p;
    ASSERT_NE(top, nullptr);
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintChart(painter, d.primitives, ChartTarget::Screen, 96);
    painter.end();
    // Ink right of the label's corner and left of the time axis.
    const QRect label(top->at.toPoint(), QSize(int(0.2 * 400 - top->at.x()) - 3, 10));
    EXPECT_GT(countPixels(image, label, isDark), 5);
}

// Every text of a drawing, on screen and on paper, inks only inside the box the model gives it
// (which the model keeps clear of the other texts).
TEST_F(ChartForms, TextsInkInsideTheirBoxes) {
    School school;
    school.state.roster.RosterNames[1] = QStringLiteral("山田太郎");
    ResultsFile file(resultsFile(school.state.installation), school.waiter);
    Result<std::vector<ChartRun>> records = ReadChartRecords(file, kNow.date());
    ASSERT_TRUE(records.ok());
    struct Target {
        const char* name;
        ChartTarget target;
        double width, height, dpi;
    };
    const Target targets[] = {{"screen", ChartTarget::Screen, 826, 640, 96},
                              {"A4 at 600 dpi", ChartTarget::Printer, 4960, 7016, 600}};
    for (const Target& t : targets) {
        SCOPED_TRACE(t.name);
        ChartRequest request;
        request.pupil = 1;
        request.levels = {1, 2, 3};
        request.target = t.target;
        request.width = t.width;
        request.height = t.height;
        request.dpi = t.dpi;
        const ChartDrawing d =
            BuildChart(ChartParts{school.state.program, school.state.roster, school.state.Stats,
                                  school.state.session.CurrentStudent},
                       *records, kNow, request);
        int texts = 0;
        for (const ChartPrimitive& p : d.primitives) {
            if (p.kind != ChartPrimitive::Kind::Text || p.text.trimmed().isEmpty())
                continue;
            ++texts;
            const QRectF box = ChartTextBox(p, t.dpi).adjusted(-0.5, -0.5, 0.5, 0.5);
            const std::vector<QPoint> ink = inkOf(p, t.target, t.dpi);
            EXPECT_FALSE(ink.empty()) << p.text.toStdString();
            for (QPoint at : ink) {
                if (!box.contains(QPointF(at) + QPointF(0.5, 0.5))) {
                    ADD_FAILURE() << p.text.toStdString() << " inks " << at.x() << "," << at.y()
                                  << " outside its box " << box.x() << "," << box.y() << " "
                                  << box.width() << "×" << box.height();
                    break;
                }
            }
        }
        EXPECT_GT(texts, 3 * 15);
    }
}

// No two texts of a chart ink the same pixel: painted alone, one after the other, on the
// surface of the chart panel and on paper, for the charts whose labels used to meet (the first
// run the slowest, its time beside the axis-top label; a single run, whose first and last date
// are one) and for a long row of bests.
TEST_F(ChartForms, NoTwoTextsInkTheSamePixel) {
    SharedState state;
    SharedFolderStore store{state.installation};
    SetProgramTitle(state.program);
    DefineLevelTables(state.program);
    state.roster.RosterNames[1] = QStringLiteral("山田");
    struct Case {
        const char* name;
        std::vector<int> times;
        ChartTarget target = ChartTarget::Screen;
        double width = 826, height = 640, dpi = 96;
    };
    std::vector<int> manyBests;
    for (int t = 90; t >= 70; --t)
        manyBests.push_back(t);
    const Case cases[] = {
        {"one run", {60}},
        {"one run at the top of its axis", {89}},
        {"first run the slowest, at the top of the axis", {89, 70, 75}},
        {"first run 83 s on a 90 s axis", {83, 70}},
        {"21 successive bests", manyBests},
        {"one run on paper", {89}, ChartTarget::Printer, 4960, 7016, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<ResultsRecord> records;
        int daysAgo = int(c.times.size());
        for (int t : c.times)
            records.push_back(run(1, 1, t, daysAgo--));
        ChartRequest request;
        request.pupil = 1;
        request.levels = {1, 2};
        request.target = c.target;
        request.width = c.width;
        request.height = c.height;
        request.dpi = c.dpi;
        const ChartDrawing d = BuildChart(
            ChartParts{state.program, state.roster, state.Stats, state.session.CurrentStudent},
            records, kNow, request);
        if (c.target == ChartTarget::Screen) {
            QImage page(int(c.width), int(c.height), QImage::Format_RGB32);
            page.fill(Qt::white);
            QPainter painter(&page);
            paintChart(painter, ChartPage(d, 0), c.target, c.dpi);
            painter.end();
            saveScreenshot(page, QStringLiteral("chart-texts-%1").arg(&c - cases));
        }
        std::map<std::pair<int, int>, QString> inked;
        for (const ChartPrimitive& p : ChartPage(d, 0)) {
            if (p.kind != ChartPrimitive::Kind::Text)
                continue;
            int shared = 0;
            QString other;
            for (QPoint at : inkOf(p, c.target, c.dpi)) {
                auto [it, fresh] = inked.try_emplace({at.x(), at.y()}, p.text);
                if (!fresh) {
                    ++shared;
                    other = it->second;
                }
            }
            EXPECT_EQ(shared, 0) << p.text.toStdString() << " inks " << shared << " pixels of "
                                 << other.toStdString();
        }
    }
}

// "グラフ": levels 1 to 3 on the surface, the pupil list hidden; four levels then show only the
// fourth block.
TEST_F(ChartForms, PanelShowsTheChartOfLevelsOneToThree) {
    School school;
    PdfChartPrinter printer(artefactFolder(), school.clock);
    ChartPanel panel(menuParts(school.state, school.store), school.clock, school.waiter,
                     school.dialogs, printer);
    panel.resize(1008, 644);
    panel.fillLists();
    auto* list2 = control<QListWidget>(&panel, "List2");
    auto* list3 = control<QListWidget>(&panel, "List3");
    ASSERT_TRUE(list2 && list3);
    ASSERT_EQ(list2->count(), 4);
    EXPECT_EQ(list2->item(0)->text(), QStringLiteral("小３ /  山田太郎/1"));
    ASSERT_EQ(list3->count(), 5);
    panel.show();
    panel.showFor(1);
    EXPECT_FALSE(list2->isVisible());
    EXPECT_TRUE(control<QPushButton>(&panel, "Command25")->isVisible());
    EXPECT_FALSE(control<QPushButton>(&panel, "Command24_1")->isVisible());
    ASSERT_EQ(int(ChartPanelTestPeer::drawing(panel).blocks.size()), 3);
    EXPECT_EQ(ChartPanelTestPeer::drawing(panel).blocks[2].level, 3);
    saveScreenshot(panel, QStringLiteral("chart-panel"));

    auto* surface = control<ChartSurface>(&panel, "Picture12");
    ASSERT_NE(surface, nullptr);
    QImage painted = surface->grab().toImage();
    EXPECT_GT(countPixels(painted, painted.rect(), isRed), 20);

    list3->item(3)->setSelected(true);
    QTest::mouseClick(control<QPushButton>(&panel, "Command24_0"), Qt::LeftButton);
    EXPECT_EQ(ChartPanelTestPeer::drawing(panel).pages, 2);
    for (const ChartPrimitive& p : ChartPanelTestPeer::page(*surface))
        EXPECT_EQ(p.level, 4);

    // "他の人のデータを見る", then a click on another pupil draws that pupil.
    QTest::mouseClick(control<QPushButton>(&panel, "Command25"), Qt::LeftButton);
    EXPECT_TRUE(list2->isVisible());
    list2->item(1)->setSelected(true);
    emit list2->itemClicked(list2->item(1));
    EXPECT_EQ(ChartPanelTestPeer::chartPupil(panel), 2);

    QSignalSpy closed(&panel, &ChartPanel::closed);
    QTest::mouseClick(control<QPushButton>(&panel, "Command18"), Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(panel.isVisible());
}

// Three pupils, four levels: three PDF files of two pages, the name on both pages; the panel
// tells where the files went.
TEST_F(ChartForms, PrintsOneTwoPageFilePerPupil) {
    School school;
    QTemporaryDir out;
    PdfChartPrinter printer(out.path() + QStringLiteral("/印刷"), school.clock);
    ChartPanel panel(menuParts(school.state, school.store), school.clock, school.waiter,
                     school.dialogs, printer);
    panel.resize(1008, 644);
    panel.setTeacher(true);
    panel.fillLists();
    panel.show();
    auto* list2 = control<QListWidget>(&panel, "List2");
    auto* list3 = control<QListWidget>(&panel, "List3");
    ASSERT_TRUE(list2 && list3);
    for (int i = 0; i < 4; ++i)
        list3->item(i)->setSelected(true);
    for (int i = 0; i < 3; ++i)
        list2->item(i)->setSelected(true);
    auto* print = control<QPushButton>(&panel, "Command24_1");
    ASSERT_TRUE(print->isVisible());
    QTest::mouseClick(print, Qt::LeftButton);

    ASSERT_EQ(printer.writtenFiles().size(), 3);
    ASSERT_EQ(int(school.dialogs.shown.size()), 1);
    EXPECT_TRUE(school.dialogs.shown[0].text.contains(QStringLiteral("印刷")));

    const QStringList names{QStringLiteral("山田太郎"), QStringLiteral("佐藤花子"),
                            QStringLiteral("鈴木一郎")};
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    for (int i = 0; i < 3; ++i) {
        const QString file = printer.writtenFiles()[i];
        EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
        EXPECT_TRUE(file.contains(names[i])) << file.toStdString();
        if (pdfinfo.isEmpty() || pdftotext.isEmpty())
            continue;
        QProcess info;
        info.start(pdfinfo, {file});
        ASSERT_TRUE(info.waitForFinished());
        const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
        EXPECT_TRUE(infoText.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
            << infoText.toStdString();
        EXPECT_TRUE(infoText.contains(QStringLiteral("595.")) ||
                    infoText.contains(QStringLiteral("A4")))
            << infoText.toStdString();
        for (int page = 1; page <= 2; ++page) {
            QProcess text;
            text.start(pdftotext,
                       {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                        QString::number(page), file, QStringLiteral("-")});
            ASSERT_TRUE(text.waitForFinished());
            // The PDF's text maps some kanji to their look-alike radicals (山 as ⼭):
            // compare in compatibility form.
            const QString pageText = QString::fromUtf8(text.readAllStandardOutput())
                                         .normalized(QString::NormalizationForm_KC);
            EXPECT_TRUE(pageText.contains(names[i])) << pageText.toStdString();
        }
    }
    if (!printer.writtenFiles().isEmpty())
        QFile::copy(printer.writtenFiles()[0], artefactFolder() + QStringLiteral("/sheet.pdf"));
}

// Wrong answers of 山田太郎 (1) on levels 1 and 2 and of 佐藤花子 (2) on level 1: level 1 of
// 山田 has the point in the wrong place twice (once today, once 20 days ago) and the digits
// lined up at the right once.
void writeMistakes(School& school) {
    const QDate today = kNow.date();
    std::vector<MistakeRecord> lines{
        testMistake(1, 1, QStringLiteral("30.7"), MistakeKind::PointPosition, today.addDays(-20)),
        testMistake(1, 1, QStringLiteral("0.1"), MistakeKind::PlaceAlignment, today.addDays(-1)),
        testMistake(1, 1, QStringLiteral("0.307"), MistakeKind::PointPosition, today),
        testMistake(1, 2, QStringLiteral("3.7"), MistakeKind::Zero, today),
        testMistake(2, 1, QStringLiteral("4"), MistakeKind::Typo, today),
    };
    ASSERT_TRUE(appendMistakes(mistakesFile(school.state.installation), lines, school.waiter).ok());
}

QString boxText(QWidget* panel, const char* name) {
    auto* label = control<QLabel>(panel, name);
    return label ? label->text() : QString();
}

// The teacher sees the chart pupil's mistakes right of the chart, within the window the box
// chooses, read once for the display: another window reads nothing again.
TEST_F(ChartForms, TeachersSeeThePupilsMistakesBesideTheChart) {
    School school;
    writeMistakes(school);
    school.state.roster.RosterNames[1] = QStringLiteral("山田太郎");
    school.state.roster.RosterNames[2] = QStringLiteral("佐藤花子");
    PdfChartPrinter printer(artefactFolder(), school.clock);
    ChartPanel panel(menuParts(school.state, school.store), school.clock, school.waiter,
                     school.dialogs, printer);
    panel.resize(1008, 622);
    panel.setTeacher(true);
    std::vector<std::tuple<int, int, int>> worksheets;
    panel.setWorksheetPrinter([&](int pupil, int level, int kind, SheetPrinterPort&) -> Status {
        worksheets.emplace_back(pupil, level, kind);
        return Ok{};
    });
    panel.fillLists();
    panel.show();
    panel.showFor(1);
    auto* worksheetButton = control<QPushButton>(&panel, "worksheetButton");
    ASSERT_NE(worksheetButton, nullptr);
    EXPECT_FALSE(worksheetButton->isVisible()) << "no answers, nothing to aim at";
    auto* box = control<MistakesBox>(&panel, "mistakesBox");
    auto* surface = control<ChartSurface>(&panel, "Picture12");
    ASSERT_TRUE(box && surface);
    ASSERT_TRUE(box->isVisible());
    EXPECT_FALSE(box->geometry().intersects(surface->geometry())) << "the box covers the chart";
    EXPECT_GE(box->geometry().left(), surface->geometry().right());
    EXPECT_TRUE(panel.rect().contains(box->geometry()));
    EXPECT_EQ(boxText(&panel, "mistakesHeading"), QStringLiteral("山田太郎さん（最近１ヶ月）"));
    EXPECT_EQ(boxText(&panel, "mistakesTotal"), QStringLiteral("全レベルの間違い 4回"));
    const QString kinds = boxText(&panel, "mistakesKinds");
    EXPECT_TRUE(kinds.contains(QStringLiteral("<b>小数点の位置</b>　2回"))) << kinds.toStdString();
    EXPECT_TRUE(kinds.contains(QStringLiteral("0.07 ＋ 3 → 0.307"))) << kinds.toStdString();
    EXPECT_TRUE(kinds.contains(QStringLiteral("0.07 ＋ 3 → 30.7"))) << kinds.toStdString();
    EXPECT_LT(kinds.indexOf(QStringLiteral("小数点の位置")),
              kinds.indexOf(QStringLiteral("位取り")))
        << "the most frequent first";
    EXPECT_FALSE(kinds.contains(QStringLiteral("0.07 ＋ 3 → 4"))) << "佐藤's mistake";
    EXPECT_FALSE(kinds.contains(QStringLiteral("定着"))) << "no answers, no verdict";

    // With the answers of the window: the ways of working that show again and again first.
    std::vector<AnswerRecord> answers =
        systematicAnswers(1, 1, MistakeKind::PlaceAlignment, 5, 4, kNow.date());
    for (const AnswerRecord& a : systematicAnswers(1, 2, MistakeKind::Zero, 6, 1, kNow.date()))
        answers.push_back(a);
    school.inst.writeBytes(answersFile(school.state.installation), answersFileBytes(answers));
    panel.showFor(1);
    const QString withVerdicts = boxText(&panel, "mistakesKinds");
    EXPECT_TRUE(withVerdicts.contains(QStringLiteral("<b>定着：位取り 4/5</b>")))
        << withVerdicts.toStdString();
    EXPECT_TRUE(withVerdicts.contains(QStringLiteral("たまに：ゼロ 1/6")));
    EXPECT_LT(withVerdicts.indexOf(QStringLiteral("定着")),
              withVerdicts.indexOf(QStringLiteral("小数点の位置")));
    // 弱点プリント: one worksheet for the way of working that is 定着, on its level.
    ASSERT_TRUE(worksheetButton->isVisible());
    EXPECT_EQ(worksheetButton->text(), QStringLiteral("弱点プリント"));
    saveScreenshot(panel, QStringLiteral("chart-panel-verdicts"));
    QTest::mouseClick(worksheetButton, Qt::LeftButton);
    EXPECT_EQ(worksheets,
              (std::vector<std::tuple<int, int, int>>{{1, 1, int(MistakeKind::PlaceAlignment)}}));
    saveScreenshot(panel, QStringLiteral("chart-panel-mistakes"));

    // This week: the mistake of 20 days ago is left out, from what was read before.
    ASSERT_TRUE(QFile::remove(mistakesFile(school.state.installation)));
    auto* window = control<QComboBox>(&panel, "mistakeWindow");
    ASSERT_NE(window, nullptr);
    window->setCurrentIndex(0);
    emit window->activated(0);
    EXPECT_EQ(boxText(&panel, "mistakesHeading"), QStringLiteral("山田太郎さん（今週）"));
    EXPECT_EQ(boxText(&panel, "mistakesTotal"), QStringLiteral("全レベルの間違い 3回"));

    // Another pupil: the file is read again for the display, and it is gone now.
    writeMistakes(school);
    QTest::mouseClick(control<QPushButton>(&panel, "Command25"), Qt::LeftButton);
    auto* list2 = control<QListWidget>(&panel, "List2");
    list2->item(1)->setSelected(true);
    emit list2->itemClicked(list2->item(1));
    EXPECT_EQ(boxText(&panel, "mistakesHeading"), QStringLiteral("佐藤花子さん（今週）"));
    EXPECT_EQ(boxText(&panel, "mistakesTotal"), QStringLiteral("全レベルの間違い 1回"));
    EXPECT_TRUE(boxText(&panel, "mistakesKinds").contains(QStringLiteral("0.07 ＋ 3 → 4")));
}

TEST_F(ChartForms, PupilsSeeNoMistakesBox) {
    School school;
    writeMistakes(school);
    PdfChartPrinter printer(artefactFolder(), school.clock);
    ChartPanel panel(menuParts(school.state, school.store), school.clock, school.waiter,
                     school.dialogs, printer);
    panel.resize(1008, 622);
    panel.fillLists();
    panel.show();
    panel.showFor(1);
    EXPECT_FALSE(control<MistakesBox>(&panel, "mistakesBox")->isVisible());
    EXPECT_GT(control<ChartSurface>(&panel, "Picture12")->width(), 800);
}

TEST_F(ChartForms, AMistakesFileThatCannotBeReadIsSaidInTheBox) {
    School school;
    ASSERT_TRUE(
        QDir().mkpath(mistakesFile(school.state.installation))); // a folder in the file's place
    PdfChartPrinter printer(artefactFolder(), school.clock);
    ChartPanel panel(menuParts(school.state, school.store), school.clock, school.waiter,
                     school.dialogs, printer);
    panel.resize(1008, 622);
    panel.setTeacher(true);
    panel.fillLists();
    panel.show();
    panel.showFor(1);
    EXPECT_EQ(boxText(&panel, "mistakesTotal"), QStringLiteral("誤答記録を読めません。"));
    EXPECT_EQ(ChartPanelTestPeer::drawing(panel).blocks.size(), 3u) << "the chart still shows";
    EXPECT_TRUE(school.dialogs.shown.empty());
}

// The printed sheet has a line of the pupil's mistakes for every level, in the box's window.
TEST_F(ChartForms, PrintedSheetsCarryTheMistakesLineOfEveryLevel) {
    School school;
    writeMistakes(school);
    QTemporaryDir out;
    PdfChartPrinter printer(out.path() + QStringLiteral("/印刷"), school.clock);
    ChartPanel panel(menuParts(school.state, school.store), school.clock, school.waiter,
                     school.dialogs, printer);
    panel.resize(1008, 622);
    panel.setTeacher(true);
    panel.fillLists();
    panel.show();
    panel.showFor(1);
    QTest::mouseClick(control<QPushButton>(&panel, "Command24_1"), Qt::LeftButton);
    ASSERT_EQ(printer.writtenFiles().size(), 1);
    const QString file = printer.writtenFiles()[0];
    QFile::remove(artefactFolder() + QStringLiteral("/sheet-mistakes.pdf"));
    QFile::copy(file, artefactFolder() + QStringLiteral("/sheet-mistakes.pdf"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QProcess text;
    text.start(pdftotext, {file, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished());
    const QString pageText = QString::fromUtf8(text.readAllStandardOutput())
                                 .normalized(QString::NormalizationForm_KC)
                                 .remove(u' ');
    for (const char* line :
         {"間違いの傾向:小数点の位置2回、位取り1回", "間違いの傾向:ゼロ1回", "間違いの傾向:なし"}) {
        const QString wanted =
            QString::fromUtf8(line).normalized(QString::NormalizationForm_KC).remove(u' ');
        EXPECT_TRUE(pageText.contains(wanted)) << line << " is not on the sheet:\n"
                                               << pageText.toStdString();
    }
}

} // namespace
