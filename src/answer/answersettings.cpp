#include "answer/answersettings.h"

#include "answer/answerengine.h"
#include "answer/answerlog.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QPoint>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

// The settings' keys.
const QString MomotaroKey = QStringLiteral("start/momotaro");
const QString DogKey = QStringLiteral("start/dog");
const QString SecondsKey = QStringLiteral("run/seconds");
const QString ClassKey = QStringLiteral("class/csv");
const QString GeometryKey = QStringLiteral("window/geometry");
const QString ZoomKey = QStringLiteral("view/zoom");
const QString ClassFileKey = QStringLiteral("class/file");
const QString MistypedKey = QStringLiteral("class/mistyped");
const QString SheetRowsKey = QStringLiteral("sheet/rows");
const QString AnswerHiddenKey = QStringLiteral("view/answerHidden");
const QString LanguageKey = QStringLiteral("view/language");
// How long a drag or a stepping must pause before what it set is written.
constexpr int KeepSoonMs = 300;

// What settings keep under key, or fallback where nothing is kept or the
// line does not read as a point (or a number).
QPoint keptPoint(const QSettings &settings, const QString &key, QPoint fallback)
{
    const QVariant value = settings.value(key);
    return value.typeId() == QMetaType::QPoint ? value.toPoint() : fallback;
}

double keptNumber(const QSettings &settings, const QString &key, double fallback)
{
    bool read = false;
    const double value = settings.value(key).toDouble(&read);
    return read && std::isfinite(value) ? value : fallback;
}

} // namespace

AnswerSettings::AnswerSettings(QSettings &settings, QObject *parent) : QObject(parent), m_settings(settings)
{
    m_keepSoon.setSingleShot(true);
    m_keepSoon.setInterval(KeepSoonMs);
    connect(&m_keepSoon, &QTimer::timeout, this, &AnswerSettings::due);
    // A settings path that is not a regular file (a link to a device, say)
    // is never written: saving would replace it.
    const QFileInfo file(m_settings.fileName());
    if (file.exists() && !file.isFile()) {
        refuse(m_settings.fileName());
        return;
    }
    // One window at a time holds the class. A lock is never taken for stale
    // by its age, a lesson being long, only once its process has ended. A
    // lock that cannot be made at all (no folder can be) leaves the window
    // to find out on writing whether its settings are kept.
    QDir().mkpath(file.absolutePath());
    // Not the ".lock" QSettings itself takes while it writes.
    auto lock = std::make_unique<QLockFile>(m_settings.fileName() + QStringLiteral(".window-lock"));
    lock->setStaleLockTime(std::chrono::milliseconds::zero());
    if (lock->tryLock()) {
        m_lock = std::move(lock);
    } else if (lock->error() == QLockFile::LockFailedError) {
        // A window that does not hold the class writes nothing, from the start.
        m_keeping = false;
        cannotKeep(m_settings.fileName(), NotKept::OpenElsewhere);
    }
}

AnswerSettings::~AnswerSettings() = default;

void AnswerSettings::refuse(const QString &file)
{
    m_keeping = false;
    cannotKeep(file, NotKept::NotAFile);
}

void AnswerSettings::release()
{
    m_lock.reset();
    m_keeping = false;
}

Point AnswerSettings::start(Walker walker) const
{
    const Question first;
    const Point fallback = walker == Walker::Momotaro ? first.starts.momotaro : first.starts.dog;
    const QPoint kept = keptPoint(m_settings, walker == Walker::Momotaro ? MomotaroKey : DogKey,
                                  QPoint(int(fallback.x), int(fallback.y)));
    return {std::clamp(kept.x(), 0, rules::BoardMax), std::clamp(kept.y(), 0, rules::BoardMax)};
}

int AnswerSettings::seconds() const
{
    return int(keptNumber(m_settings, SecondsKey, Question().seconds));
}

QByteArray AnswerSettings::classCsv() const
{
    return m_settings.value(ClassKey).toByteArray();
}

QStringList AnswerSettings::mistyped() const
{
    return m_settings.value(MistypedKey).toStringList();
}

QString AnswerSettings::classFile() const
{
    return m_settings.value(ClassFileKey).toString();
}

double AnswerSettings::zoom(double least, double most) const
{
    return std::clamp(keptNumber(m_settings, ZoomKey, 1.0), least, most);
}

QByteArray AnswerSettings::geometry() const
{
    return m_settings.value(GeometryKey).toByteArray();
}

bool AnswerSettings::answerHidden() const
{
    return m_settings.value(AnswerHiddenKey, false).toBool();
}

int AnswerSettings::sheetRows(int fallback, int most) const
{
    return std::clamp(m_settings.value(SheetRowsKey, fallback).toInt(), 1, most);
}

stats::Language AnswerSettings::language(const QSettings &settings)
{
    return stats::languageOfCode(settings.value(LanguageKey).toString());
}

stats::Language AnswerSettings::language() const
{
    return language(m_settings);
}

void AnswerSettings::keepStart(Walker walker, Point point)
{
    write(walker == Walker::Momotaro ? MomotaroKey : DogKey, QPoint(int(point.x), int(point.y)), Soon);
}

void AnswerSettings::keepSeconds(int seconds)
{
    write(SecondsKey, seconds, Soon);
}

void AnswerSettings::keepClass(const QByteArray &csv, const QStringList &mistyped)
{
    write(MistypedKey, mistyped, Soon);
    write(ClassKey, csv);
}

void AnswerSettings::keepClassFile(const QString &file)
{
    write(ClassFileKey, file);
}

void AnswerSettings::keepZoom(double zoom)
{
    write(ZoomKey, zoom, Soon);
}

void AnswerSettings::keepGeometry(const QByteArray &geometry)
{
    write(GeometryKey, geometry);
}

void AnswerSettings::keepSheetRows(int rows)
{
    write(SheetRowsKey, rows);
}

void AnswerSettings::keepAnswerHidden(bool hidden)
{
    write(AnswerHiddenKey, hidden);
}

void AnswerSettings::keepLanguage(stats::Language language)
{
    write(LanguageKey, stats::languageCode(language));
}

void AnswerSettings::write(const QString &key, const QVariant &value, When when)
{
    if (!m_keeping)
        return;
    if (when == Soon) {
        // A drag moves a walker many times a second; writing the file takes
        // milliseconds, which the figures would wait for: it is held here
        // (QSettings would write it on the event loop's next turn) and
        // written once the drag pauses.
        m_unkept.insert(key, value);
        m_keepSoon.start();
        return;
    }
    m_keepSoon.stop();
    for (auto held = m_unkept.cbegin(); held != m_unkept.cend(); ++held)
        m_settings.setValue(held.key(), held.value());
    m_unkept.clear();
    m_settings.setValue(key, value);
    m_settings.sync();
    // A line of the file that could not be read is an error QSettings keeps
    // saying after it has written the file again without it: a fresh read
    // of the file tells whether it was.
    const QSettings::Status status = m_settings.status();
    if (status == QSettings::AccessError ||
        (status == QSettings::FormatError &&
         QSettings(m_settings.fileName(), m_settings.format()).status() != QSettings::NoError))
        cannotKeep(m_settings.fileName(), NotKept::CannotWrite);
}

void AnswerSettings::cannotKeep(const QString &file, NotKept why)
{
    if (m_notKept != NotKept::None)
        return;
    m_notKeptFile = file;
    m_notKept = why;
    qCWarning(lcAnswer).noquote() << "settings not kept:" << QDir::toNativeSeparators(file)
                                  << (why == NotKept::NotAFile      ? "is not a regular file"
                                      : why == NotKept::CannotWrite ? "cannot be written"
                                                                    : "is held by another window");
    emit notKept();
}

QString AnswerSettings::notKeptText() const
{
    const QString native = QDir::toNativeSeparators(m_notKeptFile);
    switch (m_notKept) {
    case NotKept::None: break;
    case NotKept::NotAFile:
        return tr("What is set up here will not come back at the next start: the settings file %1 is not saved, as it is not a regular file.")
            .arg(native);
    case NotKept::CannotWrite:
        return tr("What is set up here will not come back at the next start: the settings file %1 is not saved, as it cannot be written.")
            .arg(native);
    case NotKept::OpenElsewhere:
        return tr("The class is open in another window: this window changes neither its counts nor the settings file %1.")
            .arg(native);
    }
    return {};
}
