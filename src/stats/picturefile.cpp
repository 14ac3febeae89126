#include "picturefile.h"

#include "savefile.h"

#include <QBuffer>
#include <QDate>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QSvgGenerator>

namespace stats {

namespace {

// An SVG's declared size: 1920 px at this resolution is about 25 cm wide.
constexpr int SvgDotsPerInch = 196;

} // namespace

bool savePicture(const QString &file, QSize size, const std::function<void(QPainter &)> &paint, QString &error)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (QFileInfo(file).suffix().toLower() == u"svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&bytes);
        svg.setSize(size);
        svg.setResolution(SvgDotsPerInch);
        svg.setViewBox(QRect(QPoint(), size));
        svg.setTitle(QStringLiteral("Meetling experiment"));
        QPainter painter(&svg);
        paint(painter);
    } else {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            paint(painter);
        }
        image.save(&bytes, "PNG");
    }
    return saveFile(file, bytes.data(), error);
}

QString contextLine(const Starts &starts, double seconds, const QDate &date)
{
    return QStringLiteral("Momotaro starts at (%1, %2), Dog at (%3, %4); runs of %5 s. %6")
        .arg(int(starts.momotaro.x))
        .arg(int(starts.momotaro.y))
        .arg(int(starts.dog.x))
        .arg(int(starts.dog.y))
        .arg(seconds)
        .arg(QLocale(QLocale::English).toString(date, QStringLiteral("d MMMM yyyy")));
}

QFont pictureFont(int pixels, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}


QRect footerArea(QSize size)
{
    return {20, size.height() - 2 * PictureTextPx, size.width() - 40, 2 * PictureTextPx};
}

void paintFooter(QPainter &painter, QSize size, const QString &text)
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(pictureFont(PictureTextPx));
    painter.drawText(footerArea(size), Qt::AlignCenter, text);
    painter.restore();
}

} // namespace stats
