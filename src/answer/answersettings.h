#pragma once

#include "law/exactlaw.h"
#include "words/language.h"

#include <QObject>
#include <QTimer>
#include <QVariantMap>

#include <memory>

class QLockFile;
class QSettings;

// What the answer window keeps in settings (where the start points, run
// length, class table, zoom, whether the answer is hidden, the language
// and the geometry), read back at the next start. Each is kept as it
// changes, so that a window that ends without closing (its display lost)
// loses nothing; a settings file that cannot be written, or a path that is
// no regular file (never replaced), is said once (notKeptText()).
//
// One window at a time holds the class, by a lock file beside the settings
// file, from its start until it closes; another window on the same
// settings, in this process or another, reads the class as it was when it
// opened and writes nothing. The lock of a window whose process has ended
// is taken over.
class AnswerSettings final : public QObject
{
    Q_OBJECT

public:
    // settings: the window's (the caller's, outliving this).
    explicit AnswerSettings(QSettings &settings, QObject *parent = nullptr);
    ~AnswerSettings() override;

    // The settings file, file, is not a regular file, and the window was
    // given other settings in its place (reading a pipe could wait for
    // ever): nothing is kept.
    void refuse(const QString &file);
    // Another window holds the class: nothing is kept, from the start.
    bool openElsewhere() const { return m_notKept == NotKept::OpenElsewhere; }
    // The window closes: the class is free for another; nothing more is kept.
    void release();

    // What was kept, or what a first start takes.
    Point start(Walker walker) const;
    int seconds() const;
    QByteArray classCsv() const;
    QStringList mistyped() const;
    QString classFile() const;
    double zoom(double least, double most) const;
    QByteArray geometry() const;
    bool answerHidden() const;
    // The rows of the pupils' sheet, from 1 to most.
    int sheetRows(int fallback, int most) const;
    // The language kept in settings (the system's when none is).
    static stats::Language language(const QSettings &settings);
    stats::Language language() const;

    // Keeps a setting: written at once (what is typed), or Soon, with
    // whatever else changes meanwhile (what is dragged or stepped).
    enum When { Now, Soon };
    void keepStart(Walker walker, Point point);
    void keepSeconds(int seconds);
    void keepClass(const QByteArray &csv, const QStringList &mistyped);
    void keepClassFile(const QString &file);
    void keepZoom(double zoom);
    void keepGeometry(const QByteArray &geometry);
    void keepSheetRows(int rows);
    void keepAnswerHidden(bool hidden);
    void keepLanguage(stats::Language language);

    // Why settings are not kept, in the language in use, or nothing while they are.
    QString notKeptText() const;

signals:
    // What is held back (Soon) is due: the owner keeps its geometry, which
    // writes it all.
    void due();
    // Settings are no longer kept: notKeptText() says why.
    void notKept();

private:
    void write(const QString &key, const QVariant &value, When when = Now);
    enum class NotKept { None, NotAFile, CannotWrite, OpenElsewhere };
    void cannotKeep(const QString &file, NotKept why);

    QSettings &m_settings;
    // Held while this window holds the class (none when another does, or
    // when no lock can be made where the settings are).
    std::unique_ptr<QLockFile> m_lock;
    // Whether settings are written.
    bool m_keeping = true;
    QTimer m_keepSoon;
    QVariantMap m_unkept;
    // The settings file not kept, and why, once said.
    QString m_notKeptFile;
    NotKept m_notKept = NotKept::None;
};
