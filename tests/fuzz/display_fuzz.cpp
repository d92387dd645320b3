// The display of any 32-bit expiration value, in any of the zones, alone and
// through ShowExpiration over the double of the account calls.
// Input: a byte that picks the zone, the value (4 bytes, little-endian), the
// status of the read (4 bytes) and of the release (4 bytes).

#include <cstdio>
#include <ctime>
#include <string>

#include "account_script.h"
#include "captured_output.h"
#include "clock_double.h"
#include "expiration/expiration_date.h"
#include "expiration/expiration_display.h"
#include "fuzz_input.h"
#include "platform/platform.h"

namespace {

void CheckText(ExpirationValue value, const std::string& text, const std::string& detail)
{
    std::tm local{};
    Require(ToLocalTime(value, local), "every 32-bit value has a local time", detail);
    int month = 0, day = 0, year = 0, hour = 0, minute = 0, used = 0;
    char half[3] = {};
    int fields = std::sscanf(text.c_str(), "%d/%d/%d %d:%d %2[AMP]%n", &month, &day, &year,
                             &hour, &minute, half, &used);
    Require(fields == 6 && used == static_cast<int>(text.size()),
            "the text is m/d/yyyy h:mm AM or PM", detail);
    Require(month == local.tm_mon + 1 && day == local.tm_mday && year == local.tm_year + 1900,
            "the date is the local date of the value", detail);
    Require(hour >= 1 && hour <= 12 && hour % 12 == local.tm_hour % 12 &&
                minute == local.tm_min &&
                std::string(half) == (local.tm_hour < 12 ? "AM" : "PM"),
            "the time is the local time on a twelve-hour clock", detail);
    char canonical[32];
    std::snprintf(canonical, sizeof canonical, "%d/%d/%d %d:%02d %s", month, day, year, hour,
                  minute, half);
    Require(text == canonical, "no leading zeros but the minute's, one blank apart", detail);
    Require(text.size() <= 19, "at most 19 characters", detail);

    // What is shown can be typed back as the date of the same day.
    if (year > 1970 && year < 2038) {
        std::string typed = std::to_string(month) + "/" + std::to_string(day) + "/" +
                            std::to_string(year);
        SetCurrentTime(value);
        ExpirationValue again;
        {
            CapturedOutput quiet;
            again = ParseExpirationDate(typed);
        }
        std::tm back{};
        Require(again != kRejectedDate && ToLocalTime(again, back) &&
                    back.tm_mday == day && back.tm_mon + 1 == month &&
                    back.tm_year + 1900 == year,
                "the shown date reads back as the same day", detail + " typed " + typed);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    UseFuzzZone(input.Byte());
    ExpirationValue value = input.Word();
    AccountScript script;
    script.expires = value;
    script.get = {input.Word()};
    script.release = {input.Word()};
    const std::string detail = "value " + std::to_string(value) + " zone " + std::getenv("TZ");

    std::string text;
    if (value != TIMEQ_FOREVER) {
        text = FormatExpiration(value);
        CheckText(value, text, detail + " text '" + text + "'");
    }

    StartScript(script);
    NET_API_STATUS status;
    std::vector<CapturedOutput::Piece> pieces;
    {
        CapturedOutput output;
        status = ShowExpiration(nullptr, u"test");
        pieces = output.Pieces();
    }
    const auto& calls = RecordedCalls();
    if (script.get[0] != NERR_Success) {
        Require(status == script.get[0], "a failed read returns its status", detail);
        Require(pieces == std::vector<CapturedOutput::Piece>{
                              {true, ExpectedErrorLine("NetUserGetInfo: ", script.get[0])}},
                "a failed read writes its error line and nothing else", detail + Describe(pieces));
        Require(calls.size() == 1, "a failed read releases nothing", detail);
        return 0;
    }
    std::string line = "Account Expires: " + (value == TIMEQ_FOREVER ? "Never" : text) + "\n";
    Require(pieces == std::vector<CapturedOutput::Piece>{{false, line}},
            "a read writes one line", detail + Describe(pieces));
    Require(status == script.release[0], "the release's status is the result", detail);
    Require(calls.size() == 2 && calls[0].level == 2 && calls[1].kind == RecordedCall::kRelease,
            "a read at level 2, then one release", detail);
    Require(OutstandingRecords() == 0, "the record is released", detail);
    return 0;
}
