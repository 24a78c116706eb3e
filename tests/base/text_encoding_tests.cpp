#include <gtest/gtest.h>

#include <string>

#include "base/text_encoding.h"

namespace mivalto {
namespace {

// Whole texts that survive the trip both ways. Lone surrogates are the UTF-16 decoder's rows
// (scanner tests); invalid UTF-8 has its own test below.
struct ConversionCase {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

class ConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, GoesBothWays) {
  EXPECT_EQ(Utf16FromUtf8(GetParam().utf8), GetParam().utf16);
  EXPECT_EQ(Utf8FromUtf16(GetParam().utf16), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConversionTest,
    ::testing::Values(ConversionCase{"Empty", "", u""},
                      ConversionCase{"Accents", "Vidéo à l'écran", u"Vidéo à l'écran"},
                      ConversionCase{"LastOfTheBasicPlane", "\uFFFF", u"\uFFFF"},
                      ConversionCase{"FirstBeyondTheBasicPlane", "\U00010000", u"\U00010000"},
                      ConversionCase{"SurrogatePair", "a\U0001F600b", u"a\U0001F600b"},
                      ConversionCase{"LastCodePoint", "\U0010FFFF", u"\U0010FFFF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf16FromUtf8, EachInvalidByteBecomesOneReplacement) {
  EXPECT_EQ(Utf16FromUtf8("a\xFF\xC0\xAF\xE2\x82"), u"a\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}

}  // namespace
}  // namespace mivalto
