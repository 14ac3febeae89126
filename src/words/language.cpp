#include "words/language.h"

#include "words/phrases.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

namespace stats {

namespace {

// Where the build puts the compiled catalogues: one per library and
// language, "meetling_stats_ja.qm".
const QString CatalogueFolder = QStringLiteral(":/i18n");

std::vector<std::unique_ptr<QTranslator>> &installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

Language &inUse()
{
    static Language language = Language::English;
    return language;
}

const LanguageRow &rowOf(Language language)
{
    return Languages[std::size_t(language)];
}

Language fromSystem()
{
    // The user's languages in their order of preference (LANGUAGE first,
    // then LC_ALL, LC_MESSAGES and LANG); "C" and the languages the programs
    // lack are passed over.
    for (const QString &name : QLocale::system().uiLanguages()) {
        const QLocale::Language wanted = QLocale(name).language();
        for (std::size_t row = 0; row < Languages.size(); ++row) {
            if (Languages[row].locale == wanted)
                return Language(row);
        }
    }
    return Language::English;
}

// The locale numbers and dates are written in: the system's where it speaks
// the language (British English keeps its dates), the language's main one
// where it does not, so that a sentence and its numbers agree (an English
// sentence on a German system writes 2,000 runs, not 2.000).
QLocale localeFor(Language language)
{
    const QLocale system = QLocale::system();
    const LanguageRow &row = rowOf(language);
    if (system.language() == row.locale)
        return system;
    return QLocale(row.locale, row.territory);
}

// A catalogue whose Japanese comes with its phrases joined, so that every
// text set on a label, a chart or a sheet breaks its lines between phrases.
class PhrasedTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation, int n) const override
    {
        return joinedPhrases(QTranslator::translate(context, sourceText, disambiguation, n));
    }
};

} // namespace

Language useLanguage(Language language)
{
    if (language == Language::System)
        language = fromSystem();
    for (const auto &translator : installed())
        QCoreApplication::removeTranslator(translator.get());
    installed().clear();

    const QString code = QString::fromLatin1(rowOf(language).code);
    const QString suffix = u'_' + code + QStringLiteral(".qm");
    const QStringList files = QDir(CatalogueFolder).entryList({u'*' + suffix}, QDir::Files, QDir::Name);
    const auto install = [](const QString &file, const QString &folder, std::unique_ptr<QTranslator> translator) {
        if (translator->load(file, folder) && QCoreApplication::installTranslator(translator.get()))
            installed().push_back(std::move(translator));
    };
    // Qt's own texts (the boxes' buttons, the file and print dialogs) from
    // Qt's catalogue, where the system has it; English is their own. It goes
    // in first, so that the programs' own catalogues, searched first, may
    // word a text of Qt's their way.
    if (language != Language::English)
        install(QStringLiteral("qtbase_%1.qm").arg(code), QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                std::make_unique<QTranslator>());
    for (const QString &file : files)
        install(file, CatalogueFolder, std::make_unique<PhrasedTranslator>());
    QLocale::setDefault(localeFor(language));
    inUse() = language;
    return language;
}

std::vector<Language> allLanguages()
{
    std::vector<Language> languages{Language::System};
    for (std::size_t row = 0; row < Languages.size(); ++row)
        languages.push_back(Language(row));
    return languages;
}

QString languageCode(Language language)
{
    return language == Language::System ? QStringLiteral("system") : QString::fromLatin1(rowOf(language).code);
}

Language languageOfCode(const QString &code)
{
    for (Language language : allLanguages()) {
        if (languageCode(language) == code)
            return language;
    }
    return Language::System;
}

QString languageName(Language language)
{
    return QString::fromUtf8(rowOf(language).name);
}

QStringList fontFamilies(Weight weight)
{
    QStringList families;
    for (const char *face : weight == Weight::Bold ? rowOf(inUse()).boldFaces : rowOf(inUse()).regularFaces) {
        if (face)
            families << QString::fromUtf8(face);
    }
    return families;
}

} // namespace stats
