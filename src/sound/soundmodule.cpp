// The sound module: the program loads it on its audio thread and makes the
// worker that plays through Qt Multimedia with this function.

#include "audioworker.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT AudioWorker *meetling_make_audio_worker()
{
    return makeQtAudioWorker();
}
