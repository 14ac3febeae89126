#include "form1.h"

#include "boardgeometry.h"
#include "errorguard.h"
#include "fonts.h"
#include "form2.h"
#include "multimediacontrol.h"
#include "onscreen.h"
#include "rules.h"
#include "soundcue.h"
#include "twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

enum class Kind { Button, Label, Board, Picture, Line };
enum class Parent { Window, Board };

// Every control of the window, topmost first (an earlier one covers a later
// one in the same container), in twips relative to its container's client
// area. Lines are one pixel thick and given by their bounding box.
struct Control
{
    const char *name;
    Kind kind;
    Parent parent;
    int left, top, width, height;
    const char *text;
};

constexpr Control Controls[] = {
    {"Command6", Kind::Button, Parent::Window, 1440, 0, 975, 375, "Problem"},
    {"Command5", Kind::Button, Parent::Window, 3480, 0, 1095, 375, "Start"},
    {"Picture1", Kind::Board, Parent::Window, 600, 480, 6975, 4455, ""},
    {"Picture3", Kind::Picture, Parent::Board, 3480, 1920, 495, 540, ""},
    {"Picture2", Kind::Picture, Parent::Board, 2160, 1920, 510, 510, ""},
    {"Label11", Kind::Label, Parent::Board, 240, 3840, 255, 255, "10"},
    {"Label10", Kind::Label, Parent::Board, 6360, 240, 255, 255, "10"},
    {"Label9", Kind::Label, Parent::Board, 240, 2040, 135, 255, "5"},
    {"Label8", Kind::Label, Parent::Board, 3360, 240, 135, 255, "5"},
    {"Label7", Kind::Label, Parent::Board, 120, 4080, 255, 255, "y"},
    {"Label6", Kind::Label, Parent::Board, 6720, 0, 135, 255, "x"},
    {"Label5", Kind::Label, Parent::Board, 240, 240, 255, 255, "0"},
    {"Line3", Kind::Line, Parent::Board, 120, 120, 6495, 15, ""}, // (6600, 120) to (120, 120)
    {"Line2", Kind::Line, Parent::Board, 120, 120, 15, 3975, ""}, // (120, 120) to (120, 4080)
    {"Command4", Kind::Button, Parent::Window, 2520, 0, 855, 375, "Stop"},
    {"Command3", Kind::Button, Parent::Window, 6240, 0, 1455, 375, "When one starts"},
    {"Command2", Kind::Button, Parent::Window, 4680, 0, 1455, 375, "When two srart"},
    {"Command1", Kind::Button, Parent::Window, 480, 0, 855, 375, "Exit"},
    {"Line1", Kind::Line, Parent::Window, 0, 360, 8175, 15, ""}, // (0, 360) to (8160, 360)
    {"Label4", Kind::Label, Parent::Window, 2880, 5160, 1335, 255, ""},
    {"Label3", Kind::Label, Parent::Window, 120, 5160, 2655, 255, ""},
    {"Label2", Kind::Label, Parent::Window, 4320, 5160, 2055, 255, ""},
    {"Label1", Kind::Label, Parent::Window, 6480, 5160, 1575, 255, ""},
};

constexpr QSize ClientSize{547, 375};
constexpr QPoint StoredPosition{159, 83};
constexpr QColor WindowGrey{192, 192, 192};
constexpr int BoardBorder = 2;
// The window's own font, used by the buttons and the plain read-outs: a
// narrow gothic face, so that the longest captions fit their buttons.
constexpr double WindowPointSize = 9;
constexpr double AxisPointSize = 12;
constexpr double MeetingPointSize = 9.75;

const char *const Title = " 【Meetling experiment】";

// Read-outs Label1..Label4: text colour (invalid: the default one) and the
// name assistive tools announce.
struct ReadoutStyle
{
    QColor color;
    const char *accessibleName;
};
const ReadoutStyle Readouts[] = {
    {{}, "Dog's position"},
    {{}, "Momotaro's position"},
    {QColor(255, 0, 0), "Number of meetings"},
    {QColor(0, 0, 255), "Elapsed time"},
};

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

int indexOf(const char *name, const char *prefix)
{
    return QByteArray(name).mid(qstrlen(prefix)).toInt() - 1;
}

} // namespace

Form1::Form1(WindowServices services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_services(std::move(services))
    , m_experiment(*this, {m_services.clock, m_services.random, m_services.dialogs, m_services.ender})
    , MMControl1(m_services.makeControl())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(Title));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    setGeometry(QRect(StoredPosition, ClientSize));
    setFixedSize(ClientSize);
    onscreen::keepOnScreenWhenShown(*this);
    setBackground(this, WindowGrey);
    setFont(fonts::japaneseGothic(WindowPointSize));
    buildControls();

    for (QTimer *timer : {&Timer1, &Timer2}) {
        timer->setInterval(rules::TickInterval);
        timer->setTimerType(Qt::PreciseTimer);
    }
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer2.setObjectName(QStringLiteral("Timer2"));
    connect(&Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);

    connect(m_commands[0], &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_commands[1], &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(m_commands[2], &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(m_commands[3], &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(m_commands[4], &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(m_commands[5], &QPushButton::clicked, this, &Form1::Command6_Click);

    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    // The board exists before its children; it is raised into its place in
    // the stacking order when the loop reaches it.
    Picture1 = new QFrame(this);

    // Created bottom-most first, so that each control covers the ones before.
    for (auto it = std::rbegin(Controls); it != std::rend(Controls); ++it) {
        const Control &c = *it;
        QWidget *container = c.parent == Parent::Board ? static_cast<QWidget *>(Picture1) : this;
        const QPoint clientOrigin = c.parent == Parent::Board ? QPoint(BoardBorder, BoardBorder) : QPoint();
        QRect geometry = twips::toPixels(c.left, c.top, c.width, c.height).translated(clientOrigin);
        QWidget *widget = nullptr;

        switch (c.kind) {
        case Kind::Button: {
            auto *button = new QPushButton(QString::fromUtf8(c.text), container);
            button->setAccessibleName(button->text());
            button->setAutoDefault(false);
            m_commands[indexOf(c.name, "Command")] = button;
            widget = button;
            break;
        }
        case Kind::Label: {
            auto *label = new QLabel(QString::fromUtf8(c.text), container);
            const int index = indexOf(c.name, "Label");
            m_labels[index] = label;
            if (c.parent == Parent::Board) {
                label->setFont(fonts::japaneseGothic(AxisPointSize, true));
                // "10" in the bold axis font is a pixel or two wider than its
                // label: widen the label rather than cut the number.
                geometry.setWidth(qMax(geometry.width(), label->sizeHint().width()));
            } else {
                // A read-out: white, framed in black, centred.
                const ReadoutStyle &style = Readouts[index];
                label->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid black; color: %1; }")
                                         .arg(style.color.isValid() ? style.color.name() : QStringLiteral("black")));
                label->setAlignment(Qt::AlignCenter);
                label->setAccessibleName(QString::fromUtf8(style.accessibleName));
                if (index == int(Readout::Meetings))
                    label->setFont(fonts::japaneseGothic(MeetingPointSize));
            }
            widget = label;
            break;
        }
        case Kind::Board: {
            Picture1->raise();
            Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            Picture1->setLineWidth(BoardBorder);
            Picture1->setFocusPolicy(Qt::StrongFocus);
            Picture1->setAccessibleName(QStringLiteral("Board"));
            setBackground(Picture1, palette().color(QPalette::Button));
            widget = Picture1;
            break;
        }
        case Kind::Picture: {
            const bool dog = qstrcmp(c.name, "Picture2") == 0;
            auto *picture = new QLabel(container);
            picture->setPixmap(QPixmap(dog ? QStringLiteral(":/pictures/dog.png") : QStringLiteral(":/pictures/momotaro.png")));
            picture->setFocusPolicy(Qt::TabFocus);
            picture->setAccessibleName(dog ? QStringLiteral("Dog") : QStringLiteral("Momotaro"));
            (dog ? Picture2 : Picture3) = picture;
            widget = picture;
            break;
        }
        case Kind::Line: {
            auto *line = new QFrame(container);
            setBackground(line, palette().color(QPalette::WindowText));
            widget = line;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(c.name));
        widget->setGeometry(geometry);
    }

    // Keyboard focus: the board first, then the buttons and pictures in the
    // window's own order.
    const QList<QWidget *> focusChain{Picture1, m_commands[0], m_commands[1], m_commands[2], m_commands[3],
                                      Picture2, Picture3, m_commands[4], m_commands[5]};
    for (qsizetype i = 1; i < focusChain.size(); ++i)
        setTabOrder(focusChain[i - 1], focusChain[i]);
    Picture1->setFocus();
}

template<typename Handler>
void Form1::handle(Handler &&handler)
{
    m_services.guard.run(std::forward<Handler>(handler));
}

void Form1::Form_Load()
{
    handle([this] { m_experiment.load(); });
}

void Form1::Command1_Click()
{
    handle([this] { m_experiment.confirmExit(*this); });
}

void Form1::Command2_Click()
{
    handle([this] { m_experiment.setUp(Scenario::BothWalk); });
}

void Form1::Command3_Click()
{
    handle([this] { m_experiment.setUp(Scenario::DogWalks); });
}

void Form1::Command4_Click()
{
    handle([this] { m_experiment.stop(); });
}

void Form1::Command5_Click()
{
    handle([this] { m_experiment.start(); });
}

void Form1::Command6_Click()
{
    handle([this] {
        playCue(QStringLiteral("pinpon.wav"));
        hide();
        if (!m_form2)
            m_form2 = std::make_unique<Form2>(m_services.guard, m_services.makeControl(), static_cast<MainWindowLink &>(*this));
        m_form2->showAndActivate();
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
    picture(walker)->move(QPoint(BoardBorder, BoardBorder) + board::pointToPixels(x, y));
}

void Form1::setWalkerVisible(Walker walker, bool visible)
{
    picture(walker)->setVisible(visible);
}

void Form1::setReadout(Readout readout, const QString &text)
{
    m_labels[int(readout)]->setText(text);
}

void Form1::setButtonEnabled(Button button, bool enabled)
{
    m_commands[int(button) - 1]->setEnabled(enabled);
}

void Form1::setTimerEnabled(Walker walker, bool enabled)
{
    QTimer &t = timer(walker);
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

void Form1::showMainWindow()
{
    show();
    activateWindow();
}

void Form1::exitFrom(CuePlayer &window)
{
    handle([&] { m_experiment.confirmExit(window); });
}

void Form1::endProgram()
{
    handle([this] { m_experiment.endProgram(); });
}
