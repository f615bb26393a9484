#include "model/digit_grouping.h"

#include <gtest/gtest.h>

#include <string>

namespace pf {
namespace {

TEST(GroupDigits, GroupsByThreesFromTheRight) {
    struct Case {
        const char* digits;
        const char* separator;
        const char* expected;
    };
    const Case cases[] = {
        {"", ".", ""},
        {"0", ".", "0"},
        {"12", ".", "12"},
        {"123", ".", "123"},  // no separator in front of a full first group
        {"1234", ".", "1.234"},
        {"1936", ".", "1.936"},
        {"123456", ".", "123.456"},
        {"1234567", ".", "1.234.567"},
        {"999999999", ".", "999.999.999"},
        {"18446744073709551615", ".", "18.446.744.073.709.551.615"},
        {"1234567", "", "1234567"},  // grouping switched off
        {"1234567", " ", "1 234 567"},
        {"1234567", "\xC2\xA0",
         "1\xC2\xA0"
         "234\xC2\xA0"
         "567"},  // a two-byte separator
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.digits + "\" \"" + c.separator + "\"");
        EXPECT_EQ(GroupDigits(c.digits, c.separator), c.expected);
    }
}

}  // namespace
}  // namespace pf
