#include <gtest/gtest.h>

#include "common/DelimitedText.h"

namespace {

struct SplitCase {
    const char* text;
    char delimiter;
    QStringList expected;
};

class DelimitedSplit : public ::testing::TestWithParam<SplitCase> { };

TEST_P(DelimitedSplit, ReadsValues)
{
    const SplitCase& c = GetParam();
    EXPECT_EQ(delimited::Split(QString::fromUtf8(c.text), QLatin1Char(c.delimiter)), c.expected)
        << "text: " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DelimitedSplit,
    ::testing::Values(
        SplitCase{"", ',', {}}, SplitCase{"   ", ',', {}}, SplitCase{"a,b,c", ',', {"a", "b", "c"}},
        SplitCase{"  a,  b", ',', {"a", "b"}}, // leading blanks skipped
        SplitCase{"a b,c", ',', {"a", "b", "c"}}, // a blank ends a value
        SplitCase{"a\tb", ',', {"a", "b"}}, // any code <= 32 does
        SplitCase{"a ,b", ',', {"a", "b"}},
        SplitCase{"a,,b", ',', {"a", "", "b"}}, // empty value in the middle
        SplitCase{",a", ',', {"", "a"}}, SplitCase{"a,", ',', {"a", ""}}, // delimiter at the very end
        SplitCase{"a, ", ',', {"a"}}, // ... but not before blanks
        SplitCase{"\"a b\",c", ',', {"a b", "c"}}, // quoted blank
        SplitCase{"\"x,y\"", ',', {"x,y"}}, // quoted delimiter
        SplitCase{"\"say \"\"hi\"\"\",z", ',', {"say \"hi\"", "z"}}, // doubled quotes
        SplitCase{"\"\",a", ',', {"", "a"}}, // quoted empty value
        SplitCase{"\"open", ',', {"open"}}, // unterminated quote
        SplitCase{"\"a\"b", ',', {"a", "b"}}, // text after closing quote
        SplitCase{"a\"b,c", ',', {"a\"b", "c"}}, // quote inside a plain value
        SplitCase{"中文#\"x y\"#3", '#', {"中文", "x y", "3"}}, SplitCase{"a,b#c", '#', {"a,b", "c"}}));

struct JoinCase {
    QStringList values;
    char delimiter;
    const char* expected;
};

class DelimitedJoin : public ::testing::TestWithParam<JoinCase> { };

TEST_P(DelimitedJoin, WritesValues)
{
    const JoinCase& c = GetParam();
    EXPECT_EQ(delimited::Join(c.values, QLatin1Char(c.delimiter)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, DelimitedJoin,
                         ::testing::Values(JoinCase{{}, ',', ""}, JoinCase{{"a", "b"}, ',', "a,b"},
                                           JoinCase{{"a", "", "b"}, ',', "a,,b"}, // empty value is nothing
                                           JoinCase{{"a b"}, ',', "\"a b\""},
                                           JoinCase{{"x,y", "z"}, ',', "\"x,y\",z"},
                                           JoinCase{{"say \"hi\""}, ',', "\"say \"\"hi\"\"\""},
                                           JoinCase{{"tab\there"}, ',', "\"tab\there\""},
                                           JoinCase{{"x,y", "a#b"}, '#', "x,y#\"a#b\""},
                                           JoinCase{{"中文"}, ',', "中文"}));

TEST(Delimited, RoundTripKeepsEveryValue)
{
    const QStringList values = {"plain",  "with blank", "",        "comma,inside", "\"quoted\"",
                                "  lead", "trail ",     "中文 值", "a\"b\"c",      ""};
    for (QChar d : {QLatin1Char(','), QLatin1Char('#')})
        EXPECT_EQ(delimited::Split(delimited::Join(values, d), d), values) << QString(d).toStdString();
}

} // namespace
