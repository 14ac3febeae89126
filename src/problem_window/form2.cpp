#include "form2.h"

#include "errorguard.h"
#include "fonts.h"
#include "mainwindowlink.h"
#include "multimediacontrol.h"
#include "onscreen.h"
#include "printbox.h"
#include "problemtexts.h"
#include "soundcue.h"
#include "twips.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPushButton>

namespace {

const char *const Title = "The 4th Japan Mathematics Competition Problem (8.22.1993)";
constexpr QSize ClientSize{512, 534};
constexpr QPoint StoredPosition{135, 35};
constexpr double PrintPointSize = 12;
// Colour numbers 12, 9 and 0 of the standard 16-colour palette.
constexpr QColor LightRed{255, 0, 0};
constexpr QColor LightBlue{0, 0, 255};
constexpr QColor Black{0, 0, 0};

// Geometries in twips, topmost control first.
constexpr QRect ConditionsBox = twips::toPixels(120, 5640, 7455, 2295);
constexpr QRect SimulationButton = twips::toPixels(6120, 0, 1575, 375);
constexpr QRect ExitButton = twips::toPixels(0, 0, 855, 375);
constexpr QRect ProblemBox = twips::toPixels(120, 600, 7455, 4815);
constexpr QRect Separator = twips::toPixels(0, 360, 7695, 15); // (0, 360) to (7680, 360)

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

Form2::Form2(ErrorGuard &guard, std::unique_ptr<MultimediaControl> control, MainWindowLink &mainWindow,
             QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_guard(guard)
    , MMControl1(std::move(control))
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString::fromUtf8(Title));
    setGeometry(QRect(StoredPosition, ClientSize));
    setFixedSize(ClientSize);
    // The buttons in the board window's font; Enter presses the focused one.
    setFont(fonts::windowFont());
    onscreen::keepOnScreenWhenShown(*this);

    // Created bottom-most first, so that each control covers the ones before.
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(Separator);
    QPalette linePalette = line->palette();
    linePalette.setColor(QPalette::Window, linePalette.color(QPalette::WindowText));
    line->setPalette(linePalette);
    line->setAutoFillBackground(true);

    Picture1 = new PrintBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(ProblemBox);
    Picture1->setAccessibleName(QStringLiteral("Problem"));
    Picture1->setFocusPolicy(Qt::StrongFocus);

    Command1 = new QPushButton(QStringLiteral("Exit"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(ExitButton);
    Command1->setAccessibleName(Command1->text());
    Command1->setAutoDefault(true);

    Command2 = new QPushButton(QStringLiteral("Simulation"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(SimulationButton);
    Command2->setAccessibleName(Command2->text());
    Command2->setAutoDefault(true);

    Picture2 = new PrintBox(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(ConditionsBox);
    Picture2->setAccessibleName(QStringLiteral("Simulation conditions"));
    Picture2->setFocusPolicy(Qt::TabFocus);

    // The story was laid out line by line for a narrow Japanese face. Where
    // the installed face is wider, its glyphs are narrowed just enough for
    // the longest line to fit, rather than cut the lines off at the edge.
    const int stretch = stretchToFit(qMin(Picture1->contentsRect().width(), Picture2->contentsRect().width()));
    Picture1->setFontStretch(stretch);
    Picture2->setFontStretch(stretch);

    setTabOrder(Picture1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Picture2);
    Picture1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
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

void Form2::Command1_Click()
{
    m_mainWindow.exitFrom(*this);
}

void Form2::Command2_Click()
{
    m_guard.run([this] {
        playCue(QStringLiteral("pinpon.wav"));
        hide();
        m_mainWindow.showMainWindow();
    });
}

void Form2::closeEvent(QCloseEvent *event)
{
    // Closing through the frame ends the program, as on the board window.
    event->accept();
    m_mainWindow.endProgram();
}

void Form2::playCue(const QString &waveFile)
{
    SoundCue(*MMControl1, waveFile);
}
