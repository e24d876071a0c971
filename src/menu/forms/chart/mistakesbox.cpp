#include "menu/forms/chart/mistakesbox.h"

#include "frame/forms/fonts.h"
#include "frame/forms/palette.h"
#include "menu/datewindow.h"
#include "results/diagnosis.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zanfolio {

namespace {

QLabel* boxLabel(QWidget* parent, const char* name, double pointSize) {
    auto* label = new QLabel(parent);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    label->setFont(japaneseFont(pointSize));
    label->setWordWrap(true);
    return label;
}

} // namespace

MistakesBox::MistakesBox(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("mistakesBox"));
    setFixedWidth(kWidth);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0xfb, 0xfa, 0xf4));
    setPalette(look);

    QLabel* caption = boxLabel(this, nullptr, 13);
    caption->setText(QStringLiteral("間違いの傾向"));
    caption->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(kInk));
    mistakeWindow = new QComboBox(this);
    mistakeWindow->setObjectName(QStringLiteral("mistakeWindow"));
    mistakeWindow->setFont(japaneseFont(10));
    mistakeWindow->addItems(mistakeWindowEntries());
    mistakeWindow->setCurrentIndex(kDefaultDateWindowChoice - 1);
    mistakeWindow->setToolTip(QStringLiteral("数える期間を選びます"));
    connect(mistakeWindow, &QComboBox::activated, this, [this] { emit windowChosen(); });
    mistakesHeading = boxLabel(this, "mistakesHeading", 11);
    mistakesTotal = boxLabel(this, "mistakesTotal", 11);
    mistakesTotal->setStyleSheet(QStringLiteral("color: %1;").arg(kInk));
    mistakesKinds = boxLabel(this, "mistakesKinds", 10);
    mistakesKinds->setTextFormat(Qt::RichText);
    mistakesKinds->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The kinds scroll when a pupil has made every kind of mistake and the box is short.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(mistakesKinds);
    scroll->viewport()->setAutoFillBackground(false);
    mistakesKinds->setAutoFillBackground(false);

    auto* top = new QHBoxLayout;
    top->addWidget(caption, 1);
    top->addWidget(mistakeWindow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(mistakesHeading);
    layout->addWidget(mistakesTotal);
    layout->addWidget(scroll, 1);
}

int MistakesBox::windowChoice() const {
    return mistakeWindow->currentIndex() + 1;
}

void MistakesBox::setWindowChoice(int choice) {
    // A choice the box does not have stands for one month, as in the menu's date windows.
    const bool known = choice >= 1 && choice <= mistakeWindow->count();
    mistakeWindow->setCurrentIndex((known ? choice : kDefaultDateWindowChoice) - 1);
}

void MistakesBox::showView(const PupilMistakesView& view, const QStringList& verdicts) {
    mistakesHeading->setText(view.heading);
    mistakesTotal->setText(view.total);
    QString html;
    for (const QString& line : verdicts) {
        const bool systematic = line.startsWith(verdictLabel(Verdict::Systematic));
        html += QStringLiteral("<p style='margin-top:4px; margin-bottom:0px; color:%1;'>%2</p>")
                    .arg(systematic ? QStringLiteral("#a02020") : QStringLiteral("#404040"),
                         systematic ? QStringLiteral("<b>%1</b>").arg(line.toHtmlEscaped())
                                    : line.toHtmlEscaped());
    }
    for (const MistakeKindLine& k : view.kinds) {
        html += QStringLiteral("<p style='margin-top:6px; margin-bottom:0px;'>"
                               "<b>%1</b>　%2")
                    .arg(k.kind.toHtmlEscaped(), k.count.toHtmlEscaped());
        for (const QString& example : k.examples)
            html += QStringLiteral("<br>&nbsp;&nbsp;") + example.toHtmlEscaped();
        html += QStringLiteral("</p>");
    }
    if (!view.absent.isEmpty())
        html += QStringLiteral("<p style='margin-top:10px; color:#606060;'>%1</p>")
                    .arg(view.absent.toHtmlEscaped());
    mistakesKinds->setText(html);
}

void MistakesBox::showReading() {
    mistakesTotal->setText(QStringLiteral("読んでいます。お待ちください。"));
    mistakesKinds->clear();
    repaint();
}

void MistakesBox::showFailure(const QString& message) {
    mistakesHeading->clear();
    mistakesTotal->setText(QStringLiteral("誤答記録を読めません。"));
    mistakesKinds->setText(message.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")));
}

} // namespace zanfolio
