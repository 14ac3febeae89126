#include "forms/builtinpicture.h"

#include <QImageReader>

QPixmap builtInPicture(const char *resource)
{
    QImageReader reader(QString::fromLatin1(resource), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}
