#include "problem_window/form2.h"

#include "runtime/errorguard.h"
#include "forms/fonts.h"
#include "forms/focuschain.h"
#include "sound/multimediacontrol.h"
#include "forms/onscreen.h"
#include "problem_window/printbox.h"
#include "problem_window/problemtexts.h"
#include "sound/soundcue.h"
#include "forms/twips.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPushButton>

#include <variant>

namespace {

const char *const Title = "The 4th Japan Mathematics Competition Problem (8.22.1993)";
constexpr QSize ClientSize{512, 534};
constexpr QPoint StoredPosition{135, 35};
constexpr double PrintPointSize = 12;
// Colour numbers 12, 9 and 0 of the standard 16-colour palette.
constexpr QColor LightRed{255, 0, 0};
constexpr QColor LightBlue{0, 0, 255};
constexpr QColor Black{0, 0, 0};

// The stretch (in percent, at most 100) at which every printed line fits
// within width pixels at the print size.
int stretchToFit(int width)
{
    const QFontMetrics metrics(fonts::japaneseGothic(PrintPointSize));
    QStringList lines = problemtexts::problemLines() + problemtexts::conditionLines();
    lines << problemtexts::problemTitle() << problemtexts::conditionsTitle();
    int widest = 1;
    for (const QString &line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return qBound(50, 100 * (width - 2) / widest, 100);
}

} // namespace

// Every control of the window, one row each. The rows are made in order, so
// that a later control covers an earlier one where they overlap; focus is
// the control's place in the Tab order (0: not reached by Tab).
struct Form2::Layout
{
    enum class Kind { Line, PrintBox, Button };
    using Member = std::variant<QPushButton * Form2::*, PrintBox * Form2::*, std::nullptr_t>;

    struct Row
    {
        Kind kind;
        Member member;
        const char *name;
        twips::Rect at;
        const char *text; // caption, or a box's accessible name
        int focus;
        void (Form2::*clicked)();
    };

    // clang-format off
    static constexpr Row Controls[] = {
        // kind            member            name        at (twips)               text                     focus  clicked
        {Kind::Line,     nullptr,           "Line1",    {0, 360, 7695, 15},     nullptr,                 0, nullptr}, // (0, 360) to (7680, 360)
        {Kind::PrintBox, &Form2::Picture1,  "Picture1", {120, 600, 7455, 4815}, "Problem",               1, nullptr},
        {Kind::Button,   &Form2::Command1,  "Command1", {0, 0, 855, 375},       "Exit",                  2, &Form2::Command1_Click},
        {Kind::Button,   &Form2::Command2,  "Command2", {6120, 0, 1575, 375},   "Simulation",            3, &Form2::Command2_Click},
        {Kind::PrintBox, &Form2::Picture2,  "Picture2", {120, 5640, 7455, 2295}, "Simulation conditions", 4, nullptr},
    };
    // clang-format on
};

Form2::Form2(ErrorGuard &guard, std::unique_ptr<MultimediaControl> control, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_guard(guard), MMControl1(std::move(control))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString::fromUtf8(Title));
    setGeometry(QRect(StoredPosition, ClientSize));
    QWidget *page = onscreen::pageKeptOnScreen(*this, ClientSize);
    // The buttons in the board window's font; Enter presses the focused one.
    setFont(fonts::windowFont());

    QList<std::pair<int, QWidget *>> focusChain;
    for (const Layout::Row &row : Layout::Controls) {
        QWidget *control = nullptr;
        switch (row.kind) {
        case Layout::Kind::Line: {
            control = new QFrame(page);
            QPalette linePalette = control->palette();
            linePalette.setColor(QPalette::Window, linePalette.color(QPalette::WindowText));
            control->setPalette(linePalette);
            control->setAutoFillBackground(true);
            break;
        }
        case Layout::Kind::PrintBox: {
            auto *box = new PrintBox(page);
            box->setAccessibleName(QString::fromUtf8(row.text));
            // The problem box takes the focus first; both are reached by Tab.
            box->setFocusPolicy(row.focus == 1 ? Qt::StrongFocus : Qt::TabFocus);
            this->*std::get<PrintBox * Form2::*>(row.member) = box;
            control = box;
            break;
        }
        case Layout::Kind::Button: {
            auto *button = new QPushButton(QString::fromUtf8(row.text), page);
            button->setAccessibleName(button->text());
            button->setAutoDefault(true);
            connect(button, &QPushButton::clicked, this, row.clicked);
            this->*std::get<QPushButton * Form2::*>(row.member) = button;
            control = button;
            break;
        }
        }
        control->setObjectName(QString::fromLatin1(row.name));
        control->setGeometry(row.at.pixels());
        focusChain.append({row.focus, control});
    }

    // The story was laid out line by line for a narrow Japanese face. Where
    // the installed face is wider, its glyphs are narrowed just enough for
    // the longest line to fit, rather than cut the lines off at the edge.
    const int stretch = stretchToFit(qMin(Picture1->contentsRect().width(), Picture2->contentsRect().width()));
    Picture1->setFontStretch(stretch);
    Picture2->setFontStretch(stretch);

    forms::chainFocus(focusChain);
}

Form2::~Form2() = default;

void Form2::showAndActivate()
{
    show();
    activateWindow();
    Form_Activate();
}

void Form2::Form_Activate()
{
    m_guard.run([this] {
        Picture1->cls();
        Picture1->print();
        Picture1->setFontSize(PrintPointSize);
        Picture1->setForeColor(LightRed);
        Picture1->print(problemtexts::problemTitle());
        Picture1->print();
        Picture1->setForeColor(Black);
        for (const QString &line : problemtexts::problemLines())
            Picture1->print(line);

        Picture2->cls();
        Picture2->print();
        Picture2->setFontSize(PrintPointSize);
        Picture2->setForeColor(LightRed);
        Picture2->print(problemtexts::conditionsTitle());
        Picture2->setForeColor(LightBlue);
        for (const QString &line : problemtexts::conditionLines())
            Picture2->print(line);
        Picture2->setForeColor(Black);
    });
}

template<typename Handler> void Form2::click(Handler &&handler)
{
    m_guard.runClick(std::forward<Handler>(handler));
}

void Form2::Command1_Click()
{
    click([this] { emit exitRequested(this); });
}

void Form2::Command2_Click()
{
    click([this] {
        playCue(QStringLiteral("pinpon.wav"));
        hide();
        emit simulationRequested();
    });
}

void Form2::closeEvent(QCloseEvent *event)
{
    // Closing through the frame ends the program, as on the board window.
    event->accept();
    emit closeRequested();
}

void Form2::playCue(const QString &waveFile)
{
    SoundCue(*MMControl1, waveFile);
}
