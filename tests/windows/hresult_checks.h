// HRESULT checks for the tests under Wine: a failure names the call, and shows the code it
// gave and the one expected in hexadecimal, at the caller's line.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace mivalto::testing {

inline std::string HresultText(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(hr));
  return text;
}

inline ::testing::AssertionResult HresultEqual(const char* expected_call, const char* actual_call,
                                               HRESULT expected, HRESULT actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual_call << " gave hr " << HresultText(actual)
                                       << ", expected " << expected_call << " ("
                                       << HresultText(expected) << ")";
}

}  // namespace mivalto::testing

#define EXPECT_HR(expected, actual) \
  EXPECT_PRED_FORMAT2(::mivalto::testing::HresultEqual, expected, actual)
#define ASSERT_HR(expected, actual) \
  ASSERT_PRED_FORMAT2(::mivalto::testing::HresultEqual, expected, actual)
