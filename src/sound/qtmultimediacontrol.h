#pragma once

#include "multimediacontrol.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QUrl>

class QSoundEffect;

// A multimedia control that plays wave files through Qt Multimedia.
//
// A bare file name is looked up in the working directory first; when it is
// not there, the program's own copy of that sound is played, so the cues
// sound however the program was started. Every failure (no such sound, a
// corrupt file, no audio server) is silent.
//
// Each sound is loaded once and kept, so that a cue after the first costs no
// file reading or decoding.
class QtMultimediaControl final : public QObject, public MultimediaControl
{
public:
    explicit QtMultimediaControl(QObject *parent = nullptr);
    ~QtMultimediaControl() override;

    void setCommand(const QString &command) override;
    void setFileName(const QString &fileName) override;

    // Loads the given sounds ahead of their first cue.
    void preload(const QStringList &fileNames);

    // Where "Open" finds fileName: the working directory's file, else the
    // built-in copy, else an empty URL.
    static QUrl locate(const QString &fileName);

private:
    QSoundEffect *effectFor(const QUrl &source);

    QString m_fileName;
    QSoundEffect *m_open = nullptr;
    QHash<QUrl, QSoundEffect *> m_effects;
};
