#include "answerwindow.h"

#include "answerpages.h"
#include "answerpane.h"
#include "boardview.h"
#include "classtable.h"
#include "savefile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

const char *const Title = "Meetling answer";
constexpr QSize MinimumSize{1024, 640};
constexpr QSize StartSize{1280, 800};
// The text's pixel size at the smallest window; it grows with the window's
// shorter side in proportion, so a full-screen 1920 x 1080 window has 20 px.
constexpr double BasePixels = 12;
constexpr double ZoomStep = 1.15;
constexpr double MinZoom = 0.6;
constexpr double MaxZoom = 2.5;
constexpr int MinSeconds = 10;

// The settings' keys.
const QString MomotaroKey = QStringLiteral("start/momotaro");
const QString DogKey = QStringLiteral("start/dog");
const QString SecondsKey = QStringLiteral("run/seconds");
const QString ClassKey = QStringLiteral("class/csv");
const QString GeometryKey = QStringLiteral("window/geometry");

QPoint toQPoint(Point p)
{
    return {int(p.x), int(p.y)};
}

Point toPoint(QPoint p)
{
    return {std::clamp(p.x(), 0, rules::BoardMax), std::clamp(p.y(), 0, rules::BoardMax)};
}

} // namespace

AnswerWindow::AnswerWindow(QSettings &settings, QWidget *parent) : QMainWindow(parent), m_settings(settings)
{
    setWindowTitle(QString::fromLatin1(Title));
    setMinimumSize(MinimumSize);

    // The board on the left; the answer and, under it, the pages on the right.
    auto *central = new QWidget(this);
    auto *left = new QVBoxLayout;
    m_board = new BoardView(central);
    left->addWidget(m_board, 1);
    auto *lengthRow = new QFormLayout;
    m_seconds = new QSpinBox(central);
    m_seconds->setRange(MinSeconds, int(stats::MaxSeconds));
    m_seconds->setSuffix(QStringLiteral(" s"));
    m_seconds->setAccessibleName(QStringLiteral("Length of a run in seconds"));
    lengthRow->addRow(QStringLiteral("&Length of a run:"), m_seconds);
    left->addLayout(lengthRow);
    auto *right = new QVBoxLayout;
    m_pane = new AnswerPane(central);
    right->addWidget(m_pane);
    m_pages = new AnswerPages(central);
    right->addWidget(m_pages, 1);
    auto *layout = new QHBoxLayout(central);
    layout->addLayout(left, 2);
    layout->addLayout(right, 3);
    setCentralWidget(central);

    // The Tab order: the walkers (Dog first, as on the board program), the
    // run's length, the answer, the pages.
    setTabOrder(m_board->piece(Walker::Dog), m_board->piece(Walker::Momotaro));
    setTabOrder(m_board->piece(Walker::Momotaro), m_seconds);

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    auto action = [this](QMenu *menu, const QString &text, QKeySequence keys, void (AnswerWindow::*slot)()) {
        QAction *a = menu->addAction(text, this, slot);
        a->setShortcut(keys);
        return a;
    };
    action(file, QStringLiteral("&Open class…"), QKeySequence::Open, &AnswerWindow::openClass);
    action(file, QStringLiteral("&Save class…"), QKeySequence::Save, &AnswerWindow::saveClass);
    action(file, QStringLiteral("&New class"), QKeySequence::New, &AnswerWindow::newClass);
    file->addSeparator();
    action(file, QStringLiteral("&Export page…"), QKeySequence(Qt::CTRL | Qt::Key_E), &AnswerWindow::exportPage);
    action(file, QStringLiteral("&Copy the answer"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &AnswerWindow::copyVerdict);
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction *bigger = view->addAction(QStringLiteral("&Larger text"), this, [this] { zoom(ZoomStep); });
    bigger->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction *smaller = view->addAction(QStringLiteral("&Smaller text"), this, [this] { zoom(1 / ZoomStep); });
    smaller->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QAction *full = view->addAction(QStringLiteral("&Full screen"), this, [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    full->setShortcut(QKeySequence(Qt::Key_F11));

    // What the teacher set up last time.
    m_board->setPosition(Walker::Momotaro, toPoint(m_settings.value(MomotaroKey, QPoint(4, 4)).toPoint()));
    m_board->setPosition(Walker::Dog, toPoint(m_settings.value(DogKey, QPoint(6, 4)).toPoint()));
    m_seconds->setValue(m_settings.value(SecondsKey, answer::Question().seconds).toInt());
    m_pages->classTable().readCsv(m_settings.value(ClassKey).toByteArray());
    if (!restoreGeometry(m_settings.value(GeometryKey).toByteArray()))
        resize(StartSize);

    connect(&m_engine, &answer::AnswerEngine::answered, this, &AnswerWindow::showAnswer);
    connect(&m_engine, &answer::AnswerEngine::mapped, m_pages, &AnswerPages::setMap);
    connect(m_board, &BoardView::moved, this, &AnswerWindow::ask);
    connect(m_seconds, &QSpinBox::valueChanged, this, &AnswerWindow::ask);
    connect(m_board, &BoardView::pointClicked, this, [this](Point point) { m_board->setPosition(Walker::Momotaro, point); });
    connect(m_pages, &AnswerPages::heatChanged, this, [this] { m_board->setHeat(m_pages->heat()); });
    scaleText();
    ask();
}

AnswerWindow::~AnswerWindow() = default;

void AnswerWindow::ask()
{
    m_engine.ask({{m_board->position(Walker::Momotaro), m_board->position(Walker::Dog)}, m_seconds->value()});
}

void AnswerWindow::showAnswer(const answer::Answer &answer)
{
    m_answer = answer;
    m_pane->showAnswer(answer);
    m_pages->setAnswer(answer);
    emit answerShown();
}

void AnswerWindow::zoom(double factor)
{
    m_zoom = std::clamp(m_zoom * factor, MinZoom, MaxZoom);
    scaleText();
}

void AnswerWindow::scaleText()
{
    const double scale = std::min(double(width()) / MinimumSize.width(), double(height()) / MinimumSize.height());
    QFont text = QApplication::font();
    text.setPixelSize(int(std::max(1.0, scale) * BasePixels * m_zoom + 0.5));
    setFont(text);
    QFont large = text;
    large.setPixelSize(text.pixelSize() * 4 / 3);
    large.setBold(true);
    m_pane->findChild<QWidget *>(QStringLiteral("verdict"))->setFont(large);
}

void AnswerWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    scaleText();
}

void AnswerWindow::closeEvent(QCloseEvent *event)
{
    remember();
    QMainWindow::closeEvent(event);
}

void AnswerWindow::remember()
{
    m_settings.setValue(MomotaroKey, toQPoint(m_board->position(Walker::Momotaro)));
    m_settings.setValue(DogKey, toQPoint(m_board->position(Walker::Dog)));
    m_settings.setValue(SecondsKey, m_seconds->value());
    m_settings.setValue(ClassKey, m_pages->classTable().csv());
    m_settings.setValue(GeometryKey, saveGeometry());
}

void AnswerWindow::openClass()
{
    const QString name = QFileDialog::getOpenFileName(this, QStringLiteral("Open the class's counts"), QString(),
                                                      QStringLiteral("Class counts (*.csv *.txt);;All files (*)"));
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly) || file.size() > stats::MaxClassFileBytes) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Cannot open %1: %2").arg(name, file.errorString()));
        return;
    }
    if (const std::optional<QString> refused = m_pages->classTable().readCsv(file.readAll())) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Nothing was opened from %1: %2.").arg(name, *refused));
        return;
    }
    m_pages->setCurrentIndex(int(AnswerPages::Page::OurClass));
}

void AnswerWindow::saveClass()
{
    const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Save the class's counts"), QStringLiteral("class.csv"),
                                                      QStringLiteral("Class counts (*.csv)"));
    QString error;
    if (!name.isEmpty() && !stats::saveFile(name, m_pages->classTable().csv(), error))
        QMessageBox::warning(this, windowTitle(), error);
}

void AnswerWindow::newClass()
{
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("Clear every group's counts from the table?"))
        == QMessageBox::Yes)
        m_pages->classTable().clear();
}

void AnswerWindow::exportPage()
{
    const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Save this page as a picture"), QStringLiteral("answer.png"),
                                                      QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)"));
    QString error;
    if (!name.isEmpty() && !m_pages->saveCurrent(name, error))
        QMessageBox::warning(this, windowTitle(), error);
}

void AnswerWindow::copyVerdict()
{
    // The verdict, then the figures as the pane shows them.
    QString text = m_pane->verdictText() + QStringLiteral("\n\n");
    for (AnswerPane::Figure figure : AnswerPane::Figures) {
        for (Scenario scenario : stats::Scenarios) {
            const QWidget *label = m_pane->figureLabel(figure, scenario);
            text += label->accessibleName() + u'\n';
        }
    }
    QApplication::clipboard()->setText(text);
}
