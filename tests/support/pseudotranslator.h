#pragma once

// A translation into a made-up language whose every text is 40% longer than
// the English one, its words lengthened in place so that lines still break
// between them; what a text is filled in with (%1, %n), its markup and its
// accelerator are kept. A window that holds this holds most languages.

#include <QDir>
#include <QRegularExpression>
#include <QTranslator>

#include <cmath>
#include <memory>
#include <vector>

class PseudoTranslator : public QTranslator
{
public:
    PseudoTranslator()
    {
        // English's own plural forms, lengthened too.
        const QDir folder(QStringLiteral(":/i18n"));
        for (const QString &file : folder.entryList({QStringLiteral("*_en.qm")}, QDir::Files)) {
            auto english = std::make_unique<QTranslator>();
            if (english->load(file, folder.path()))
                m_english.push_back(std::move(english));
        }
    }

    bool isEmpty() const override { return false; }

    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        // Qt's own texts (its key names among them) are left to Qt.
        if (context[0] == 'Q' && QChar::isUpper(context[1]))
            return {};
        QString text;
        for (const auto &english : m_english) {
            text = english->translate(context, source, disambiguation, n);
            if (!text.isEmpty())
                break;
        }
        return lengthened(text.isEmpty() ? QString::fromUtf8(source) : text);
    }

    static QString lengthened(const QString &text)
    {
        // Words of letters, not in a tag, an entity or a placeholder.
        static const QRegularExpression word(QStringLiteral(R"((<[^>]*>|&\w+;|%L?\w)|(\p{L}+))"));
        QString out;
        qsizetype from = 0;
        for (const QRegularExpressionMatch &match : word.globalMatch(text)) {
            out += text.mid(from, match.capturedEnd() - from);
            from = match.capturedEnd();
            if (match.hasCaptured(2))
                out += QString(qsizetype(std::ceil(0.4 * match.capturedLength(2))), QChar(0x01DD)); // ǝ
        }
        return out + text.mid(from);
    }

private:
    std::vector<std::unique_ptr<QTranslator>> m_english;
};
