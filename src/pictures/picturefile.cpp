#include "pictures/picturefile.h"

#include "words/language.h"
#include "words/phrases.h"
#include "law/savefile.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QSvgGenerator>

namespace stats {

namespace {

struct Pictures
{
    Q_DECLARE_TR_FUNCTIONS(stats::Pictures)
};

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
        {
            QPainter painter(&svg);
            paint(painter);
        }
        // The texts' phrase joiners are for Qt's line breaking: the file
        // keeps the texts as they read.
        bytes.close();
        bytes.setData(withoutJoiners(QString::fromUtf8(bytes.data())).toUtf8());
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

QString dateText(const QDate &date)
{
    //: How a date is written on the pictures and sheets, in QDate's format: "8 December 2026".
    return QLocale().toString(date, Pictures::tr("d MMMM yyyy"));
}

QString contextLine(const Starts &starts, double seconds, const QDate &date)
{
    //: %1 and %2 are Momotaro's start, %3 and %4 Dog's, %5 the run's seconds, %6 the date.
    return Pictures::tr("Momotaro starts at (%1, %2), Dog at (%3, %4); runs of %5 s. %6")
        .arg(QString::number(int(starts.momotaro.x)), QString::number(int(starts.momotaro.y)),
             QString::number(int(starts.dog.x)), QString::number(int(starts.dog.y)), QLocale().toString(seconds),
             dateText(date));
}

void useLanguageFont()
{
    // The application's font as the system set it, before any language's.
    static const QFont systemFont = QApplication::font();
    QFont font = systemFont;
    if (const QStringList families = fontFamilies(); !families.isEmpty())
        font.setFamilies(families);
    QApplication::setFont(font);
}

QFont pictureFont(int pixels, bool bold)
{
    // The language's faces first, DejaVu Sans for what they lack.
    QFont f;
    f.setFamilies(fontFamilies(bold ? Weight::Bold : Weight::Regular) << QStringLiteral("DejaVu Sans"));
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
