// draw_pictures: draws the program's three small pictures as pixel art.
//
// Usage: draw_pictures <output-dir>
// Writes icon.png (32x32), momotaro.png (33x36) and dog.png (34x34), and the
// desktop icon at the other sizes of the icon theme: icon-16.png, icon-48.png,
// icon-64.png, icon-128.png and icon-256.png.
//
// Each figure is a hand-designed character grid: one character per pixel,
// looked up in a palette.  '.' is left as the background colour.

#include <QImage>
#include <QRgb>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <string_view>
#include <utility>

namespace {

struct Ink
{
    char key;
    QRgb rgb;
};

constexpr QRgb yellowGround = qRgb(0xff, 0xe2, 0x6e);
constexpr QRgb greenGround = qRgb(0x86, 0xc9, 0x6a);

// Every colour used in the grids, keyed by the character that stands for it.
constexpr std::array palette{
    Ink{'K', qRgb(0x24, 0x20, 0x22)}, // hair, eyes, nose
    Ink{'k', qRgb(0x6b, 0x3e, 0x2a)}, // skin outline
    Ink{'S', qRgb(0xff, 0xd6, 0xb0)}, // skin
    Ink{'m', qRgb(0xff, 0x9a, 0x9a)}, // cheeks
    Ink{'r', qRgb(0xc8, 0x3a, 0x3a)}, // mouth
    Ink{'R', qRgb(0xe0, 0x30, 0x30)}, // hair tie, dog collar
    Ink{'G', qRgb(0x3c, 0xa8, 0x4c)}, // kimono
    Ink{'g', qRgb(0x1f, 0x6a, 0x33)}, // kimono outline and folds
    Ink{'O', qRgb(0x3a, 0x4a, 0xa8)}, // obi (sash)
    Ink{'Y', qRgb(0xf2, 0xb7, 0x1e)}, // gold: pole knob, obi knot, collar tag
    Ink{'B', qRgb(0x7a, 0x4a, 0x22)}, // banner pole
    Ink{'T', qRgb(0xa8, 0x74, 0x3c)}, // straw sandals
    Ink{'W', qRgb(0xff, 0xff, 0xff)}, // banner cloth, collar, dog fur
    Ink{'w', qRgb(0xc9, 0xcf, 0xd8)}, // banner edge, fur shading
    Ink{'P', qRgb(0xff, 0x8f, 0xb0)}, // peach
    Ink{'p', qRgb(0xe8, 0x5c, 0x86)}, // peach shading
    Ink{'h', qRgb(0xff, 0xd0, 0xde)}, // peach highlight
    Ink{'L', qRgb(0x4c, 0xb0, 0x3c)}, // peach leaves
    Ink{'o', qRgb(0x44, 0x44, 0x4c)}, // dog outline
    Ink{'E', qRgb(0xd8, 0xb0, 0x84)}, // dog ears
    Ink{'e', qRgb(0xb8, 0x8c, 0x60)}, // dog ear shading
    Ink{'n', qRgb(0xff, 0x7a, 0x8a)}, // dog tongue
    Ink{'d', qRgb(0x5e, 0xa4, 0x4a)}, // shadow on the green ground
};

// Momotaro holding his peach banner; 32 x 32.
constexpr std::array<std::string_view, 32> momotaro{
    ".......KK..........Y............", "......KKKK.........BBBBBBBBBBBB.", "......KKKK.........BWWWWWWWWWWw.",
    ".......RR..........BWWWWWWWWWWw.", "....KKKKKKKK.......BWWWWPPWWWWw.", "...KKKKKKKKKK......BWWWPPpPWWWw.",
    "..KKKKKKKKKKKK.....BWWPPPpPPWWw.", "..KKSSSKKSSSKK.....BWPhPPPpPpWw.", "..KSSSSSSSSSSK.....BWPhPPPpPpWw.",
    "..KSSSSSSSSSSK.....BWPhPPPPPpWw.", "..kSSKSSSSKSSk.....BWPPPPPPppWw.", "..kSSKSSSSKSSk.....BWWPPPPppWWw.",
    "..kSmSSSSSSmSk.....BWLLpppppLLw.", "..kSSSSrrSSSSk.....BLLLWWWWLLWw.", "...kSSSSSSSSk......BWWWWWWWWWWw.",
    "....kkSSSSkk.......BWWWWWWWWWWw.", "...gGWSSSSWGg......Bwwwwwwwwwww.", "..gGGGWSSWGGGg.....B............",
    ".gGGGGGWWGGGGGGgg..B............", "gGGGGGGGWGGGGGGGgSSSk...........", "gGGGGGGGGWGGGGGGgSSSk...........",
    "gGGOOOOOOOOOOgGGg..B............", "gGGOOOOYOOOOOgGGg..B............", "gGGgGGGGGGWGGgggg..B............",
    ".gggGGGGGGWGGg.....B............", "....gGGGGGWGGg.....B............", "....gGGGGGWGGg.....B............",
    "....gGGGGGWGGg.....B............", "....gggggggggg.....B............", ".....kSk..kSk......B............",
    ".....kSk..kSk......B............", "....TTTT..TTTT.....B............",
};

// The same figure for 16 x 16, where the full one would blur: the face,
// the kimono with its sash, the hand on the pole and the peach banner.
constexpr std::array<std::string_view, 16> smallMomotaro{
    "...KK.....Y.....", "...RR.....BBBBBB", "..KKKK....BWWWWw", ".KKKKKK...BWPPWw",
    "KKKKKKKK..BPhPpw", "kSKSSKSk..BPPPpw", "kmSSSSmk..BLppLw", ".kSrrSk...BWWWWw",
    ".gGWWGg...Bwwwww", "gGGGWGGGgSSk....", "gOOOOYOOg.B.....", "gGGGGWGGg.B.....",
    ".gGGGWGGg.B.....", ".gggggggg.B.....", "..kSk.kSk.B.....", ".TTT..TTT.B.....",
};

// A white dog sitting in profile, facing left; 34 x 34.
constexpr std::array<std::string_view, 34> dog{
    "..................................", "..................................", "..................................",
    ".........oooooo...................", ".......ooWWWWWWoo.................", "......oWWWWWWooooo................",
    ".....oWWWWWWoEEEEEoo..............", ".....oWWWWWWoEEEEEeo..............", "....oWWKKWWWoEEEEEeo..............",
    "....oWWKKWWWoEEEEEeo.........oo...", "..ooWWWWWWWWoEEEEEeo........oWWo..", ".oKKWWWWWWWWoEEEEEeo........oWWo..",
    ".oKKWWWWWWWWWoEEEEeo.......oWWo...", "..ooWWWWWWWWWoEEEEeo.......oWWo...", "....ooonWWWWWWoEEeo.......oWWo....",
    ".......ooWWWWWWooo........oWWo....", ".......oRRRRRRRRRo.......oWWo.....", ".......oRRRRYRRRRWoo.....oWWo.....",
    "......oWWWWWYWWWWWWWoo..oWWo......", "......oWWWWWWWWWWWWWWWooWWo.......", "......oWWWWWWWWWWWWWWWWWWwo.......",
    "......oWWWWWWWWWWWwwwwWWWwo.......", "......oWWWWWWWWWWwWWWWWWWwo.......", "......oWWWWoWWWWwWWWWWWWWwo.......",
    "......oWWWWowWWWwWWWWWWWWwo.......", "......oWWWWowWWWwWWWWWWWwo........", "......oWWWWowWWWwWWWWWWWwo........",
    "......oWWWWowWWWwWWWWWWWwo........", ".....oWWWWWowWwwWWWWWWWwo.........", ".....oWWWWoowWWWWWWWWWoo..........",
    ".....ooooooooooooooooo............", "....dddddddddddddddddddd..........", "..................................",
    "..................................",
};

constexpr bool isInk(char key)
{
    return std::ranges::any_of(palette, [key](const Ink &ink) { return ink.key == key; });
}

// True when every row has the given width and uses only '.' and palette keys.
constexpr bool isWellFormed(std::span<const std::string_view> rows, std::size_t width)
{
    return std::ranges::all_of(rows, [width](std::string_view row) {
        return row.size() == width && std::ranges::all_of(row, [](char key) { return key == '.' || isInk(key); });
    });
}

static_assert(isWellFormed(momotaro, 32), "Momotaro grid: bad width or unknown colour key");
static_assert(isWellFormed(smallMomotaro, 16), "small Momotaro grid: bad width or unknown colour key");
static_assert(isWellFormed(dog, 34), "dog grid: bad width or unknown colour key");

constexpr QRgb inkFor(char key)
{
    return std::ranges::find(palette, key, &Ink::key)->rgb; // key checked above
}

// Copies a grid onto the image with its top-left corner at (left, top).
void stamp(QImage &image, std::span<const std::string_view> rows, int left, int top)
{
    for (int y = 0; y < int(rows.size()); ++y) {
        for (int x = 0; x < int(rows[y].size()); ++x) {
            if (rows[y][x] != '.')
                image.setPixel(left + x, top + y, inkFor(rows[y][x]));
        }
    }
}

QImage picture(int width, int height, QRgb ground)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(ground);
    return image;
}

// Pixel art grows by whole factors only, each pixel becoming a square block.
QImage enlarged(const QImage &image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

bool save(const QImage &image, const QString &dir, const QString &name)
{
    const QString path = dir + QLatin1Char('/') + name;
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_pictures <output-dir>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);

    // The window icon: the figure fills it exactly.
    QImage icon = picture(32, 32, yellowGround);
    stamp(icon, momotaro, 0, 0);

    // The walker on the board: one column and four rows larger, figure centred.
    QImage walker = picture(33, 36, yellowGround);
    stamp(walker, momotaro, 1, 2);

    QImage dogPicture = picture(34, 34, greenGround);
    stamp(dogPicture, dog, 0, 0);

    // The desktop icon: the small figure at 16, the window icon itself at 32
    // and doubled up to 256.  48 is one and a half times 32: tripled, then
    // halved with smoothing, so that every edge blurs by at most one pixel.
    QImage smallIcon = picture(16, 16, yellowGround);
    stamp(smallIcon, smallMomotaro, 0, 0);
    const std::array<std::pair<int, QImage>, 5> themeIcons{{
        {16, smallIcon},
        {48, enlarged(icon, 3).scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)},
        {64, enlarged(icon, 2)},
        {128, enlarged(icon, 4)},
        {256, enlarged(icon, 8)},
    }};

    bool ok = save(icon, dir, QStringLiteral("icon.png")) && save(walker, dir, QStringLiteral("momotaro.png")) &&
              save(dogPicture, dir, QStringLiteral("dog.png"));
    for (const auto &[size, image] : themeIcons)
        ok = ok && save(image, dir, QStringLiteral("icon-%1.png").arg(size));
    return ok ? 0 : 1;
}
