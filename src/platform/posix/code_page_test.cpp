#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "support/wide_string.h"

namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    std::u16string wide;
};

class Utf8Conversion : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Conversion, DecodesOrReplacesAndFitsInOneUnitPerByte)
{
    const Utf8Case& c = GetParam();
    CWString text(c.bytes);
    EXPECT_EQ(std::u16string(text.GetText()), c.wide);
    EXPECT_EQ(text.GetLength(), c.wide.size());
    EXPECT_LE(text.GetLength(), std::strlen(c.bytes.c_str()) + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8Conversion,
    testing::Values(
        Utf8Case{"Empty", "", u""},
        Utf8Case{"Ascii", "admin", u"admin"},
        Utf8Case{"TwoBytes", "jos\xC3\xA9", u"jos\u00E9"},
        Utf8Case{"ThreeBytes", "\xE2\x82\xAC", u"\u20AC"},
        Utf8Case{"FourBytesMakeAPair", "\xF0\x9F\x98\x80", u"\U0001F600"},
        Utf8Case{"LoneContinuation", "a\x80z", u"a\uFFFDz"},
        Utf8Case{"InvalidLead", "\xFF\xFE", u"\uFFFD\uFFFD"},
        Utf8Case{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
        Utf8Case{"OverlongThree", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        Utf8Case{"Surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        Utf8Case{"AboveUnicode", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        Utf8Case{"TruncatedAtEnd", "ab\xE2\x82", u"ab\uFFFD"},
        Utf8Case{"TruncatedThenAscii", "\xF0\x9F\x98z", u"\uFFFDz"},
        Utf8Case{"EmbeddedNul", std::string("ab\0cd", 5), u"ab"}),
    [](const testing::TestParamInfo<Utf8Case>& info) { return info.param.name; });

TEST(Utf8Conversion, NeverWritesPastTheCapacity)
{
    char16_t buffer[4] = {u'x', u'x', u'x', u'#'};
    ConvertToWide("\xF0\x9F\x98\x80\xF0\x9F\x98\x80", buffer, 3);
    EXPECT_EQ(std::u16string(buffer), u"\U0001F600");
    EXPECT_EQ(buffer[3], u'#');
}

}  // namespace
