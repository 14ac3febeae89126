#include "answer/onerunpage.h"

#include "answer/answerpages.h"
#include "pictures/charts.h"
#include "pictures/picturefile.h"
#include "words/wording.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

// "One run of each": how often each way counts more, or they tie, as three
// bars across the whole width, each labelled with its chance; text in
// textPx pixels. The page and its saved picture both draw with it.
void paintOneRun(QPainter &painter, QRect area, const stats::Answer &answer, int textPx)
{
    const stats::OneRunEach &one = answer.runsEach.byRuns.front();
    struct Share
    {
        QString name;
        double chance;
        QColor color;
        Qt::BrushStyle fill;
    };
    const stats::Look &both = stats::lookOf(Scenario::BothWalk);
    const stats::Look &waits = stats::lookOf(Scenario::DogWalks);
    const std::array<Share, 3> shares{{{AnswerPages::tr("“%1” counts more").arg(stats::plainName(Scenario::BothWalk)),
                                        one.bothMore, both.color, both.fill},
                                       {AnswerPages::tr("A tie"), one.tie, QColor(0x99, 0x99, 0x99), Qt::Dense4Pattern},
                                       {AnswerPages::tr("“%1” counts more").arg(stats::plainName(Scenario::DogWalks)),
                                        one.oneMore, waits.color, waits.fill}}};
    QFont text = painter.font();
    text.setPixelSize(textPx);
    painter.setFont(text);
    painter.setPen(Qt::black);
    const int titleHeight = textPx * 3;
    painter.drawText(QRect(area.left(), area.top(), area.width(), titleHeight), Qt::AlignCenter | Qt::TextWordWrap,
                     AnswerPages::tr("One run of each, %L1 s each: which counts more meetings?").arg(answer.seconds));
    const int rowHeight = (area.height() - titleHeight) / 3;
    const int labelWidth = area.width() * 2 / 5;
    const int valueWidth = textPx * 5;
    const int barSpace = std::max(1, area.width() - labelWidth - valueWidth);
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const QRect row(area.left(), area.top() + titleHeight + int(i) * rowHeight, area.width(), rowHeight);
        painter.setPen(Qt::black);
        painter.drawText(QRect(row.left(), row.top(), labelWidth - textPx / 2, row.height()),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, shares[i].name);
        const QRect bar(row.left() + labelWidth, row.top() + row.height() / 5, int(barSpace * shares[i].chance),
                        row.height() * 3 / 5);
        painter.fillRect(bar, Qt::white);
        painter.fillRect(bar, QBrush(shares[i].color, shares[i].fill));
        painter.setPen(QPen(shares[i].color.darker(150), 2));
        painter.drawRect(bar);
        painter.setPen(Qt::black);
        painter.drawText(QRect(bar.right() + textPx / 2, row.top(), valueWidth, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, stats::percent(shares[i].chance));
    }
}

} // namespace

OneRunPage::OneRunPage(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(AnswerPages::title(AnswerPages::Page::OneRun));
    setFocusPolicy(Qt::StrongFocus);
}

void OneRunPage::setAnswer(const SharedAnswer &answer)
{
    m_answer = answer;
    setAccessibleDescription(QString());
    if (answer) {
        const stats::OneRunEach &one = answer->runsEach.byRuns.front();
        setAccessibleDescription(AnswerPages::tr("%1 counts more %2 of the time, a tie %3, %4 counts more %5")
                                     .arg(stats::plainName(Scenario::BothWalk), stats::percent(one.bothMore),
                                          stats::percent(one.tie), stats::plainName(Scenario::DogWalks),
                                          stats::percent(one.oneMore)));
    }
    update();
}

void OneRunPage::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The bars are worded as they are painted; their description is worded again.
    if (event->type() == QEvent::LanguageChange) {
        setAccessibleName(AnswerPages::title(AnswerPages::Page::OneRun));
        setAnswer(m_answer);
    }
}

void OneRunPage::paintEvent(QPaintEvent *)
{
    if (!m_answer)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    const int margin = fontInfo().pixelSize();
    paintOneRun(painter, rect().adjusted(margin, margin, -margin, -margin), *m_answer, fontInfo().pixelSize());
}

bool OneRunPage::save(const stats::Answer &answer, const QString &file, const QString &footer, QString &error)
{
    const QRect above(QPoint(), QSize(stats::PictureSize.width(), stats::footerArea(stats::PictureSize).top()));
    return stats::savePicture(
        file, stats::PictureSize,
        [&](QPainter &painter) {
            painter.fillRect(QRect(QPoint(), stats::PictureSize), Qt::white);
            paintOneRun(painter, above.adjusted(40, 40, -40, -20), answer, stats::PictureTitlePx);
            stats::paintFooter(painter, stats::PictureSize, footer);
        },
        error);
}
