#include "platform/internet/wininet.h"

#include <gtest/gtest.h>

#include "platform/internet/wininet_testing.h"

namespace {

TEST(WinInetTest, SessionsAreHandlesThatKnowTheirAgentUntilClosed) {
  using platform::testing::InternetAgentOf;
  using platform::testing::OpenInternetHandles;
  const int before = OpenInternetHandles();
  HINTERNET first = InternetOpenA("agent one", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, "", 0);
  HINTERNET second = InternetOpenA("agent two", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, "", 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, first);
  EXPECT_EQ(OpenInternetHandles(), before + 2);
  EXPECT_EQ(InternetAgentOf(second), "agent two");
  EXPECT_EQ(InternetCloseHandle(first), TRUE);
  EXPECT_EQ(InternetAgentOf(first), "");
  // A handle closes once; unknown and null handles are refused.
  EXPECT_EQ(InternetCloseHandle(first), FALSE);
  EXPECT_EQ(InternetCloseHandle(nullptr), FALSE);
  EXPECT_EQ(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, "", 0), nullptr);
  EXPECT_EQ(InternetCloseHandle(second), TRUE);
  EXPECT_EQ(OpenInternetHandles(), before);
}

}  // namespace
