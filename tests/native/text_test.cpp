#include "core/text.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(TextToInteger, ReadsTheNumberATextBeginsWith) {
  struct Case {
    const char* text;
    std::int64_t value;
  };
  const Case cases[] = {
      {"0", 0},        {"17", 17},        {"  42", 42}, {"-8", -8},  {"+5", 5},
      {"12abc", 12},   {"abc", 0},        {"", 0},      {"-", 0},    {"\xB9\xB2 3", 0},
      {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
      {"99999999999999999999", std::numeric_limits<std::int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
      {"-99999999999999999999", std::numeric_limits<std::int64_t>::min()},
  };
  for (const Case& c : cases) EXPECT_EQ(core::TextToInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(DecimalText, WritesPlainDigits) {
  EXPECT_EQ(core::DecimalText(0), "0");
  EXPECT_EQ(core::DecimalText(5129), "5129");
  EXPECT_EQ(core::DecimalText(-3), "-3");
}

}  // namespace
