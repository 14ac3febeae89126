#include "answer/ourclasspicture.h"

#include "answer/answerpages.h"
#include "pictures/charts.h"
#include "pictures/picturefile.h"
#include "words/wording.h"

#include <QChart>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <memory>

namespace {

// "Our class" as a picture: the groups' counts as a table (as many rows as
// fit, then how many more), the class's verdict under it.
void paintClass(QPainter &painter, QRect area, const stats::Answer &answer, int textPx)
{
    QFont text = painter.font();
    text.setPixelSize(textPx);
    painter.setFont(text);
    painter.setPen(Qt::black);
    const int line = textPx * 3 / 2;
    QFont bold = text;
    bold.setBold(true);
    painter.setFont(bold);
    const QString verdict =
        answer.classCounts ? stats::classVerdict(answer) : AnswerPages::tr("No group's counts yet.");
    const QRect verdictArea =
        painter.boundingRect(QRect(area.left(), 0, area.width(), area.height()), Qt::TextWordWrap, verdict);
    const int columns[] = {area.left(), area.left() + area.width() * 3 / 10, area.left() + area.width() * 13 / 20};
    painter.drawText(QRect(columns[0], area.top(), area.width(), line),
                     AnswerPages::title(AnswerPages::Page::OurClass));
    int y = area.top() + line * 3 / 2;
    painter.drawText(QRect(columns[1], y, columns[2] - columns[1], line * 2), Qt::TextWordWrap,
                     stats::plainName(Scenario::BothWalk));
    painter.drawText(QRect(columns[2], y, area.right() - columns[2], line * 2), Qt::TextWordWrap,
                     stats::plainName(Scenario::DogWalks));
    y += line * 2;
    painter.setFont(text);
    const std::vector<stats::ClassGroup> groupsCounted =
        answer.classCounts ? answer.classCounts->groups : std::vector<stats::ClassGroup>{};
    const std::size_t groups = groupsCounted.size();
    const int room = std::max(1, (area.bottom() - verdictArea.height() - line * 2 - y) / line);
    const std::size_t shown = groups <= std::size_t(room) ? groups : std::size_t(room - 1);
    for (std::size_t g = 0; g < shown; ++g, y += line) {
        painter.drawText(QRect(columns[0], y, columns[1] - columns[0], line), AnswerPages::tr("Group %L1").arg(g + 1));
        for (Scenario s : stats::Scenarios) {
            const std::optional<int> &count = groupsCounted[g].counts[s];
            const int column = columns[s == Scenario::BothWalk ? 1 : 2];
            if (count)
                painter.drawText(QRect(column, y, textPx * 4, line), Qt::AlignRight, QLocale().toString(*count));
        }
    }
    if (shown < groups) {
        painter.drawText(QRect(columns[0], y, area.width(), line),
                         AnswerPages::tr("… and %Ln more group(s)", nullptr, int(groups - shown)));
        y += line;
    }
    // Each scenario's runs added up.
    if (answer.classCounts) {
        y += line / 2;
        for (Scenario s : stats::Scenarios) {
            const QString text = stats::classSumText(*answer.classCounts, s);
            const QRect room(area.left(), y, area.width(), area.bottom() - y);
            painter.drawText(room, Qt::TextWordWrap, text);
            y += painter.boundingRect(room, Qt::TextWordWrap, text).height() + line / 4;
        }
    }
    painter.drawText(QRect(area.left(), y + line / 2, area.width(), area.bottom() - y), Qt::TextWordWrap, verdict);
}

} // namespace

bool saveOurClass(const stats::Answer &answer, const QString &file, const QString &footer, QString &error)
{
    const QRect above(QPoint(), QSize(stats::PictureSize.width(), stats::footerArea(stats::PictureSize).top()));
    std::unique_ptr<QChart> chart(stats::lawChart(answer));
    return stats::savePicture(
        file, stats::PictureSize,
        [&](QPainter &painter) {
            painter.fillRect(QRect(QPoint(), stats::PictureSize), Qt::white);
            const QRect left = above.adjusted(40, 30, -above.width() * 11 / 20, -10);
            paintClass(painter, left, answer, stats::PictureTextPx);
            stats::paintChart(painter, *chart, QRectF(above.adjusted(above.width() * 9 / 20, 0, 0, 0)));
            stats::paintFooter(painter, stats::PictureSize, footer);
        },
        error);
}
