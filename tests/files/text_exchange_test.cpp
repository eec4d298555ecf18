// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/text_exchange.h"

#include <gtest/gtest.h>

#include <random>

#include "file_test_support.h"

namespace zentora::files {
namespace {

using testing::Bytes;

Bytes AsBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(TextExchange, ExportsOldestFirstWithCrLf) {
    EXPECT_EQ(FormatTextPermanence(Bytes{0, 17, 5}), "5\r\n17\r\n0\r\n");
    EXPECT_EQ(FormatTextPermanence({}), "");
    EXPECT_EQ(ParseTextPermanence(AsBytes("5\r\n17\r\n0\r\n")), (Bytes{0, 17, 5}));
}

TEST(TextExchange, ReadsALineAsANumber) {
    struct Case {
        const char* line;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"12", 12},
        {"  12  ", 12},
        {"\t12\x01\x1f", 12},
        {"0012", 12},
        {"+7", 7},
        {"-0", 0},
        {"-5", -5},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"12 Stück", std::nullopt},
        {"1 2", std::nullopt},
        {"0x1F", std::nullopt},
        {"$1F", std::nullopt},
        {"12.0", std::nullopt},
        {"+", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"\xC2\xA0"
         "12",
         std::nullopt},  // a no-break space is not a blank
    };
    for (const Case& c : cases) EXPECT_EQ(ReadTextLineNumber(c.line), c.value) << '"' << c.line << '"';
}

TEST(TextExchange, ImportTakesLines0To36AndSkipsTheRest) {
    // The last valid line is the most recent spin.
    const std::string text = "5\n 12 \n12 Stück\n37\n-1\n\n-0\nabc\r\n36\r0";
    EXPECT_EQ(ParseTextPermanence(AsBytes(text)), (Bytes{0, 36, 0, 12, 5}));
    EXPECT_TRUE(ParseTextPermanence({}).empty());
    EXPECT_TRUE(ParseTextPermanence(AsBytes("\r\n\n\r\r")).empty());
}

TEST(TextExchange, LineBreaksOfEveryKindAndByteOrderMarks) {
    EXPECT_EQ(ParseTextPermanence(AsBytes("1\r\n2\n3\r4\n\r5")), (Bytes{5, 4, 3, 2, 1}));
    EXPECT_EQ(ParseTextPermanence(AsBytes("\xEF\xBB\xBF"
                                          "7\r\n8\r\n")),
              (Bytes{8, 7}));
    const Bytes utf16le = {0xFF, 0xFE, '9', 0, '\r', 0, '\n', 0, '1', 0, '0', 0};
    EXPECT_EQ(ParseTextPermanence(utf16le), (Bytes{10, 9}));
    const Bytes utf16be = {0xFE, 0xFF, 0, '3', 0, '\n', 0x30, 0x00, 0, '4'};
    EXPECT_EQ(ParseTextPermanence(utf16be), (Bytes{3}));
}

TEST(TextExchange, LargeMixedJunkFile) {
    std::mt19937 random(7);
    std::string text;
    Bytes expected;  // oldest first
    const char* junk[] = {"x", "37", "-3", "12 Stück", "", "\t", "1e3", "\x80\x81", "0x10", "  ", "3,5"};
    for (int i = 0; i < 100000; ++i) {
        if (random() % 3 == 0) {
            const auto value = static_cast<std::uint8_t>(random() % 37);
            if (random() % 2) text += ' ';
            text += std::to_string(value);
            if (random() % 2) text += '\t';
            expected.push_back(value);
        } else {
            text += junk[random() % std::size(junk)];
        }
        text += random() % 2 ? "\r\n" : "\n";
    }
    const Bytes spins = ParseTextPermanence(AsBytes(text));
    ASSERT_EQ(spins.size(), expected.size());
    EXPECT_TRUE(std::equal(spins.begin(), spins.end(), expected.rbegin()));
}

}  // namespace
}  // namespace zentora::files
