// Measures the answer window from outside, as a teacher's drag reaches it:
// the walkers are dragged on the board with xdotool, one point at a time,
// and each move is timed from the moment xdotool has sent it to the last
// drawing of the window that changed the figures beside the board (their
// pixels read back from the X server after every drawing), once the window
// has been still for a while. A move that leaves the figures as they were is
// not counted. One core is kept busy meanwhile, as a class playing at speed
// or another program would. Reading the pixels back costs a millisecond or
// two a drawing, which the times include.
//
//   drag_harness PROGRAM
//
// Needs DISPLAY on an X server that no other client draws on, with the
// DAMAGE extension, and XDG_CONFIG_HOME on a folder of the harness's own:
// each run length starts from settings that hold only that length. The rows
// go to the table (benchtable.h).

#include "benchtable.h"
#include "outside.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using namespace outside;

// Momotaro's cell on the board: a fill of this colour (0xffe26e) behind the
// picture.
constexpr std::uint32_t MomotaroCell = 0xffe26e;

std::vector<std::uint32_t> pixelsOf(WindowWatcher &x, xcb_window_t window, int left, int top, int width, int height);

struct Board
{
    xcb_window_t window = XCB_NONE;
    // Pixels from one point to the next; the centre of point 0, 0.
    int cell = 0;
    int x0 = 0;
    int y0 = 0;
    // The board's right edge, the top of the list of pages, below the
    // figures beside the board, and the window's width.
    int right = 0;
    int figuresBottom = 0;
    int width = 0;

    // The figures beside the board, as drawn now: the right half of the part
    // beside it (both columns of figures, right-aligned, end there), from the
    // board's first row down to the list of pages. A third of what the whole
    // part would be, so that reading it back costs less of what it measures.
    std::vector<std::uint32_t> figures(WindowWatcher &x) const
    {
        const int left = right + (width - right) / 2;
        return pixelsOf(x, window, left, y0, width - left, figuresBottom - y0);
    }

    std::pair<int, int> centre(int x, int y) const { return {x0 + x * cell, y0 + y * cell}; }
};

// A part of the window as the X server has it, a 32-bit pixel each.
std::vector<std::uint32_t> pixelsOf(WindowWatcher &x, xcb_window_t window, int left, int top, int width, int height)
{
    xcb_connection_t *c = x.connection();
    std::unique_ptr<xcb_get_image_reply_t, decltype(&free)> image(
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, std::int16_t(left), std::int16_t(top),
                                          std::uint16_t(width), std::uint16_t(height), ~0u),
                            nullptr),
        &free);
    if (!image || xcb_get_image_data_length(image.get()) < width * height * 4)
        WindowWatcher::fail("cannot read the window's pixels (a 24-bit screen is needed)");
    const auto *data = reinterpret_cast<const std::uint32_t *>(xcb_get_image_data(image.get()));
    return std::vector<std::uint32_t>(data, data + std::size_t(width) * std::size_t(height));
}

// Finds the board from Momotaro's cell, Momotaro standing on 4, 4 as a fresh
// start places him.
Board findBoard(WindowWatcher &x, xcb_window_t window)
{
    xcb_connection_t *c = x.connection();
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &free);
    if (!geometry)
        WindowWatcher::fail("the window is gone");
    const int width = geometry->width, height = geometry->height;
    const std::vector<std::uint32_t> pixels = pixelsOf(x, window, 0, 0, width, height);
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < width; ++i) {
            if ((pixels[y * width + i] & 0xffffff) == MomotaroCell) {
                left = std::min(left, i);
                right = std::max(right, i);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        WindowWatcher::fail("Momotaro's cell is not on the screen");
    Board board;
    board.window = window;
    // The fill covers a cell but for its grid line.
    board.cell = right - left + 2;
    board.x0 = (left + right) / 2 - 4 * board.cell;
    board.y0 = (top + bottom) / 2 - 4 * board.cell;
    board.right = board.x0 + board.cell * 21 / 2;
    board.width = width;
    // The list of pages starts at its first, chosen page, drawn in the
    // selection's blue (bright or, with the window inactive, pale).
    board.figuresBottom = height;
    const int column = board.right + board.cell / 2;
    for (int y = board.y0; y < height && column < width; ++y) {
        const std::uint32_t p = pixels[y * width + column];
        const int r = int(p >> 16 & 0xff), b = int(p & 0xff);
        if (b > 150 && b > r + 60) {
            board.figuresBottom = y;
            break;
        }
    }
    return board;
}

void xdotool(const std::vector<std::string> &command)
{
    std::vector<std::string> arguments{"xdotool"};
    arguments.insert(arguments.end(), command.begin(), command.end());
    runTool(arguments);
}

std::vector<std::string> moveTo(const Board &board, int x, int y)
{
    const auto [cx, cy] = board.centre(x, y);
    return {"mousemove", "--window", std::to_string(board.window), std::to_string(cx), std::to_string(cy)};
}

// From a move to the last drawing of the window, once none has come for
// quietMs, and to the last that changed the figures beside the board (read
// back from the X server at each drawing: the server reports the whole
// window drawn each time). Nothing when nothing was drawn or changed.
struct Drawn
{
    std::optional<double> figures;
    std::optional<double> any;
};

Drawn drawingsAfterAMove(WindowWatcher &x, const Board &board, double quietMs, std::vector<std::uint32_t> &figures)
{
    const auto moved = SteadyClock::now();
    Drawn drawn;
    for (;;) {
        const double still = msSince(moved) - drawn.any.value_or(0);
        if (still >= quietMs || msSince(moved) > 10000)
            break;
        const std::optional<WindowEvent> event = x.next(quietMs - still);
        if (!event || event->kind != WindowEvent::Drawn || event->window != board.window)
            continue;
        drawn.any = msSince(moved);
        std::vector<std::uint32_t> now = board.figures(x);
        if (now != figures) {
            drawn.figures = drawn.any;
            figures = std::move(now);
        }
    }
    return drawn;
}

struct Times
{
    std::vector<double> figures, any;
    int unchanged = 0;
};

// Drags a walker from its start along path, timing each point it reaches.
Times drag(WindowWatcher &x, const Board &board, std::pair<int, int> from, const std::vector<std::pair<int, int>> &path,
           double quietMs)
{
    std::vector<std::string> press = moveTo(board, from.first, from.second);
    press.insert(press.end(), {"mousedown", "1"});
    xdotool(press);
    std::vector<std::uint32_t> figures = board.figures(x);
    drawingsAfterAMove(x, board, quietMs, figures);
    Times times;
    for (const auto &[px, py] : path) {
        x.drain();
        xdotool(moveTo(board, px, py));
        const Drawn drawn = drawingsAfterAMove(x, board, quietMs, figures);
        if (drawn.figures)
            times.figures.push_back(*drawn.figures);
        else
            ++times.unchanged;
        if (drawn.any)
            times.any.push_back(*drawn.any);
    }
    xdotool({"mouseup", "1"});
    drawingsAfterAMove(x, board, quietMs, figures);
    return times;
}

void writeSettings(int seconds)
{
    const char *config = std::getenv("XDG_CONFIG_HOME");
    if (!config)
        WindowWatcher::fail("XDG_CONFIG_HOME must name a folder of the harness's own");
    const std::filesystem::path folder = std::filesystem::path(config) / "meetling";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "meetling-answer.conf") << "[run]\nseconds=" << seconds << "\n";
}

void report(int seconds, const char *walker, const Times &times, double goal)
{
    std::printf("%d s, %s moved (%zu moves, %d leaving the figures as they were):\n", seconds, walker,
                times.figures.size() + std::size_t(times.unchanged), times.unchanged);
    if (times.figures.empty()) {
        benchtable::append(
            {benchtable::format("answer, from outside, %d s: %s moved, no figure redrawn", seconds, walker), "-", "-",
             "-", "-", benchtable::met(false)});
        return;
    }
    const double p95 = benchtable::percentile(times.figures, 0.95);
    std::printf("  figures drawn:  p50 %.1f ms, p95 %.1f ms, most %.1f ms\n",
                benchtable::percentile(times.figures, 0.5), p95, benchtable::percentile(times.figures, 1));
    std::printf("  any drawing:    p50 %.1f ms, p95 %.1f ms, most %.1f ms\n", benchtable::percentile(times.any, 0.5),
                benchtable::percentile(times.any, 0.95), benchtable::percentile(times.any, 1));
    benchtable::append({benchtable::format("answer, from outside, %d s: %s moved to figures drawn, p95 of %zu", seconds,
                                           walker, times.figures.size()),
                        benchtable::format("%.1f ms", p95), "-", "-", benchtable::format("<= %.0f ms", goal),
                        benchtable::met(p95 <= goal)});
}

void measure(const std::string &program, int seconds, double dogGoalMs)
{
    writeSettings(seconds);
    WindowWatcher x;
    Child busy({"sh", "-c", "while :; do :; done"});
    Child answer({program});
    xcb_window_t window = XCB_NONE;
    const auto launched = SteadyClock::now();
    while (window == XCB_NONE && msSince(launched) < 60000) {
        if (const std::optional<WindowEvent> event = x.next(1000); event && event->kind == WindowEvent::Mapped)
            window = event->window;
    }
    if (window == XCB_NONE)
        WindowWatcher::fail("the answer window did not show");
    // Every start of the first Dog worked out, as before a lesson.
    waitUntilIdle(answer.pid(), 2000, 300000);
    x.drain();
    const Board board = findBoard(x, window);

    // Momotaro round the board's middle, a point at a time; Dog to the
    // right and back, a new Dog at every point.
    const std::vector<std::pair<int, int>> momotaroPath{{4, 5}, {4, 6}, {3, 6}, {2, 6}, {2, 5}, {2, 4}, {2, 3},
                                                        {3, 3}, {4, 3}, {5, 3}, {5, 2}, {4, 2}, {3, 2}, {3, 1},
                                                        {4, 1}, {5, 1}, {6, 1}, {6, 2}, {7, 2}, {7, 3}};
    const Times momotaro = drag(x, board, {4, 4}, momotaroPath, 300);
    waitUntilIdle(answer.pid(), 1000, 60000);
    x.drain();
    const std::vector<std::pair<int, int>> dogPath{{7, 4}, {8, 4}, {8, 5}, {7, 5}, {6, 5}, {6, 6},
                                                   {7, 6}, {8, 6}, {9, 6}, {9, 5}, {9, 4}, {8, 4}};
    const Times dog = drag(x, board, {6, 4}, dogPath, 1000);
    report(seconds, "Momotaro", momotaro, 16);
    report(seconds, "Dog", dog, dogGoalMs);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: drag_harness PROGRAM\n");
        return 2;
    }
    measure(argv[1], 180, 100);
    measure(argv[1], 600, 200);
    return 0;
}
