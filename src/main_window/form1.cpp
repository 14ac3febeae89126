#include "main_window/form1.h"

#include "main_window/boardgeometry.h"
#include "forms/builtinpicture.h"
#include "core/captions.h"
#include "runtime/errorguard.h"
#include "forms/fonts.h"
#include "forms/focuschain.h"
#include "sound/multimediacontrol.h"
#include "forms/onscreen.h"
#include "core/rules.h"
#include "sound/soundcue.h"
#include "forms/twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <variant>

namespace {

constexpr QSize ClientSize{547, 375};
constexpr QPoint StoredPosition{159, 83};
constexpr QColor WindowGrey{192, 192, 192};
constexpr double AxisPointSize = 12;
constexpr double MeetingPointSize = 9.75;

const char *const Title = " 【Meetling experiment】";

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A read-out: its text in its own colour on white, in a black frame.
class ReadoutLabel final : public QLabel
{
    Q_OBJECT

public:
    ReadoutLabel(QColor textColor, QWidget *parent) : QLabel(parent)
    {
        setContentsMargins(1, 1, 1, 1);
        setAlignment(Qt::AlignCenter);
        QPalette colors = palette();
        colors.setColor(QPalette::Window, Qt::white);
        colors.setColor(QPalette::WindowText, textColor);
        setPalette(colors);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

// Every control of the window, one row each. The rows are made in order, so
// that a later control covers an earlier one of the same container where
// they overlap; focus is the control's place in the Tab order (0: not
// reached by Tab). Lines are one pixel thick and given by their bounding box.
struct Form1::ControlRow
{
    enum class Kind { Board, Button, Readout, AxisLabel, Line, Picture };
    enum class In { Window, Board };
    using Member = std::variant<QPushButton * Form1::*, QLabel * Form1::*, QFrame * Form1::*>;

    Kind kind;
    Member member;
    const char *name;
    In in;
    twips::Rect at; // the board's own is board::Frame
    const char *text; // caption, axis text or picture resource
    QColor color; // a read-out's text
    double pointSize; // a read-out's own size (0: the window's font)
    const char *accessibleName; // nullptr: the caption
    int focus;
    void (Form1::*clicked)();
};

struct Form1::Layout
{
    using Kind = ControlRow::Kind;
    using In = ControlRow::In;

    static constexpr QColor Black{0, 0, 0};
    static constexpr QColor Red{255, 0, 0};
    static constexpr QColor Blue{0, 0, 255};

    // clang-format off
    static constexpr ControlRow Controls[] = {
        // kind           member            name        in          at (twips)               text                      colour, size, accessible name, focus, clicked
        {Kind::Readout,   &Form1::Label1,   "Label1",   In::Window, {6480, 5160, 1575, 255}, nullptr,                  Black, 0, "Dog's position", 0, nullptr},
        {Kind::Readout,   &Form1::Label2,   "Label2",   In::Window, {4320, 5160, 2055, 255}, nullptr,                  Black, 0, "Momotaro's position", 0, nullptr},
        {Kind::Readout,   &Form1::Label3,   "Label3",   In::Window, {120, 5160, 2655, 255},  nullptr,                  Red, MeetingPointSize, "Number of meetings", 0, nullptr},
        {Kind::Readout,   &Form1::Label4,   "Label4",   In::Window, {2880, 5160, 1335, 255}, nullptr,                  Blue, 0, "Elapsed time", 0, nullptr},
        {Kind::Line,      &Form1::Line1,    "Line1",    In::Window, {0, 360, 8175, 15},      nullptr,                  {}, 0, nullptr, 0, nullptr}, // (0, 360) to (8160, 360)
        {Kind::Button,    &Form1::Command1, "Command1", In::Window, {480, 0, 855, 375},      "Exit",                   {}, 0, nullptr, 2, &Form1::Command1_Click},
        {Kind::Button,    &Form1::Command2, "Command2", In::Window, {4680, 0, 1455, 375},    captionOf(Scenario::BothWalk), {}, 0, nullptr, 3, &Form1::Command2_Click},
        {Kind::Button,    &Form1::Command3, "Command3", In::Window, {6240, 0, 1455, 375},    captionOf(Scenario::DogWalks), {}, 0, nullptr, 4, &Form1::Command3_Click},
        {Kind::Button,    &Form1::Command4, "Command4", In::Window, {2520, 0, 855, 375},     "Stop",                   {}, 0, nullptr, 5, &Form1::Command4_Click},
        {Kind::Board,     &Form1::Picture1, "Picture1", In::Window, {},                      nullptr,                  {}, 0, "Board", 1, nullptr},
        {Kind::Button,    &Form1::Command5, "Command5", In::Window, {3480, 0, 1095, 375},    "Start",                  {}, 0, nullptr, 8, &Form1::Command5_Click},
        {Kind::Button,    &Form1::Command6, "Command6", In::Window, {1440, 0, 975, 375},     "Problem",                {}, 0, nullptr, 9, &Form1::Command6_Click},

        {Kind::Line,      &Form1::Line2,    "Line2",    In::Board,  {120, 120, 15, 3975},    nullptr,                  {}, 0, nullptr, 0, nullptr}, // (120, 120) to (120, 4080)
        {Kind::Line,      &Form1::Line3,    "Line3",    In::Board,  {120, 120, 6495, 15},    nullptr,                  {}, 0, nullptr, 0, nullptr}, // (6600, 120) to (120, 120)
        {Kind::AxisLabel, &Form1::Label5,   "Label5",   In::Board,  {240, 240, 255, 255},    "0",                      {}, 0, nullptr, 0, nullptr},
        {Kind::AxisLabel, &Form1::Label6,   "Label6",   In::Board,  {6720, 0, 135, 255},     "x",                      {}, 0, nullptr, 0, nullptr},
        {Kind::AxisLabel, &Form1::Label7,   "Label7",   In::Board,  {120, 4080, 255, 255},   "y",                      {}, 0, nullptr, 0, nullptr},
        {Kind::AxisLabel, &Form1::Label8,   "Label8",   In::Board,  {3360, 240, 135, 255},   "5",                      {}, 0, nullptr, 0, nullptr},
        {Kind::AxisLabel, &Form1::Label9,   "Label9",   In::Board,  {240, 2040, 135, 255},   "5",                      {}, 0, nullptr, 0, nullptr},
        {Kind::AxisLabel, &Form1::Label10,  "Label10",  In::Board,  {6360, 240, 255, 255},   "10",                     {}, 0, nullptr, 0, nullptr},
        {Kind::AxisLabel, &Form1::Label11,  "Label11",  In::Board,  {240, 3840, 255, 255},   "10",                     {}, 0, nullptr, 0, nullptr},
        {Kind::Picture,   &Form1::Picture2, "Picture2", In::Board,  {2160, 1920, 510, 510},  ":/pictures/dog.png",     {}, 0, "Dog", 6, nullptr},
        {Kind::Picture,   &Form1::Picture3, "Picture3", In::Board,  {3480, 1920, 495, 540},  ":/pictures/momotaro.png", {}, 0, "Momotaro", 7, nullptr},
    };
    // clang-format on
};

Form1::Form1(Services services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_services(std::move(services)), m_experiment(*this, m_services), MMControl1(m_services.makeControl())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(Title));
    // The installed theme icon (named after the desktop entry) has every size;
    // the built-in 32 x 32 one serves when the program runs from its build.
    setWindowIcon(QIcon(builtInPicture(":/pictures/icon.png")));
    setGeometry(QRect(StoredPosition, ClientSize));
    QWidget *page = onscreen::pageKeptOnScreen(*this, ClientSize);
    setBackground(this, WindowGrey);
    setFont(fonts::windowFont());
    buildControls(page);

    for (QTimer *timer : {&Timer1, &Timer2}) {
        timer->setInterval(rules::TickInterval);
        timer->setTimerType(Qt::PreciseTimer);
    }
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer2.setObjectName(QStringLiteral("Timer2"));
    connect(&Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);

    Form_Load();
}

Form1::~Form1() = default;

QWidget *Form1::makeWidget(const ControlRow &row, QWidget *page, QWidget *board)
{
    using Kind = ControlRow::Kind;
    QWidget *parent = row.in == ControlRow::In::Board ? board : page;
    const QPoint offset = row.in == ControlRow::In::Board ? QPoint(board::BorderPixels, board::BorderPixels) : QPoint();
    const QRect geometry = row.at.pixels().translated(offset);
    switch (row.kind) {
    case Kind::Board: {
        auto *frame = new QFrame(parent);
        frame->setGeometry(board::Frame);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setLineWidth(board::BorderPixels);
        frame->setFocusPolicy(Qt::StrongFocus);
        setBackground(frame, palette().color(QPalette::Button));
        return frame;
    }
    case Kind::Button: {
        auto *button = new QPushButton(QString::fromUtf8(row.text), parent);
        button->setGeometry(geometry);
        // Enter presses the focused button, as Space does.
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, row.clicked);
        return button;
    }
    case Kind::Readout: {
        auto *label = new ReadoutLabel(row.color, parent);
        label->setGeometry(geometry);
        if (row.pointSize > 0)
            label->setFont(fonts::japaneseGothic(row.pointSize));
        return label;
    }
    case Kind::AxisLabel: {
        auto *label = new QLabel(QString::fromUtf8(row.text), parent);
        label->setFont(fonts::japaneseGothic(AxisPointSize, true));
        // "10" in the bold axis font is a pixel or two wider than its label:
        // widen the label rather than cut the number.
        QRect wide = geometry;
        wide.setWidth(qMax(wide.width(), label->sizeHint().width()));
        label->setGeometry(wide);
        return label;
    }
    case Kind::Line: {
        auto *line = new QFrame(parent);
        line->setGeometry(geometry);
        setBackground(line, palette().color(QPalette::WindowText));
        return line;
    }
    case Kind::Picture: {
        auto *picture = new QLabel(parent);
        picture->setGeometry(geometry);
        picture->setPixmap(builtInPicture(row.text));
        picture->setFocusPolicy(Qt::TabFocus);
        return picture;
    }
    }
    return nullptr;
}

void Form1::buildControls(QWidget *page)
{
    QList<std::pair<int, QWidget *>> focusChain;
    for (const ControlRow &row : Layout::Controls) {
        QWidget *control = makeWidget(row, page, Picture1);
        control->setObjectName(QString::fromLatin1(row.name));
        if (row.accessibleName)
            control->setAccessibleName(QString::fromUtf8(row.accessibleName));
        else if (auto *button = qobject_cast<QPushButton *>(control))
            control->setAccessibleName(button->text());
        std::visit(
            [this, control](auto member) {
                this->*member = static_cast<std::remove_reference_t<decltype(this->*member)>>(control);
            },
            row.member);
        focusChain.append({row.focus, control});
    }
    forms::chainFocus(focusChain);
}

template<typename Handler> void Form1::handle(Handler &&handler)
{
    m_services.guard.run(std::forward<Handler>(handler));
}

template<typename Handler> void Form1::click(Handler &&handler)
{
    m_services.guard.runClick(std::forward<Handler>(handler));
}

void Form1::useThemeIcon()
{
    setWindowIcon(QIcon::fromTheme(QGuiApplication::desktopFileName(), windowIcon()));
}

void Form1::Form_Load()
{
    handle([this] { m_experiment.load(); });
}

void Form1::Command1_Click()
{
    click([this] { emit exitRequested(this); });
}

void Form1::Command2_Click()
{
    click([this] { m_experiment.setUp(Scenario::BothWalk); });
}

void Form1::Command3_Click()
{
    click([this] { m_experiment.setUp(Scenario::DogWalks); });
}

void Form1::Command4_Click()
{
    click([this] { m_experiment.stop(); });
}

void Form1::Command5_Click()
{
    click([this] { m_experiment.start(); });
}

void Form1::Command6_Click()
{
    click([this] {
        playCue(QStringLiteral("pinpon.wav"));
        hide();
        emit problemRequested();
    });
}

void Form1::Timer1_Timer()
{
    handle([this] { m_experiment.tick(Walker::Dog); });
}

void Form1::Timer2_Timer()
{
    handle([this] { m_experiment.tick(Walker::Momotaro); });
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing through the frame ends the program, as Exit does after its box:
    // the hidden problem window must not keep the process alive.
    event->accept();
    endProgram();
}

QLabel *Form1::picture(Walker walker) const
{
    return walker == Walker::Dog ? Picture2 : Picture3;
}

void Form1::placeWalker(Walker walker, int x, int y)
{
    picture(walker)->move(QPoint(board::BorderPixels, board::BorderPixels) + board::pointToPixels(x, y));
}

void Form1::setWalkerVisible(Walker walker, bool visible)
{
    picture(walker)->setVisible(visible);
}

QLabel *Form1::readoutLabel(Readout readout) const
{
    switch (readout) {
    case Readout::Dog: return Label1;
    case Readout::Momotaro: return Label2;
    case Readout::Meetings: return Label3;
    case Readout::Time: return Label4;
    }
    return nullptr;
}

QPushButton *Form1::button(Button which) const
{
    switch (which) {
    case Button::Exit: return Command1;
    case Button::BothStart: return Command2;
    case Button::OneStart: return Command3;
    case Button::Stop: return Command4;
    case Button::Start: return Command5;
    case Button::Problem: return Command6;
    }
    return nullptr;
}

void Form1::setReadout(Readout readout, const QString &text)
{
    readoutLabel(readout)->setText(text);
}

void Form1::setButtonEnabled(Button which, bool enabled)
{
    button(which)->setEnabled(enabled);
}

void Form1::setTimerEnabled(Walker walker, bool enabled)
{
    QTimer &t = walker == Walker::Dog ? Timer1 : Timer2;
    // Enabling a running timer leaves its phase alone.
    if (!enabled)
        t.stop();
    else if (!t.isActive())
        t.start();
}

void Form1::playCue(const QString &waveFile)
{
    SoundCue(*MMControl1, waveFile);
}

void Form1::showAndActivate()
{
    show();
    activateWindow();
}

void Form1::confirmExit(CuePlayer &window)
{
    handle([&] { m_experiment.confirmExit(window); });
}

void Form1::endProgram()
{
    handle([this] { m_experiment.endProgram(); });
}

#include "form1.moc"
