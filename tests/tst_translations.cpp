// The catalogues are complete: lupdate run over today's sources, into a
// scratch copy of them, leaves no text without its translation, and every
// translation keeps the numbers its text is filled in with; the build
// makes a catalogue of every language the programs' table has.

#include "waiting.h"
#include "words/language.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message
{
    QString context;
    QString source;
    bool numerus = false;
    bool finished = true;
    QStringList forms; // the translation, or its plural forms
};

QList<Message> read(const QString &file)
{
    QList<Message> messages;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&in);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == u"name") {
            context = xml.readElementText();
        } else if (name == u"message") {
            message = Message{context, {}, xml.attributes().value(QLatin1String("numerus")) == u"yes", true, {}};
        } else if (name == u"source") {
            message.source = xml.readElementText();
        } else if (name == u"translation") {
            const auto type = xml.attributes().value(QLatin1String("type"));
            message.finished = type.isEmpty();
            if (message.numerus) {
                while (xml.readNextStartElement())
                    message.forms << xml.readElementText();
            } else {
                message.forms << xml.readElementText();
            }
            messages << message;
        }
    }
    return messages;
}

// The numbers a text is filled in with, and its accelerator: %1 to %99,
// %n and the forms with L.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%L?(?:[1-9][0-9]?|n)"));
    QStringList found;
    for (const QRegularExpressionMatch &match : marker.globalMatch(text))
        found << match.captured();
    found.sort();
    found.removeDuplicates();
    return found;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void theBuildHasEveryLanguage();
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();

private:
    QTemporaryDir m_scratch;
    bool m_updated = false;
};

void TestTranslations::theBuildHasEveryLanguage()
{
    QStringList codes;
    for (const stats::LanguageRow &row : stats::Languages)
        codes << QString::fromLatin1(row.code);
    QCOMPARE(QStringLiteral(MEETLING_LANGUAGES)
                 .replace(QRegularExpression(QStringLiteral("_[A-Z]+")), QString())
                 .split(u' '),
             codes);
}

void TestTranslations::everyTextIsTranslated_data()
{
    // One lupdate over a copy of the catalogues serves every row.
    QVERIFY(m_scratch.isValid());
    const QDir catalogues(QStringLiteral(MEETLING_SOURCE_DIR "/translations"));
    for (const QString &file : catalogues.entryList({QStringLiteral("*.ts")}, QDir::Files))
        QVERIFY(QFile::copy(catalogues.filePath(file), m_scratch.filePath(file)));
    QProcess lupdate;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LUPDATE"), QStringLiteral(MEETLING_LUPDATE));
    lupdate.setProcessEnvironment(environment);
    lupdate.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    lupdate.start(QStringLiteral("sh"),
                  {QStringLiteral(MEETLING_SOURCE_DIR "/tools/translations.sh"), m_scratch.path()});
    QVERIFY(lupdate.waitForFinished(int(waitDeadline().count()) * 3));
    QCOMPARE(lupdate.exitCode(), 0);

    QTest::addColumn<QString>("file");
    for (const char *catalogue : {"answer", "stats"}) {
        for (const stats::LanguageRow &row : stats::Languages) {
            const QString name =
                QStringLiteral("meetling_%1_%2.ts").arg(QLatin1String(catalogue), QLatin1String(row.code));
            QTest::newRow(qPrintable(name)) << m_scratch.filePath(name);
        }
    }
}

void TestTranslations::everyTextIsTranslated()
{
    QFETCH(QString, file);
    const QList<Message> messages = read(file);
    QVERIFY2(!messages.isEmpty(), qPrintable(file));
    QStringList faults;
    for (const Message &m : messages) {
        const QString where = QStringLiteral("%1: \"%2\"").arg(m.context, m.source);
        if (!m.finished) {
            faults << where + QStringLiteral(" is not translated");
            continue;
        }
        for (const QString &form : m.forms) {
            if (form.isEmpty())
                faults << where + QStringLiteral(" has an empty translation");
            // A singular may say "one" where its text has %n.
            else if (placeholders(form) != placeholders(m.source) &&
                     !(m.numerus && form == m.forms.first() && m.forms.size() > 1 &&
                       placeholders(form + QStringLiteral("%n")) == placeholders(m.source)))
                faults << where + QStringLiteral(" is translated with %1 where it has %2")
                                      .arg(placeholders(form).join(u' '), placeholders(m.source).join(u' '));
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
