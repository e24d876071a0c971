// The records browser against a results file of known bytes: what the list shows, what a
// change or delete writes, and how failures are said.

#include "frame/daycount.h"
#include "frame/forms/textlist.h"
#include "support/closingwaiter.h"
#include "support/control.h"
#include "support/screenharness.h"
#include "support/testrecords.h"
#include "teacher/forms/frmdata.h"
#include "teacher/forms/frmdatapeer.h"
#include "teacher/recordlist.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace zanfolio::testing {
namespace {

class FakePorts final : public BrowserPorts {
  public:
    bool printTextBox(QWidget*, QTextEdit& box, bool offerSelection) override {
        printed.push_back({box.toPlainText(), offerSelection});
        return true;
    }
    QString chooseExportFile(QWidget*, const QString&) override { return exportPath; }
    std::vector<std::pair<QString, bool>> printed;
    QString exportPath;
};

ResultsRecord makeRecord(int pupil, int level, int time, const char* school = "00123") {
    return testRecord(pupil, level, time)
        .date(dayCount(QDate(2026, 12, 1)) + pupil % 3)
        .timeOfDay(dayFraction(QTime(10, 30)))
        .schoolCode(QString::fromLatin1(school));
}

class RecordsBrowser : public ::testing::Test {
  protected:
    void SetUp() override {
        h.install.writeLines(h.install.rosterPath(),
                             {QStringLiteral("12,2015,0,0,山田　花子,0,,"),
                              QStringLiteral("13,2014,0,0,佐藤　一郎,0,,"),
                              QStringLiteral("14,2019,0,0,鈴木　次郎,0,,")});
    }

    // Records as bytes: the spare field of record 1 holds bytes no writer of ours produces, so
    // that a rewrite that rebuilds the record instead of giving it back shows.
    void writeRecords(const std::vector<ResultsRecord>& records, const QByteArray& tail = {}) {
        QByteArray bytes;
        for (const ResultsRecord& r : records)
            bytes += r.encode();
        if (!records.empty())
            bytes.replace(ResultsRecord::kSpareOffset, 5, "ABCDE");
        bytes += tail;
        h.install.writeBytes(h.install.resultsPath(), bytes);
    }

    void open() {
        h.context.navigate.showResultsMenu = [this] { ++menuShown; };
        h.host.replace(new FrmData(h.context, h.teacherParts(), &ports));
        h.processEvents();
        form = h.currentAs<FrmData>();
        ASSERT_NE(form, nullptr);
    }

    template <class T> T* control(const char* name) const {
        return zanfolio::testing::control<T>(form, name);
    }
    bool editPanelVisible() const { return FrmDataTestPeer::editPanelVisible(*form); }
    TextList* list() const { return control<TextList>("List1"); }
    QString countText() const { return control<QLabel>("Label4")->text(); }
    void click(const char* button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    void doubleClickRow(int row) {
        TextList* l = list();
        const QRect r = l->visualRect(l->model()->index(row, 0));
        // A double click as the system delivers it: press, release, double click, release.
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, r.center());
    }
    QByteArray fileBytes() const { return h.install.readBytes(h.install.resultsPath()); }
    void choosePupil(int pupil) {
        QComboBox* combo = control<QComboBox>("Combo1");
        const int index = combo->findData(pupil);
        ASSERT_GE(index, 0);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    ScreenHarness h;
    FakePorts ports;
    FrmData* form = nullptr;
    int menuShown = 0;
};

TEST_F(RecordsBrowser, ListsRecordsInFileOrderWithNamesGradesAndSchool) {
    ResultsRecord levelZero = makeRecord(12, 0, 50);
    writeRecords({makeRecord(13, 2, 45), makeRecord(12, 1, 99999), levelZero,
                  makeRecord(14, 3, 70, "99999")});
    open();
    EXPECT_EQ(countText(), QStringLiteral("総レコード数:4"));
    ASSERT_EQ(list()->count(), 4);
    EXPECT_TRUE(list()->isRowHidden(2)); // level 0 is not listed
    EXPECT_EQ(FrmDataTestPeer::listedNumbers(*form), (std::vector<int>{1, 2, 4}));
    EXPECT_TRUE(list()->text(0).startsWith(QStringLiteral("   1 ")));
    EXPECT_TRUE(list()->text(0).contains(QStringLiteral("佐藤　一郎　")));
    EXPECT_TRUE(list()->text(0).endsWith(QStringLiteral("小６++テスト塾")));
    EXPECT_TRUE(list()->text(1).contains(QStringLiteral("99999秒 ")));
    EXPECT_TRUE(list()->text(3).startsWith(QStringLiteral("   4 ")));
    EXPECT_TRUE(list()->text(3).endsWith(QStringLiteral("小１++他塾")));
    EXPECT_EQ(control<QComboBox>("Combo1")->count(), 3);
    EXPECT_EQ(control<QComboBox>("Combo1")->itemText(0), QStringLiteral("12 /  山田　花子"));
    EXPECT_FALSE(editPanelVisible());
}

TEST_F(RecordsBrowser, EmptyAndTornFilesShowTheirCountAndNothingOpens) {
    struct Case {
        int records;
        int tornBytes;
    };
    for (const Case c : {Case{0, 0}, Case{2, 10}}) {
        std::vector<ResultsRecord> records;
        for (int i = 0; i < c.records; ++i)
            records.push_back(makeRecord(12, 1, 40 + i));
        writeRecords(records, QByteArray(c.tornBytes, 'x'));
        open();
        EXPECT_EQ(countText(), recordCountText(c.records * 44 + c.tornBytes));
        EXPECT_EQ(list()->count(), c.records);
        FrmDataTestPeer::OpenRecordEditor(*form, c.records); // one past the last row
        EXPECT_FALSE(editPanelVisible());
    }
    EXPECT_EQ(countText(), QStringLiteral("総レコード数:2.22727272727273"));
}

struct ChangeCase {
    const char* name;
    QString timeBox; // empty: leave it
    int choosePupil; // 0: leave it
    int changedOffset, changedSize;
};

class RecordsBrowserChange : public RecordsBrowser,
                             public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(RecordsBrowserChange, WritesOnlyItsFieldAndGivesBackEveryOtherByte) {
    const ChangeCase& c = GetParam();
    writeRecords({makeRecord(12, 1, 45), makeRecord(13, 2, 99999), makeRecord(12, 3, 50)});
    open();
    const QByteArray before = fileBytes();
    doubleClickRow(0);
    ASSERT_TRUE(editPanelVisible());
    EXPECT_EQ(control<QLineEdit>("Text1_1")->text(), QStringLiteral("45"));
    EXPECT_EQ(control<QScrollBar>("VScroll1")->value(), 45);
    if (!c.timeBox.isEmpty())
        control<QLineEdit>("Text1_1")->setText(c.timeBox);
    if (c.choosePupil) {
        choosePupil(c.choosePupil);
        EXPECT_EQ(control<QLabel>("Label2_4")->text(), QStringLiteral("小６"));
    }
    click("Command2");
    EXPECT_TRUE(h.dialogs.shown.empty());

    const QByteArray after = fileBytes();
    ASSERT_EQ(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i) {
        const bool inField = i >= c.changedOffset && i < c.changedOffset + c.changedSize;
        if (!inField) {
            EXPECT_EQ(after[i], before[i]) << "byte " << i;
        }
    }
    EXPECT_NE(after.mid(c.changedOffset, c.changedSize),
              before.mid(c.changedOffset, c.changedSize));
    // Rebuilt from the file, the changed record selected and shown as stored.
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_TRUE(editPanelVisible());
    const ResultsRecord stored = h.records()[0];
    if (!c.timeBox.isEmpty()) {
        EXPECT_EQ(stored.time, 78); // 77.5 to the even neighbour
    }
    if (c.choosePupil) {
        EXPECT_EQ(stored.pupil, c.choosePupil);
        EXPECT_TRUE(list()->text(0).contains(QStringLiteral("佐藤　一郎")));
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, RecordsBrowserChange,
                         ::testing::Values(ChangeCase{"Time", QStringLiteral("77.5秒"), 0,
                                                      ResultsRecord::kTimeOffset, 4},
                                           ChangeCase{"Pupil", QString(), 13,
                                                      ResultsRecord::kPupilOffset, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordsBrowser, TimedOutRecordShowsItsTimeAndKeepsItUnlessEdited) {
    writeRecords({makeRecord(12, 1, 45), makeRecord(13, 2, 99999), makeRecord(12, 3, 7200)});
    open();
    const QByteArray before = fileBytes();
    for (int row : {1, 2}) {
        doubleClickRow(row);
        EXPECT_EQ(control<QLineEdit>("Text1_1")->text(),
                  row == 1 ? QStringLiteral("99999") : QStringLiteral("7200"));
        EXPECT_EQ(control<QScrollBar>("VScroll1")->value(), 6000);
        click("Command2");
        EXPECT_EQ(fileBytes(), before);
    }
    // Moving the bar writes its value into the box.
    control<QScrollBar>("VScroll1")->setValue(120);
    EXPECT_EQ(control<QLineEdit>("Text1_1")->text(), QStringLiteral("120"));
}

TEST_F(RecordsBrowser, ChooserWithoutSlashIsRefusedWithAMessage) {
    writeRecords({makeRecord(12, 1, 45)});
    open();
    const QByteArray before = fileBytes();
    doubleClickRow(0);
    control<QComboBox>("Combo1")->setEditText(QStringLiteral("13 佐藤"));
    click("Command2");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, QStringLiteral("生徒を選んでください。"));
    EXPECT_EQ(fileBytes(), before);
}

struct DeleteCase {
    int row;
    Dialogs::Answer answer;
    std::vector<int> remainingTimes;
    int selectedRow; // -1: selection left alone
};

class RecordsBrowserDelete : public RecordsBrowser,
                             public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(RecordsBrowserDelete, AsksThenSelectsTheRecordThatMovedIntoPlace) {
    const DeleteCase& c = GetParam();
    writeRecords({makeRecord(12, 1, 41), makeRecord(12, 1, 42), makeRecord(12, 1, 43)});
    open();
    doubleClickRow(c.row);
    h.dialogs.answers.push_back(c.answer);
    click("Command3");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].title, QStringLiteral("注意"));
    EXPECT_EQ(h.dialogs.shown[0].text, QStringLiteral("本当に消去しますか"));
    EXPECT_EQ(h.dialogs.shown[0].buttons, Dialogs::Buttons::OkCancel);
    std::vector<int> times;
    for (const ResultsRecord& r : h.records())
        times.push_back(r.time);
    EXPECT_EQ(times, c.remainingTimes);
    EXPECT_EQ(list()->count(), int(c.remainingTimes.size()));
    if (c.selectedRow >= 0) {
        EXPECT_EQ(list()->currentRow(), c.selectedRow);
        // The panel held the deleted record: it closes rather than act on its successor.
        EXPECT_FALSE(editPanelVisible());
    } else {
        EXPECT_TRUE(editPanelVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RecordsBrowserDelete,
                         ::testing::Values(DeleteCase{0, Dialogs::Answer::Ok, {42, 43}, 0},
                                           DeleteCase{1, Dialogs::Answer::Ok, {41, 43}, 1},
                                           DeleteCase{2, Dialogs::Answer::Ok, {41, 42}, 1},
                                           DeleteCase{
                                               1, Dialogs::Answer::Cancel, {41, 42, 43}, -1}));

TEST_F(RecordsBrowser, DeleteBehindAHiddenLevelZeroRecordSelectsTheFollowingRecord) {
    writeRecords({makeRecord(12, 1, 41), makeRecord(12, 0, 0), makeRecord(12, 1, 43),
                  makeRecord(12, 1, 44)});
    open();
    doubleClickRow(2); // record 3
    click("Command3");
    ASSERT_EQ(FrmDataTestPeer::listedNumbers(*form), (std::vector<int>{1, 3}));
    EXPECT_EQ(list()->currentRow(), 2); // record 3 is now the one that held 44 s
    EXPECT_TRUE(list()->text(list()->currentRow()).contains(QStringLiteral("   44秒")));
}

TEST_F(RecordsBrowser, ALongListOpensAtOnceAndItsLastRecordIsReachedByKeyChangeAndDelete) {
    // Longer than the list lays out at once: the rest is laid out as it is reached.
    constexpr int kRecords = TextList::kLayoutBatchRows * 2 + 5;
    std::vector<ResultsRecord> records(kRecords, makeRecord(12, 1, 41));
    writeRecords(records);
    open();
    ASSERT_EQ(list()->count(), kRecords);
    const auto inView = [this](int row) {
        const QRect r = list()->visualRect(list()->model()->index(row, 0));
        return r.isValid() && list()->viewport()->rect().contains(r.center());
    };
    EXPECT_TRUE(inView(0));
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_End);
    EXPECT_EQ(list()->currentRow(), kRecords - 1);
    EXPECT_TRUE(inView(kRecords - 1));
    QTest::keyClick(list(), Qt::Key_Home);
    EXPECT_TRUE(inView(0));

    // A correction of the last record leaves it selected and in view.
    list()->scrollToRow(kRecords - 1);
    doubleClickRow(kRecords - 1);
    ASSERT_TRUE(editPanelVisible());
    control<QLineEdit>("Text1_1")->setText(QStringLiteral("77"));
    click("Command2");
    EXPECT_EQ(h.records().back().time, 77);
    EXPECT_EQ(list()->currentRow(), kRecords - 1);
    EXPECT_TRUE(inView(kRecords - 1));
    EXPECT_TRUE(list()->text(kRecords - 1).contains(QStringLiteral("   77秒")));

    // A delete lists the file anew and selects the record before it, at once in view.
    click("Command3");
    ASSERT_EQ(list()->count(), kRecords - 1);
    EXPECT_EQ(list()->currentRow(), kRecords - 2);
    EXPECT_TRUE(inView(kRecords - 2));
}

TEST_F(RecordsBrowser, MissingRosterListsWithoutNamesAndSaysSoOnce) {
    QFile::remove(h.install.rosterPath());
    writeRecords({makeRecord(12, 1, 45), makeRecord(13, 1, 46)});
    open();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_TRUE(h.dialogs.shown[0].text.startsWith(QStringLiteral("名簿を読めませんでした。")));
    EXPECT_EQ(list()->count(), 2);
    doubleClickRow(0);
    control<QLineEdit>("Text1_1")->setText(QStringLiteral("50"));
    click("Command2");
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.records()[0].time, 50);
}

TEST_F(RecordsBrowser, UnreadableOrVanishedResultsFileIsSaidNotCrashed) {
    writeRecords({makeRecord(12, 1, 45)});
    open();
    doubleClickRow(0);
    const QString dataDir = h.install.programDataDir();
    ASSERT_TRUE(QDir().rename(dataDir, dataDir.chopped(1) + QStringLiteral("-away")));
    control<QLineEdit>("Text1_1")->setText(QStringLiteral("50"));
    click("Command2");
    ASSERT_FALSE(h.dialogs.shown.empty());
    EXPECT_TRUE(h.dialogs.shown[0].text.startsWith(QStringLiteral("記録できませんでした。")));
    h.dialogs.shown.clear();
    click("Command3");
    ASSERT_EQ(h.dialogs.shown.size(), 2u); // the question, then the failure
    EXPECT_TRUE(h.dialogs.shown[1].text.startsWith(QStringLiteral("消去できませんでした。")));
    ASSERT_TRUE(QDir().rename(dataDir.chopped(1) + QStringLiteral("-away"), dataDir));
    EXPECT_EQ(h.records().size(), 1u);
    EXPECT_EQ(h.records()[0].time, 45);

    // A results "file" that cannot be read at all: the list is empty and the count bare.
    QFile::remove(h.install.resultsPath());
    ASSERT_TRUE(QDir().mkdir(h.install.resultsPath()));
    h.dialogs.shown.clear();
    open();
    ASSERT_FALSE(h.dialogs.shown.empty());
    EXPECT_TRUE(
        h.dialogs.shown.back().text.startsWith(QStringLiteral("成績ファイルを読めませんでした。")));
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(countText(), QStringLiteral("総レコード数:"));
}

TEST_F(RecordsBrowser, ClosingTheWindowWhileADeleteWaitsEndsWithoutAWord) {
    // The shared folder goes away after the list was built; the delete waits for it, and the
    // teacher closes the window meanwhile.
    writeRecords({makeRecord(12, 1, 41), makeRecord(12, 1, 42), makeRecord(12, 1, 43)});
    ClosingWaiter waiter(h.host);
    AppContext context{h.clock, h.random, h.dialogs,         h.launcher,
                       waiter,  h.host,   h.context.navigate};
    h.host.replace(new FrmData(context, h.teacherParts(), &ports));
    h.processEvents();
    form = h.currentAs<FrmData>();
    ASSERT_NE(form, nullptr);
    doubleClickRow(1);
    const QString dataDir = h.install.programDataDir();
    ASSERT_TRUE(QDir().rename(dataDir, dataDir.chopped(1) + QStringLiteral("-away")));
    click("Command3");
    h.processEvents();
    EXPECT_GE(waiter.waits, 1);
    EXPECT_TRUE(h.host.ending());
    EXPECT_EQ(h.host.current(), nullptr);
    ASSERT_EQ(h.dialogs.shown.size(), 1u) << h.dialogs.shown.back().text.toStdString();
    EXPECT_EQ(h.dialogs.shown[0].text, QStringLiteral("本当に消去しますか"));
}

TEST_F(RecordsBrowser, ExportWritesTheListedRecordsAsCsv) {
    writeRecords({makeRecord(12, 1, 45), makeRecord(12, 0, 0), makeRecord(13, 2, 99999, "99999")});
    open();
    QTemporaryDir out;
    ports.exportPath = out.filePath(QStringLiteral("records.csv"));
    click("Command16");
    QFile f(ports.exportPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")); // the byte order mark spreadsheets look for
    const QStringList lines =
        QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("レコード番号,日付,時刻,生徒番号,名前,学年,レベル,"
                                       "レベル名,秒,結果,ポイント,塾,塾コード"));
    EXPECT_EQ(lines[1], QStringLiteral("1,2026/12/01,10:30:00,12,山田　花子,小５,1,足し算１,45,"
                                       "完了,4,テスト塾,00123"));
    EXPECT_EQ(lines[2], QStringLiteral("3,2026/12/02,10:30:00,13,佐藤　一郎,小６,2,引き算１,,"
                                       "時間切れ,0,他塾,99999"));
    ASSERT_EQ(h.dialogs.shown.size(), 1u); // "ファイルに書き出しました。"

    ports.exportPath.clear(); // cancelled: nothing written, nothing said
    click("Command16");
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
}

TEST_F(RecordsBrowser, PrintOffersTheSelectionOnlyWhenTextIsSelected) {
    writeRecords({});
    open();
    auto* box = control<QTextEdit>("RichTextBox1");
    box->setPlainText(QStringLiteral("連絡\n山田さん 45秒"));
    click("Command17");
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    click("Command17");
    ASSERT_EQ(ports.printed.size(), 2u);
    EXPECT_FALSE(ports.printed[0].second);
    EXPECT_TRUE(ports.printed[1].second);
}

TEST_F(RecordsBrowser, BackShowsTheMenu) {
    writeRecords({});
    open();
    click("Command4");
    EXPECT_EQ(menuShown, 1);
}

} // namespace
} // namespace zanfolio::testing
