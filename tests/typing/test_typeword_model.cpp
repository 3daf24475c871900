// The byte model of the typing exercise: line splitting, counting, restoring earlier
// input and the typing result.
#include <gtest/gtest.h>

#include "TypeWordFixtures.h"
#include "typing/TypeWordModel.h"

#include <QStringList>

using namespace typeword;
using typetest::gbk;

namespace {

QString chinese(int count)
{
    static const QString pool = QString::fromUtf8("打字练习中文输入法键盘速度正确错误");
    QString s;
    for (int i = 0; i < count; ++i) {
        s += pool.at(i % pool.size());
    }
    return s;
}

struct SplitCase {
    const char* name;
    QByteArray text;
    QList<int> lengths; // byte length of each line
};

QList<SplitCase> splitCases()
{
    return {
        {"empty", QByteArray(), {}},
        {"one_byte_79", QByteArray(79, 'a'), {79}},
        {"one_byte_80", QByteArray(80, 'a'), {80}},
        {"one_byte_81", QByteArray(81, 'a'), {80, 1}},
        {"one_byte_160", QByteArray(160, 'a'), {80, 80}},
        {"two_byte_lead_at_80", QByteArray(79, 'a') + gbk(chinese(1)), {79, 2}},
        {"two_byte_ends_at_80", QByteArray(78, 'a') + gbk(chinese(2)), {80, 2}},
        {"chinese_from_start_40", gbk(chinese(40)), {80}},
        {"chinese_from_start_41", gbk(chinese(41)), {80, 2}},
        // After a line that gave its last byte to the next one, the next line is
        // still cut between characters.
        {"shifted_run_continues", QByteArray("a") + gbk(chinese(100)), {79, 80, 42}},
        {"mixed_lead_at_80", gbk("ab中文c") + QByteArray(72, 'x') + gbk("字ef"), {79, 4}},
        {"mixed_low_at_80", gbk("ab中文cd") + QByteArray(72, 'x') + gbk("字ef"), {80, 4}},
    };
}

TEST(SplitTypeLines, CutsAtEightyBytesBetweenCharacters)
{
    for (const SplitCase& c : splitCases()) {
        SCOPED_TRACE(c.name);
        const QList<QByteArray> lines = SplitTypeLines(c.text);
        QList<int> lengths;
        QByteArray joined;
        for (const QByteArray& l : lines) {
            lengths.append(int(l.size()));
            joined += l;
            // Every line is whole characters: it reads back without a broken one.
            EXPECT_FALSE(FromGbk(l).contains(QChar::ReplacementCharacter)) << l.toHex().constData();
        }
        EXPECT_EQ(lengths, c.lengths);
        EXPECT_EQ(joined, c.text);
    }
}

TEST(PrepareReferenceText, RemovesLineBreaksAndReadsRtf)
{
    const struct {
        const char* name;
        QString typingText;
        QByteArray expected;
    } cases[] = {
        {"rtf_paragraphs", typetest::rtfOf(QString::fromUtf8("第一行\nsecond\n")), gbk("第一行second")},
        {"plain_crlf", QStringLiteral("ab\r\ncd\r\r\nef"), QByteArray("abcdef")},
        {"lone_cr_lf_stay", QStringLiteral("a\rb\nc"), QByteArray("a\rb\nc")},
        {"empty", QString(), QByteArray()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PrepareReferenceText(c.typingText), c.expected);
    }
}

TEST(CountChars, CountsTwoByteCharactersOnce)
{
    EXPECT_EQ(CountChars(QByteArray()), 0);
    EXPECT_EQ(CountChars(gbk("中文 ab，")), 6);
    // A text that reads back without line breaks counts without them.
    EXPECT_EQ(CountChars(PrepareReferenceText(typetest::rtfOf(QString::fromUtf8("中\n文\n")))), 2);
}

TEST(CountLine, ComparesCharacterByCharacter)
{
    const struct {
        const char* ref;
        const char* typed;
        int correct;
        int wrong;
    } cases[] = {
        {"abc", "abx", 2, 1},  {"abc", "", 0, 0},     {"中文", "中x", 1, 1}, {"中文", "中文", 2, 0},
        {"a中", "ab", 1, 1},   {"ab", "abcd", 2, 2}, // typed beyond the reference line
        {"ab", "ab中", 2, 1},  {"    ", "abc", 0, 0}, // a blank reference line counts nothing
        {" \t ", "   ", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ref) + " / " + c.typed);
        TypeCounts counts;
        CountLine(gbk(c.ref), gbk(c.typed), counts);
        EXPECT_EQ(counts.correct, c.correct);
        EXPECT_EQ(counts.wrong, c.wrong);
    }
}

TEST(MarkLine, MarksTypedCharactersOnly)
{
    EXPECT_EQ(MarkLine(gbk("中文ab"), gbk("中x")), (QList<bool>{true, false}));
    EXPECT_EQ(MarkLine(gbk("abc"), gbk("abcdef")), (QList<bool>{true, true, true}));
    EXPECT_TRUE(MarkLine(gbk("abc"), QByteArray()).isEmpty());
}

TEST(BuildTypeResult, FiveFieldsAndOneSeparatorPerLine)
{
    TypeCounts counts;
    CountLine(gbk("abc"), gbk("abx"), counts);
    EXPECT_EQ(BuildTypeResult(3, counts, {gbk("abx")}), QStringLiteral("3$#$3$#$2$#$1$#$abx!@#$%^&*"));
    EXPECT_EQ(BuildTypeResult(7, TypeCounts{}, {QByteArray(), gbk("中")}),
              QString::fromUtf8("7$#$0$#$0$#$0$#$!@#$%^&*中!@#$%^&*"));
    EXPECT_EQ(BuildTypeResult(0, TypeCounts{}, {}), QStringLiteral("0$#$0$#$0$#$0$#$"));
}

TEST(RestoreInputLines, KeepsExactlyOneLinePerReferenceLine)
{
    const struct {
        const char* name;
        const char* answer;
        int lines;
        QStringList expected;
    } cases[] = {
        {"no_answer", "", 2, {"", ""}},
        {"example", "3$#$3$#$2$#$1$#$abx!@#$%^&*", 1, {"abx"}},
        {"fewer_pieces", "9$#$1$#$1$#$0$#$a!@#$%^&*", 3, {"a", "", ""}},
        {"more_pieces", "9$#$3$#$3$#$0$#$a!@#$%^&*b!@#$%^&*c!@#$%^&*", 2, {"a", "b"}},
        {"no_trailing_separator", "9$#$2$#$2$#$0$#$a!@#$%^&*b", 3, {"a", "b", ""}},
        {"not_a_typing_result", "1", 2, {"", ""}},
        {"separator_typed_by_student", "9$#$1$#$1$#$0$#$x$#$y!@#$%^&*", 1, {"x$#$y"}},
        {"chinese_and_blanks", "  9$#$2$#$2$#$0$#$中文!@#$%^&* \r\n", 1, {"中文"}},
        {"no_lines", "3$#$3$#$2$#$1$#$abx!@#$%^&*", 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QList<QByteArray> expected;
        for (const QString& s : c.expected) {
            expected.append(gbk(s));
        }
        EXPECT_EQ(RestoreInputLines(QString::fromUtf8(c.answer), c.lines), expected);
    }
}

} // namespace
