#pragma once

#include "law/exactlaw.h"

#include <QFont>
#include <QRect>
#include <QSize>

#include <functional>

class QDate;
class QPainter;
class QString;

// The frame every picture shares, the tool's and the window's: its size,
// its lettering, the line under it, and its saving to a file.
namespace stats {

// The pictures' size, and paint's drawing at that size saved to file as PNG
// or SVG, by the file's extension, whole or not at all. On failure, error
// says why.
inline constexpr QSize PictureSize{1920, 1080};
bool savePicture(const QString &file, QSize size, const std::function<void(QPainter &)> &paint, QString &error);
// The pixel size of the pictures' text and of their titles at PictureSize:
// lettered to be read from the back of a classroom on a projector.
inline constexpr int PictureTextPx = 28;
inline constexpr int PictureTitlePx = 40;
// The pictures' typeface at pixels.
QFont pictureFont(int pixels, bool bold = false);
// Sets the application's font for the language in use: the system's font,
// in the language's faces where it has any. Needs the widgets' application.
void useLanguageFont();

// What a picture, a page or a copied answer is about, in a line under it:
// "Momotaro starts at (4, 4), Dog at (6, 4); runs of 180 s. 8 December 2026".
QString contextLine(const Starts &starts, double seconds, const QDate &date);
// A date as the pictures and sheets write it: "8 December 2026".
QString dateText(const QDate &date);
// A line of text at the bottom of a picture of size, in the pictures' text
// size: where the footer goes. paintFooter draws it there.
QRect footerArea(QSize size);
void paintFooter(QPainter &painter, QSize size, const QString &text);

} // namespace stats
