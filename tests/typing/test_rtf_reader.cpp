// The RTF reader and the typing-text decoder.
#include <gtest/gtest.h>

#include "common/RtfReader.h"
#include "common/vizuri.h"

#include <QString>

namespace {

struct RtfCase {
    const char* name;
    const char* rtf; // UTF-8
    const char* expected; // UTF-8
};

// A small document the way a word processor writes it: a font table with a Chinese
// font name, a colour table, a generator, GBK text in \'hh escapes, a \u character
// with its fallback, a tab, a picture group (with text-like hex data) and a final
// paragraph.
const char* kDocument = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
                        "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\fswiss Arial;}}\r\n"
                        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
                        "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs24 "
                        "\\'d6\\'d0\\'ce\\'c4abc\\par\r\n"
                        "Hello\\tab World\\u8364?!\\par\r\n"
                        "{\\pict\\wmetafile8\\picw100\\pich100 0a0b0c\r\nabcdef}\\'ba\\'c3\\par\r\n"
                        "}\r\n";

const RtfCase kRtfCases[] = {
    {"document", kDocument, "中文abc\r\nHello\tWorld\u20ac!\r\n好\r\n"},
    {"not_rtf_unchanged", "plain text\r\nsecond {line}\\par", "plain text\r\nsecond {line}\\par"},
    {"leading_blanks_still_rtf", "  \r\n{\\rtf1 abc}", "abc"},
    {"bytes_across_source_line_end", "{\\rtf1 \\'d6\r\n\\'d0}", "中"},
    {"uc2_skips_two_bytes", "{\\rtf1\\uc2\\u20013\\'d6\\'d0x}", "中x"},
    {"uc0_skips_nothing", "{\\rtf1\\uc0\\u20013 x}", "中x"},
    {"negative_u", "{\\rtf1\\u-3913?}", "\uf0b7"},
    {"uc_is_scoped_to_group", "{\\rtf1{\\uc2 a}\\u20013??}", "a中?"},
    {"escaped_symbols", "{\\rtf1 a\\{b\\}c\\\\d\\~e\\_f\\-g}", "a{b}c\\d e-fg"},
    {"line_and_page", "{\\rtf1 a\\line b\\page c}", "a\r\nb\r\nc"},
    {"unknown_star_destination", "{\\rtf1 {\\*\\foo bar {nested}}x}", "x"},
    {"binary_data_skipped", "{\\rtf1 {\\pict\\bin3 }{x}y}z}", "yz"},
    {"info_and_header_skipped", "{\\rtf1{\\info{\\title T}{\\author A}}{\\header H\\par}body}", "body"},
    {"field_keeps_result", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}", "link"},
    {"extra_closing_braces", "{\\rtf1 abc}}}def", "abcdef"},
    {"unclosed_group", "{\\rtf1 {\\b abc", "abc"},
    {"truncated_escape", "{\\rtf1 ab\\'d", "ab"},
    {"escape_with_one_digit", "{\\rtf1 a\\'4xb}", "axb"},
    {"backslash_at_end", "{\\rtf1 ab\\", "ab"},
};

class RtfToTextCases : public ::testing::TestWithParam<RtfCase> { };

TEST_P(RtfToTextCases, Converts)
{
    const RtfCase& c = GetParam();
    EXPECT_EQ(RtfToText(QString::fromUtf8(c.rtf)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Rtf, RtfToTextCases, ::testing::ValuesIn(kRtfCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfToText, ReturnsAtMost65520Characters)
{
    const QString body(70000, u'a');
    const QString text = RtfToText(QStringLiteral("{\\rtf1 ") + body + u'}');
    EXPECT_EQ(text.size(), 65520);
    EXPECT_EQ(text, QString(65520, u'a'));
}

TEST(DeStr2, RoundTripsAnRtfDocument)
{
    const QString doc = QString::fromUtf8(kDocument) + QStringLiteral("打字练习");
    const QByteArray encoded = EnStr2(doc);
    // Pure Base64 of the GBK bytes.
    EXPECT_EQ(QByteArray::fromBase64(encoded).right(8), QByteArray::fromHex("b4f2d7d6c1b7cfb0"));
    EXPECT_EQ(DeStr2(encoded), doc);
    EXPECT_EQ(DeStr2(QString::fromLatin1(encoded)), doc);

    // Wrapped lines and blanks around the Base64 text do not matter.
    QByteArray wrapped;
    for (int i = 0; i < encoded.size(); i += 60) {
        wrapped += encoded.mid(i, 60) + "\r\n";
    }
    EXPECT_EQ(DeStr2(" " + wrapped), doc);
}

TEST(DeStr2, InvalidInputGivesEmptyText)
{
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("   \r\n"),
        QByteArray("not*base64!"),
        QByteArray("QUJD=QUJD"), // padding in the middle
        QByteArray::fromHex("8120").toBase64(), // a lead byte without its trail
        QByteArray::fromHex("41a1").toBase64(), // a text cut inside a character
    };
    for (const QByteArray& c : cases) {
        EXPECT_TRUE(DeStr2(c).isEmpty()) << c.constData();
    }
    EXPECT_TRUE(DeStr2(QStringLiteral("5Lit5paH")).size() > 0); // valid Base64 of valid GBK
    EXPECT_TRUE(DeStr2(QStringLiteral("中文")).isEmpty()); // not Base64 at all
}

} // namespace
