#include "support/error_report.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ErrorLine(const std::string& prefix, int status)
{
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    ReportError(prefix, status);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    return testing::internal::GetCapturedStderr();
}

TEST(ErrorReport, WritesPrefixStatusAndSystemText)
{
    EXPECT_EQ(ErrorLine("NetUserGetInfo: ", 5), "NetUserGetInfo: (5) Access is denied.\n");
    EXPECT_EQ(ErrorLine("NetUserSetInfo: ", 2221),
              "NetUserSetInfo: (2221) The user name could not be found.\n");
    EXPECT_EQ(ErrorLine("", 53), "(53) The network path was not found.\n");
}

TEST(ErrorReport, StatusIsSignedAndUnknownTextStillEndsTheLine)
{
    EXPECT_EQ(ErrorLine("NetUserGetInfo: ", -1), "NetUserGetInfo: (-1) \n");
    EXPECT_EQ(ErrorLine("NetUserGetInfo: ", 1234), "NetUserGetInfo: (1234) \n");
}

}  // namespace
