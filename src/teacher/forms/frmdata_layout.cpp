// The records browser's controls: the record list, the edit panel, the free-text box and the
// buttons; where each stands, how it looks, and which handler of frmdata.cpp it calls.

#include "frame/forms/controls.h"
#include "frame/forms/fonts.h"
#include "frame/forms/textlist.h"
#include "teacher/forms/frmdata.h"
#include "teacher/recordeditor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace zanfolio {

void FrmData::buildControls() {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(232, 238, 244));
    setPalette(pal);

    Label4 = makeLabel(this, "Label4", QString(), QRect(12, 8, 300, 26), japaneseFont(12));
    Label5 = makeLabel(this, "Label5", QStringLiteral("ダブルクリックすると変更、消去できます"),
                       QRect(320, 8, 400, 26), japaneseFont(11));

    List1 = new TextList(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(monospacedJapaneseFont(10));
    List1->setGeometry(12, 38, 652, 522);
    connect(List1, &TextList::rowClicked, this, [this] { hideEditPanel(); });
    connect(List1, &TextList::rowDoubleClicked, this, [this](int row) { OpenRecordEditor(row); });

    Picture3 = new QWidget(this);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setGeometry(676, 38, 336, 522);
    Picture3->setAutoFillBackground(true);
    QPalette panel = Picture3->palette();
    panel.setColor(QPalette::Window, QColor(250, 246, 228));
    Picture3->setPalette(panel);

    Label1 = makeLabel(Picture3, "Label1", QString(), QRect(12, 12, 150, 28), japaneseFont(13));
    Label1->setFrameShape(QFrame::Panel);
    Label1->setFrameShadow(QFrame::Sunken);
    for (int i : {1, 2, 4}) {
        Label2[size_t(i)] = makeLabel(
            Picture3, nullptr, QString(),
            QRect(i == 2 ? 130 : 12, i == 4 ? 84 : 50, i == 2 ? 140 : 110, 26), japaneseFont(12));
        Label2[size_t(i)]->setObjectName(QStringLiteral("Label2_%1").arg(i));
    }
    Text1 = new QLineEdit(Picture3);
    Text1->setObjectName(QStringLiteral("Text1_1"));
    Text1->setFont(japaneseFont(13));
    Text1->setGeometry(12, 124, 120, 32);
    Label6 = makeLabel(Picture3, "Label6", QStringLiteral("秒"), QRect(138, 124, 30, 32),
                       japaneseFont(13));

    VScroll1 = new QScrollBar(Qt::Vertical, Picture3);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setRange(0, kTimeScrollMaximum);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(10);
    VScroll1->setGeometry(292, 12, 26, 330);
    connect(VScroll1, &QScrollBar::valueChanged, this, &FrmData::VScroll1_Change);

    Combo1 = new QComboBox(Picture3);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setFont(japaneseFont(12));
    Combo1->setGeometry(12, 176, 270, 32);
    Combo1->setMaxVisibleItems(20);
    connect(Combo1, &QComboBox::activated, this, &FrmData::Combo1_Click);

    Command2 =
        makeButton(Picture3, "Command2", QStringLiteral("変更して記録"), QRect(12, 232, 200, 46));
    Command3 = makeButton(Picture3, "Command3", QStringLiteral("消去"), QRect(12, 292, 200, 46));
    connect(Command2, &QPushButton::clicked, this, &FrmData::SaveRecordChange);
    connect(Command3, &QPushButton::clicked, this, &FrmData::DeleteSelectedRecord);
    Picture3->hide();

    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setFont(japaneseFont(11));
    RichTextBox1->setAcceptRichText(false);
    RichTextBox1->setTabChangesFocus(true); // Tab goes on to the buttons, as everywhere
    RichTextBox1->setGeometry(12, 572, 652, 184);

    Command17 = makeButton(this, "Command17", QStringLiteral("印刷"), QRect(676, 572, 150, 46));
    connect(Command17, &QPushButton::clicked, this, &FrmData::PrintText);
    Command16 =
        makeButton(this, "Command16", QStringLiteral("ファイル化"), QRect(676, 630, 150, 46));
    connect(Command16, &QPushButton::clicked, this, &FrmData::ExportRecords);
    Label8 = makeLabel(this, "Label8", QStringLiteral("後で加工して印刷できます"),
                       QRect(676, 680, 240, 24));
    Command4 = makeButton(this, "Command4", QStringLiteral("戻る"), QRect(862, 710, 150, 46));
    connect(Command4, &QPushButton::clicked, this, &FrmData::Command4_Click);
}

} // namespace zanfolio
