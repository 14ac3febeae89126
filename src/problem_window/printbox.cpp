#include "printbox.h"

#include "fonts.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// A new box prints in this size until told otherwise.
constexpr double DefaultPointSize = 9;

} // namespace

PrintBox::PrintBox(QWidget *parent)
    : QFrame(parent)
    , m_font(fonts::japaneseGothic(DefaultPointSize))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    cls();
}

void PrintBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    if (m_surface.size() != contentsRect().size()) {
        QImage larger(contentsRect().size(), QImage::Format_RGB32);
        larger.fill(Qt::white);
        QPainter(&larger).drawImage(0, 0, m_surface);
        m_surface = larger;
    }
}

void PrintBox::cls()
{
    m_surface = QImage(contentsRect().size().expandedTo({1, 1}), QImage::Format_RGB32);
    m_surface.fill(Qt::white);
    m_printY = 0;
    m_printed.clear();
    update();
}

void PrintBox::setFontSize(double pointSize)
{
    m_font.setPointSizeF(pointSize);
}

void PrintBox::setFontStretch(int percent)
{
    m_font.setStretch(percent);
}

void PrintBox::setForeColor(const QColor &color)
{
    m_color = color;
}

void PrintBox::print(const QString &text)
{
    // The surface has the screen's resolution, so points map to the same
    // pixels as on the screen.
    const QFontMetrics metrics(m_font, &m_surface);
    if (!text.isEmpty()) {
        QPainter painter(&m_surface);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(m_font);
        painter.setPen(m_color);
        painter.drawText(QPoint(0, m_printY + metrics.ascent()), text);
    }
    m_printY += metrics.height();
    m_printed.append({text, m_color, m_font.pointSizeF()});
    update();
}

void PrintBox::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.drawImage(contentsRect().topLeft(), m_surface);
    }
    QFrame::paintEvent(event);
}
