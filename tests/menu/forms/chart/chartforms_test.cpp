// The chart as painted: pixels sampled on a QImage at the places the model gives, the panel's
// surface after "グラフ" and "表示", and the printed sheets as PDF files through the printer port.

#include "frame/datafiles.h"
#include "frame/daycount.h"
#include "frame/programdefinition.h"
#include "menu/chartmodel.h"
#include "menu/forms/chart/chartpainter.h"
#include "menu/forms/chart/chartpanel.h"
#include "menu/forms/chart/chartprint.h"
#include "support/fakes.h"
#include "support/testfolder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zanfolio;
using namespace zanfolio::testing;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0));

ResultsRecord run(int pupil, int level, int time, int daysAgo) {
    ResultsRecord r;
    r.date = dayCount(kNow.date().addDays(-daysAgo));
    r.timeOfDay = 0.5;
    r.pupil = int16_t(pupil);
    r.level = int16_t(level);
    r.time = time;
    return r;
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

QString artefactFolder() {
    const QString dir = QDir::tempPath() + QStringLiteral("/chart-forms-test");
    QDir().mkpath(dir);
    return dir;
}

// A little school: three pupils on five levels, an installation with its roster and results.
struct School {
    School() {
        SetProgramTitle(state);
        DefineLevelTables(state);
        state.DataRoot = inst.dataRoot();
        state.ProgramDataDir = inst.programDataDir();
        state.SchoolYearStartMonth = 4;
        state.SchoolYear = 2026;
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
            state.RosterListedCount = p;
            state.RosterIndexByLine[size_t(p)] = p;
        }
        state.CurrentStudent = 1;
    }
    TestInstallation inst;
    SharedState state;
    FakeClock clock{kNow};
    RecordingWaiter waiter;
    ScriptedDialogs dialogs;
};

} // namespace

class ChartFormsTest : public QObject {
    Q_OBJECT

  private slots:
    // Runs of 60, 55, 58 and 50 s: red, red, blue, red discs where the model put them, and
    // nothing red or blue anywhere for a pupil without runs.
    void pointsPaintedInTheirColoursAtTheirPlaces() {
        SharedState state;
        SetProgramTitle(state);
        DefineLevelTables(state);
        state.RosterNames[1] = QStringLiteral("山田");
        state.RosterNames[2] = QStringLiteral("佐藤");
        std::vector<ResultsRecord> records{run(1, 1, 60, 4), run(1, 1, 55, 3), run(1, 1, 58, 2),
                                           run(1, 1, 50, 1)};
        QImage image(800, 600, QImage::Format_RGB32);
        ChartRequest request;
        request.levels = {1};
        request.width = image.width();
        request.height = image.height();

        for (int pupil : {1, 2}) {
            request.pupil = pupil;
            const ChartDrawing d = BuildChart(state, records, kNow, request);
            image.fill(Qt::white);
            QPainter painter(&image);
            paintChart(painter, d.primitives, ChartTarget::Screen, 96);
            painter.end();
            image.save(artefactFolder() + QStringLiteral("/points-%1.png").arg(pupil));

            std::vector<ChartPrimitive> points;
            for (const ChartPrimitive& p : d.primitives)
                if (p.role == ChartRole::RunPoint)
                    points.push_back(p);
            if (pupil == 2) {
                QVERIFY(points.empty());
                QCOMPARE(countPixels(image, image.rect(), isRed), 0);
                QCOMPARE(countPixels(image, image.rect(), isBlue), 0);
                QCOMPARE(d.blocks.at(0).textLines.at(0),
                         QStringLiteral("回数\u3000\u3000\u3000\u3000\u3000\u3000\u3000   回"));
                continue;
            }
            QCOMPARE(int(points.size()), 4);
            const bool red[] = {true, true, false, true};
            for (int i = 0; i < 4; ++i) {
                // The disc of 5 pixels around the centre; the lines joining the bests are
                // drawn over the red ones, so look at the whole disc, not its centre.
                const QPoint at = points[size_t(i)].at.toPoint();
                const QRect disc(at - QPoint(2, 2), QSize(5, 5));
                QVERIFY2(
                    countPixels(image, disc, red[i] ? isRed : isBlue) >= 4,
                    qPrintable(QStringLiteral("point %1 at %2,%3").arg(i).arg(at.x()).arg(at.y())));
                QCOMPARE(countPixels(image, disc, red[i] ? isBlue : isRed), 0);
            }
            // The blue disc lies under no red line: the bests are joined 1 → 2 → 4.
            QVERIFY(countPixels(image, image.rect(), isBlue) > 5);
        }
    }

    // A slowest run of 83 s: the time axis reaches 90, labelled "90秒" at its top.
    void timeAxisLabelledWithItsScale() {
        SharedState state;
        SetProgramTitle(state);
        DefineLevelTables(state);
        std::vector<ResultsRecord> records{run(1, 1, 83, 2), run(1, 1, 70, 1)};
        ChartRequest request;
        request.pupil = 1;
        request.levels = {1};
        request.width = 800;
        request.height = 600;
        const ChartDrawing d = BuildChart(state, records, kNow, request);
        QCOMPARE(d.blocks.at(0).yScale, 90);
        const ChartPrimitive* top = nullptr;
        for (const ChartPrimitive& p : d.primitives)
            if (p.role == ChartRole::AxisLabel && p.text == QStringLiteral("90秒"))
                top = &p;
        QVERIFY(top);
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintChart(painter, d.primitives, ChartTarget::Screen, 96);
        painter.end();
        // Ink right of the label's corner and left of the time axis.
        const QRect label(top->at.toPoint(), QSize(int(0.2 * 400 - top->at.x()) - 3, 10));
        QVERIFY(countPixels(image, label, isDark) > 5);
    }

    // "グラフ": levels 1 to 3 on the surface, the pupil list hidden; four levels then show
    // only the fourth block.
    void panelShowsTheChartOfLevelsOneToThree() {
        School school;
        PdfChartPrinter printer(artefactFolder(), school.clock);
        ChartPanel panel(school.state, school.clock, school.waiter, school.dialogs, printer);
        panel.resize(1008, 644);
        panel.fillLists();
        auto* list2 = panel.findChild<QListWidget*>(QStringLiteral("List2"));
        auto* list3 = panel.findChild<QListWidget*>(QStringLiteral("List3"));
        QVERIFY(list2 && list3);
        QCOMPARE(list2->count(), 4);
        QCOMPARE(list2->item(0)->text(), QStringLiteral("小３ /  山田太郎/1"));
        QCOMPARE(list3->count(), 5);
        panel.show();
        panel.showFor(1);
        QVERIFY(!list2->isVisible());
        QVERIFY(panel.findChild<QPushButton*>(QStringLiteral("Command25"))->isVisible());
        QVERIFY(!panel.findChild<QPushButton*>(QStringLiteral("Command24_1"))->isVisible());
        QCOMPARE(int(panel.drawing().blocks.size()), 3);
        QCOMPARE(panel.drawing().blocks[2].level, 3);
        panel.grab().save(artefactFolder() + QStringLiteral("/panel.png"));

        QImage surface = panel.surface()->grab().toImage();
        QVERIFY(countPixels(surface, surface.rect(), isRed) > 20);

        list3->item(3)->setSelected(true);
        QTest::mouseClick(panel.findChild<QPushButton*>(QStringLiteral("Command24_0")),
                          Qt::LeftButton);
        QCOMPARE(panel.drawing().pages, 2);
        for (const ChartPrimitive& p : panel.surface()->page())
            QCOMPARE(p.level, 4);

        // "他の人のデータを見る", then a click on another pupil draws that pupil.
        QTest::mouseClick(panel.findChild<QPushButton*>(QStringLiteral("Command25")),
                          Qt::LeftButton);
        QVERIFY(list2->isVisible());
        list2->item(1)->setSelected(true);
        emit list2->itemClicked(list2->item(1));
        QCOMPARE(panel.chartPupil(), 2);

        QSignalSpy closed(&panel, &ChartPanel::closed);
        QTest::mouseClick(panel.findChild<QPushButton*>(QStringLiteral("Command18")),
                          Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!panel.isVisible());
    }

    // Three pupils, four levels: three PDF files of two pages, the name on both pages; the
    // panel tells where the files went.
    void printsOneTwoPageFilePerPupil() {
        School school;
        QTemporaryDir out;
        PdfChartPrinter printer(out.path() + QStringLiteral("/印刷"), school.clock);
        ChartPanel panel(school.state, school.clock, school.waiter, school.dialogs, printer);
        panel.resize(1008, 644);
        panel.setTeacher(true);
        panel.fillLists();
        panel.show();
        auto* list2 = panel.findChild<QListWidget*>(QStringLiteral("List2"));
        auto* list3 = panel.findChild<QListWidget*>(QStringLiteral("List3"));
        for (int i = 0; i < 4; ++i)
            list3->item(i)->setSelected(true);
        for (int i = 0; i < 3; ++i)
            list2->item(i)->setSelected(true);
        auto* print = panel.findChild<QPushButton*>(QStringLiteral("Command24_1"));
        QVERIFY(print->isVisible());
        QTest::mouseClick(print, Qt::LeftButton);

        QCOMPARE(printer.writtenFiles().size(), 3);
        QCOMPARE(int(school.dialogs.shown.size()), 1);
        QVERIFY(school.dialogs.shown[0].text.contains(QStringLiteral("印刷")));

        const QStringList names{QStringLiteral("山田太郎"), QStringLiteral("佐藤花子"),
                                QStringLiteral("鈴木一郎")};
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        for (int i = 0; i < 3; ++i) {
            const QString file = printer.writtenFiles()[i];
            QVERIFY(QFileInfo::exists(file));
            QVERIFY(file.contains(names[i]));
            if (pdfinfo.isEmpty() || pdftotext.isEmpty())
                continue;
            QProcess info;
            info.start(pdfinfo, {file});
            QVERIFY(info.waitForFinished());
            const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
            QVERIFY2(infoText.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))),
                     qPrintable(infoText));
            QVERIFY(infoText.contains(QStringLiteral("595.")) ||
                    infoText.contains(QStringLiteral("A4")));
            for (int page = 1; page <= 2; ++page) {
                QProcess text;
                text.start(pdftotext,
                           {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                            QString::number(page), file, QStringLiteral("-")});
                QVERIFY(text.waitForFinished());
                // The PDF's text maps some kanji to their look-alike radicals (山 as ⼭):
                // compare in compatibility form.
                const QString pageText = QString::fromUtf8(text.readAllStandardOutput())
                                             .normalized(QString::NormalizationForm_KC);
                QVERIFY2(pageText.contains(names[i]), qPrintable(pageText));
            }
        }
        if (!printer.writtenFiles().isEmpty())
            QFile::copy(printer.writtenFiles()[0], artefactFolder() + QStringLiteral("/sheet.pdf"));
    }
};

QTEST_MAIN(ChartFormsTest)
#include "chartforms_test.moc"
