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
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// One of the program's own PNG pictures. Read as PNG and nothing else:
// Qt otherwise asks every image plugin whether it reads the file, which
// loads them all (and the SVG and JPEG libraries) before the first paint.
QPixmap builtInPicture(const char *resource)
{
    QImageReader reader(QString::fromLatin1(resource), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

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

// Positions in twips, relative to the container's client area.
struct Twips
{
    int left, top, width, height;
    constexpr QRect pixels() const { return twips::toPixels(left, top, width, height); }
};

} // namespace

// Every control of the window, one table per kind, each row naming the member
// it fills. Lines are one pixel thick and given by their bounding box.
struct Form1::Layout
{
    struct ButtonRow
    {
        QPushButton *Form1::*member;
        const char *name;
        Twips at;
        const char *caption;
        void (Form1::*clicked)();
    };
    static constexpr ButtonRow Buttons[] = {
        {&Form1::Command1, "Command1", {480, 0, 855, 375}, "Exit", &Form1::Command1_Click},
        {&Form1::Command2, "Command2", {4680, 0, 1455, 375}, "When two srart", &Form1::Command2_Click},
        {&Form1::Command3, "Command3", {6240, 0, 1455, 375}, "When one starts", &Form1::Command3_Click},
        {&Form1::Command4, "Command4", {2520, 0, 855, 375}, "Stop", &Form1::Command4_Click},
        {&Form1::Command5, "Command5", {3480, 0, 1095, 375}, "Start", &Form1::Command5_Click},
        {&Form1::Command6, "Command6", {1440, 0, 975, 375}, "Problem", &Form1::Command6_Click},
    };

    // White, framed in black, centred; the text in its colour and, where
    // given, its own font size (ReadoutLabel).
    struct ReadoutRow
    {
        QLabel *Form1::*member;
        const char *name;
        Twips at;
        QColor textColor;
        double pointSize;
        const char *accessibleName;
    };
    static constexpr ReadoutRow Readouts[] = {
        {&Form1::Label1, "Label1", {6480, 5160, 1575, 255}, QColor(0, 0, 0), 0, "Dog's position"},
        {&Form1::Label2, "Label2", {4320, 5160, 2055, 255}, QColor(0, 0, 0), 0, "Momotaro's position"},
        {&Form1::Label3, "Label3", {120, 5160, 2655, 255}, QColor(255, 0, 0), MeetingPointSize, "Number of meetings"},
        {&Form1::Label4, "Label4", {2880, 5160, 1335, 255}, QColor(0, 0, 255), 0, "Elapsed time"},
    };

    // On the board, in the bold axis font.
    struct AxisRow
    {
        QLabel *Form1::*member;
        const char *name;
        Twips at;
        const char *text;
    };
    static constexpr AxisRow AxisLabels[] = {
        {&Form1::Label5, "Label5", {240, 240, 255, 255}, "0"},
        {&Form1::Label6, "Label6", {6720, 0, 135, 255}, "x"},
        {&Form1::Label7, "Label7", {120, 4080, 255, 255}, "y"},
        {&Form1::Label8, "Label8", {3360, 240, 135, 255}, "5"},
        {&Form1::Label9, "Label9", {240, 2040, 135, 255}, "5"},
        {&Form1::Label10, "Label10", {6360, 240, 255, 255}, "10"},
        {&Form1::Label11, "Label11", {240, 3840, 255, 255}, "10"},
    };

    struct LineRow
    {
        QFrame *Form1::*member;
        const char *name;
        bool onBoard;
        Twips at;
    };
    static constexpr LineRow Lines[] = {
        {&Form1::Line1, "Line1", false, {0, 360, 8175, 15}},   // (0, 360) to (8160, 360)
        {&Form1::Line2, "Line2", true, {120, 120, 15, 3975}},  // (120, 120) to (120, 4080)
        {&Form1::Line3, "Line3", true, {120, 120, 6495, 15}},  // (6600, 120) to (120, 120)
    };

    struct PictureRow
    {
        QLabel *Form1::*member;
        const char *name;
        Twips at;
        const char *resource;
        const char *accessibleName;
    };
    static constexpr PictureRow Pictures[] = {
        {&Form1::Picture2, "Picture2", {2160, 1920, 510, 510}, ":/pictures/dog.png", "Dog"},
        {&Form1::Picture3, "Picture3", {3480, 1920, 495, 540}, ":/pictures/momotaro.png", "Momotaro"},
    };
};

Form1::Form1(Services services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_services(std::move(services))
    , m_experiment(*this, m_services)
    , MMControl1(m_services.makeControl())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(Title));
    // The installed theme icon (named after the desktop entry) has every size;
    // the built-in 32 x 32 one serves when the program runs from its build.
    setWindowIcon(QIcon(builtInPicture(":/pictures/icon.png")));
    setGeometry(QRect(StoredPosition, ClientSize));
    setFixedSize(ClientSize);
    onscreen::keepOnScreenWhenShown(*this);
    setBackground(this, WindowGrey);
    setFont(fonts::windowFont());
    buildControls();

    for (QTimer *timer : {&Timer1, &Timer2}) {
        timer->setInterval(rules::TickInterval);
        timer->setTimerType(Qt::PreciseTimer);
    }
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer2.setObjectName(QStringLiteral("Timer2"));
    connect(&Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);

    for (const Layout::ButtonRow &row : Layout::Buttons)
        connect(this->*row.member, &QPushButton::clicked, this, row.clicked);

    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    const QPoint onBoard(board::BorderPixels, board::BorderPixels);

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(board::Frame);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(board::BorderPixels);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setAccessibleName(QStringLiteral("Board"));
    setBackground(Picture1, palette().color(QPalette::Button));

    for (const Layout::ButtonRow &row : Layout::Buttons) {
        auto *button = new QPushButton(QString::fromUtf8(row.caption), this);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setGeometry(row.at.pixels());
        button->setAccessibleName(button->text());
        // Enter presses the focused button, as Space does.
        button->setAutoDefault(true);
        this->*row.member = button;
    }

    for (const Layout::ReadoutRow &row : Layout::Readouts) {
        auto *label = new ReadoutLabel(row.textColor, this);
        label->setObjectName(QString::fromLatin1(row.name));
        label->setGeometry(row.at.pixels());
        label->setAccessibleName(QString::fromUtf8(row.accessibleName));
        if (row.pointSize > 0)
            label->setFont(fonts::japaneseGothic(row.pointSize));
        this->*row.member = label;
    }

    for (const Layout::AxisRow &row : Layout::AxisLabels) {
        auto *label = new QLabel(QString::fromUtf8(row.text), Picture1);
        label->setObjectName(QString::fromLatin1(row.name));
        label->setFont(fonts::japaneseGothic(AxisPointSize, true));
        // "10" in the bold axis font is a pixel or two wider than its label:
        // widen the label rather than cut the number.
        QRect geometry = row.at.pixels().translated(onBoard);
        geometry.setWidth(qMax(geometry.width(), label->sizeHint().width()));
        label->setGeometry(geometry);
        this->*row.member = label;
    }

    for (const Layout::LineRow &row : Layout::Lines) {
        auto *line = new QFrame(row.onBoard ? static_cast<QWidget *>(Picture1) : this);
        line->setObjectName(QString::fromLatin1(row.name));
        line->setGeometry(row.onBoard ? row.at.pixels().translated(onBoard) : row.at.pixels());
        setBackground(line, palette().color(QPalette::WindowText));
        this->*row.member = line;
    }

    for (const Layout::PictureRow &row : Layout::Pictures) {
        auto *picture = new QLabel(Picture1);
        picture->setObjectName(QString::fromLatin1(row.name));
        picture->setGeometry(row.at.pixels().translated(onBoard));
        picture->setPixmap(builtInPicture(row.resource));
        picture->setFocusPolicy(Qt::TabFocus);
        picture->setAccessibleName(QString::fromUtf8(row.accessibleName));
        this->*row.member = picture;
    }

    // Stacking, topmost first in each container: an earlier control covers
    // a later one where they overlap.
    const QList<QWidget *> windowTopmostFirst{Command6, Command5, Picture1, Command4, Command3, Command2,
                                              Command1, Line1,    Label4,   Label3,   Label2,   Label1};
    const QList<QWidget *> boardTopmostFirst{Picture3, Picture2, Label11, Label10, Label9, Label8,
                                             Label7,   Label6,   Label5,  Line3,   Line2};
    for (const QList<QWidget *> &topmostFirst : {windowTopmostFirst, boardTopmostFirst}) {
        for (auto it = topmostFirst.rbegin(); it != topmostFirst.rend(); ++it)
            (*it)->raise();
    }

    // Keyboard focus: the board first, then the buttons and pictures in the
    // window's own order.
    const QList<QWidget *> focusChain{Picture1, Command1, Command2, Command3, Command4,
                                      Picture2, Picture3, Command5, Command6};
    for (qsizetype i = 1; i < focusChain.size(); ++i)
        setTabOrder(focusChain[i - 1], focusChain[i]);
    Picture1->setFocus();
}

template<typename Handler>
void Form1::handle(Handler &&handler)
{
    m_services.guard.run(std::forward<Handler>(handler));
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

#include "form1.moc"
