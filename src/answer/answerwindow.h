#pragma once

#include "answer/answerengine.h"
#include "answer/answersettings.h"
#include "words/language.h"
#include "pictures/sheets.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class AnswerPages;
class AnswerPane;
class BoardView;
class QScrollArea;
class QAction;
class QLabel;
class QSettings;
class QSpinBox;
class QToolBar;

// The "Meetling answer" window: the board to set the question, the answer
// beside it, the pages of detail below. Every figure comes from the
// engine's worker thread; the window only shows them, and says when they
// are being worked out. What the teacher set up is kept in settings and
// comes back at the next start.
//
// The window fits its screen (its first start fills the screen's work area,
// later ones open at the size it was left), and its content scales as a
// whole: the text, the board and the charts grow with the window and with
// the zoom (Ctrl+Plus, Ctrl+Minus, Ctrl+0), and F11 fills the screen for a
// projector. Content larger than the window scrolls; nothing is cut off.
//
// F5 hides the answer, so that a lesson can start with the class's guesses:
// the pane and the pages that show it are covered, the board shows no map,
// and the class's own pages leave it out; nothing of it is copied or
// exported. F5 again shows it, and the choice is kept in settings.
//
// View › Language chooses the language of its texts, kept in settings:
// every part of the window words itself again in it, in place (a class
// playing at speed plays on).
class AnswerWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // settings: where what the teacher set up is kept (the caller's,
    // outliving the window; AnswerSettings). A window that another holds
    // the class against shows the class as it was when it opened,
    // read-only, says that it is open in another window, and writes nothing.
    explicit AnswerWindow(QSettings &settings, QWidget *parent = nullptr);
    ~AnswerWindow() override;

    // The settings file, file, is not a regular file, and the window was
    // given other settings in its place (reading a pipe could wait for
    // ever): it keeps nothing, and says so once.
    void refuseSettingsFile(const QString &file);

    // Hides the answer, or shows it, for this window only: what settings
    // keep is what the teacher last chose with F5.
    void setAnswerHidden(bool hidden);
    bool answerHidden() const;

    // The language kept in settings (the system's when none is).
    static stats::Language keptLanguage(const QSettings &settings);
    // Installs language's catalogues and locale, and sets the application's
    // font for it; every widget is then told (QEvent::LanguageChange).
    // Returns the language now in use.
    static stats::Language useLanguage(stats::Language language);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The menus, their actions and the tool bar.
    void makeMenus();
    // Sets the window's own texts in the language in use; its parts word
    // themselves, the answer in view too.
    void retranslate();
    void nameHideAnswer();
    // Says why settings are not kept, in the status bar, once they are not.
    void showNotKept();
    void ask();
    void showAnswer(const SharedAnswer &answer);
    void showPending();
    void applyAnswerHidden(bool hidden);
    void chooseLanguage(stats::Language language);
    void sayAnswerHidden();
    // Runs action once the answer to the question on the board is worked
    // out; one that shows the answer is refused while it is hidden.
    enum Shows { ShowsAnswer, ShowsNothingOfIt };
    void whenAnswered(std::function<void()> action, Shows shows = ShowsAnswer);

    // The zoom, the screen and the keys (answerview.cpp).
    void setZoom(double zoom);
    void stepZoom(int by);
    void togglePresentation();
    void rescale();
    // Keeps the window within its screen's work area, or fills the area.
    void fitOnScreen(bool fill = false);
    // Holds the engine's work ahead while the window is hidden or minimised.
    void holdWhileUnseen();

    // The class's files, the page's picture, the sheets and the clipboard
    // (answerexports.cpp).
    void openClass();
    void saveClass();
    void newClass();
    void exportPage();
    // The lesson's sheets for the question on the board (sheets.h).
    std::optional<stats::SheetSetup> sheetSetup(stats::Sheet sheet);
    void withSheet(stats::Sheet sheet,
                   const std::function<void(const stats::Answer &, const stats::SheetSetup &)> &use);
    void printSheet(stats::Sheet sheet);
    void saveSheet(stats::Sheet sheet);
    void copyVerdict();
    // Why a file chosen to save into must not be written, or nothing.
    QString refusedTarget(const QString &name) const;

    // The zooms stepped through, as a share of the content's size at 100%.
    static constexpr std::array<double, 12> Zooms{0.5, 0.67, 0.8, 0.9, 1, 1.1, 1.25, 1.5, 1.75, 2, 2.5, 3};

    AnswerSettings m_kept;
    AnswerEngine m_engine;
    // The question last asked, and the answer in view (null while it is
    // worked out).
    Question m_asked;
    SharedAnswer m_answer;
    QScrollArea *m_scroller = nullptr;
    QWidget *m_content = nullptr;
    BoardView *m_board = nullptr;
    QSpinBox *m_seconds = nullptr;
    QLabel *m_lengthLabel = nullptr;
    AnswerPane *m_pane = nullptr;
    AnswerPages *m_pages = nullptr;
    // "Hide the answer", checked while it is hidden.
    QAction *m_hideAnswer = nullptr;
    QToolBar *m_tools = nullptr;
    // The menus' and the actions' texts, untranslated (QT_TR_NOOP).
    std::vector<std::pair<QAction *, const char *>> m_worded;
    // File › Open class and New class, refused while another window holds the class.
    QAction *m_openClass = nullptr;
    QAction *m_newClass = nullptr;
    // View › Language's choices, one for each of stats::allLanguages(), and the one chosen.
    std::vector<QAction *> m_languages;
    stats::Language m_language = stats::Language::System;
    double m_zoom = 1.0;
    // The class's file as last opened or saved; exports never write over it.
    QString m_classFile;
    // What waits for the answer to be worked out (a copy, an export).
    std::function<void()> m_whenAnswered;
    Shows m_whenAnsweredShows = ShowsAnswer;
    // Placed on the screen at the first show, and again once the window
    // manager has added its frame; filling the work area when no size was kept.
    bool m_fitted = false;
    bool m_fillScreen = false;
};
