// Linked into the tests that read the programs' texts: those are in English,
// with English's plural forms, whatever language the machine speaks.

#include "words/language.h"

#include <QCoreApplication>

namespace {

void inEnglish()
{
    stats::useLanguage(stats::Language::English);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(inEnglish)
