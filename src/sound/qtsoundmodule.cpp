// The sound module: the plugin the program loads on its audio thread to
// play through Qt Multimedia.

#include "qtaudiooutput.h"
#include "soundmodule.h"

#include <QObject>

class QtSoundModule final : public QObject, public SoundModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SoundModule_iid)
    Q_INTERFACES(SoundModule)

public:
    std::unique_ptr<AudioOutput> makeOutput() override { return makeQtAudioOutput(); }
};

#include "qtsoundmodule.moc"
