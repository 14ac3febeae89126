#pragma once

#include <QPixmap>

// One of the programs' own PNG pictures (":/pictures/..." : icon.png,
// dog.png, momotaro.png). Read as PNG and nothing else: Qt otherwise asks
// every image plugin whether it reads the file, which loads them all (and
// the SVG and JPEG libraries) before the first paint.
QPixmap builtInPicture(const char *resource);
