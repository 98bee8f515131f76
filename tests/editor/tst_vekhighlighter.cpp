// VekHighlighter: the colour classes of Vek source.
#include "app/vek_highlighter.h"

#include <QtTest>

#include "vek/reserved_words.h"

using namespace vek::editor;
using Kind = VekHighlighter::Kind;

namespace {

// One letter per character: k keyword, ' comment, t text, n note, 9 number,
// m macro, a argument, b bracket, . plain.
QString kinds(const QString &line) {
    QString out;
    for (Kind kind : VekHighlighter::classify(line)) {
        switch (kind) {
        case Kind::Keyword: out += 'k'; break;
        case Kind::Comment: out += '\''; break;
        case Kind::Text: out += 't'; break;
        case Kind::Note: out += 'n'; break;
        case Kind::Number: out += '9'; break;
        case Kind::Macro: out += 'm'; break;
        case Kind::Argument: out += 'a'; break;
        case Kind::Bracket: out += 'b'; break;
        case Kind::Plain: out += '.'; break;
        }
    }
    return out;
}

}  // namespace

class TestVekHighlighter : public QObject {
    Q_OBJECT

private slots:
    void classify_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("keyword and number") << "tempo=120" << "kkkkk.999";
        QTest::newRow("keyword needs a whole name") << "tempos" << "......";
        QTest::newRow("closed comment") << "c 'x' d" << "n.'''.n";
        QTest::newRow("comment to line end") << "c 'rest" << "n.'''''";
        QTest::newRow("chord with modifiers") << "ceg f#8." << "nnn.nnnn";
        QTest::newRow("macro call") << "{beat,90}" << "mmmmmm99m";
        QTest::newRow("argument") << "!?12 c" << ".aaa.n";
        QTest::newRow("brackets") << "[2 c]" << "b9.nb";
        QTest::newRow("lyric text") << "\"la la\" c" << "ttttttt.n";
        QTest::newRow("declared name") << "track right" << "kkkkk......";
        QTest::newRow("odd reserved word") << "test!!" << "kkkkkk";
        QTest::newRow("title is text") << "title [Minuet in G] c" << "kkkkk.btttttttttttb.n";
        QTest::newRow("nested brackets stay text") << "marker [a [b] c]" << "kkkkkk.btttttttb";
        QTest::newRow("unclosed text runs to the end") << "cue [da capo" << "kkk.bttttttt";
        QTest::newRow("section brackets are code") << "track s [a b]" << "kkkkk...bn.nb";
    }
    void classify() {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(kinds(line), expected);
    }

    void reservedWords() {
        for (const char *word : vek::kReservedWords)
            QVERIFY2(VekHighlighter::isReservedWord(QString::fromLatin1(word)), word);
        QVERIFY(!VekHighlighter::isReservedWord(QStringLiteral("Tempo")));
    }
};

QTEST_GUILESS_MAIN(TestVekHighlighter)
#include "tst_vekhighlighter.moc"
