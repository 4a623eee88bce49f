#include "japanese_text.h"

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

// The value of a C++ literal's body, with its escapes resolved.
QString unescaped(const QString& body)
{
    static const QHash<QChar, QChar> escapes{{u'n', u'\n'}, {u't', u'\t'}, {u'"', u'"'}, {u'\'', u'\''}, {u'\\', u'\\'}};
    QString text;
    for (qsizetype i = 0; i < body.size(); ++i)
        text += body[i] == u'\\' && i + 1 < body.size() ? escapes.value(body[++i], u'?') : body[i];
    return text;
}

// The string literals of a C++ source, literals with only white space
// between them joined into one, as the compiler joins them. Comments and
// character literals are skipped; a quote after a digit separates digits.
QStringList stringLiterals(const QString& code)
{
    QStringList literals;
    bool joins = false;  // whether only white space and comments follow the last literal
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code.mid(i, 2) == QLatin1String("//")) {
            i = code.indexOf(u'\n', i);
        } else if (code.mid(i, 2) == QLatin1String("/*")) {
            i = code.indexOf(QLatin1String("*/"), i + 2);
            i += i < 0 ? 0 : 1;
        } else if (code[i] == u'\'' && !(i > 0 && code[i - 1].isLetterOrNumber())) {
            joins = false;
            for (++i; i < code.size() && code[i] != u'\''; ++i)
                i += code[i] == u'\\';
        } else if (code[i] == u'"') {
            const qsizetype start = ++i;
            for (; i < code.size() && code[i] != u'"'; ++i)
                i += code[i] == u'\\';
            const QString text = unescaped(code.mid(start, i - start));
            if (joins)
                literals.last() += text;
            else
                literals << text;
            joins = true;
        } else if (!code[i].isSpace()) {
            joins = false;
        }
        if (i < 0)
            break;
    }
    return literals;
}

// The Japanese texts of a catalogue that have a finished English translation.
QSet<QString> translatedTexts(const QString& program)
{
    QSet<QString> english;
    QFile file(QStringLiteral(SOURCE_DIR "/translations/%1_en.ts").arg(program));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << program.toStdString();
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (finished && !text.isEmpty() && !hasJapanese(text))
                english.insert(source);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return english;
}

}  // namespace

// Every Japanese text in the programs' sources is a text of the catalogue the
// program loads, with a finished English translation: a text shown without
// tr(), or added to the sources but not translated, would stay Japanese on an
// English desktop. Each folder is checked against its program's catalogue
// and the shared one.
TEST(SourceTexts, EveryJapaneseLiteralHasAnEnglishTranslation)
{
    const QSet<QString> common = translatedTexts(QStringLiteral("common"));
    const std::pair<const char*, const char*> folders[] = {{"desktop", nullptr}, {"player", "vorpel"}, {"maker", "kestra"}};
    int checked = 0;
    for (const auto& [folder, program] : folders) {
        const QSet<QString> own = program ? translatedTexts(QLatin1String(program)) : QSet<QString>();
        QDirIterator files(QStringLiteral(SOURCE_DIR "/") + QLatin1String(folder), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            for (const QString& text : stringLiterals(QString::fromUtf8(file.readAll()))) {
                if (!hasJapanese(text))
                    continue;
                ++checked;
                EXPECT_TRUE(own.contains(text) || common.contains(text))
                    << file.fileName().toStdString() << ": no English for \"" << text.toStdString() << '"';
            }
        }
    }
    EXPECT_GT(checked, 300);
}
