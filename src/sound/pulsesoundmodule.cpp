// The sound module: the plugin the program loads on its audio thread to
// play through the audio server.

#include "sound/pulseoutput.h"
#include "sound/soundmodule.h"

#include <QObject>

class PulseSoundModule final : public QObject, public SoundModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SoundModule_iid)
    Q_INTERFACES(SoundModule)

public:
    std::unique_ptr<AudioOutput> makeOutput() override { return makePulseOutput(); }
};

#include "pulsesoundmodule.moc"
