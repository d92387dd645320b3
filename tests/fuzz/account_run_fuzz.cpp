// A whole run of the command after the usage check, over the double of the
// account calls: any arguments, any statuses, any stored value.
// Input: a byte that picks the zone, a byte that picks the moment of the run,
// the stored value, the statuses of the first read, its release, the write,
// the second read and its release (4 bytes each, little-endian), then the
// arguments, one per line.

#include <string>
#include <vector>

#include "account_script.h"
#include "captured_output.h"
#include "clock_double.h"
#include "cmdline/command_line.h"
#include "driver/account_run.h"
#include "expiration/expiration_date.h"
#include "expiration/expiration_display.h"
#include "fuzz_input.h"
#include "support/wide_string.h"

namespace {

const char kSuccessLine[] = "\nThe command completed successfully\n";
const char kFailureLine[] = "\nThe command did not complete successfully\n";

// What a run must write and call, built step by step from the outcome tables.
struct Expected {
    std::vector<CapturedOutput::Piece> pieces;
    std::vector<RecordedCall::Kind> calls;
    DWORD written = 0;
    int status = 0;

    void Write(bool error, const std::string& text)
    {
        if (pieces.empty() || pieces.back().error != error)
            pieces.push_back(CapturedOutput::Piece{error, std::string()});
        pieces.back().text += text;
    }
    void Show(DWORD value)
    {
        Write(false, "Account Expires: " +
                         (value == TIMEQ_FOREVER ? std::string("Never") : FormatExpiration(value)) +
                         "\n");
    }
};

std::size_t Count(const std::string& text, const std::string& line)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    UseFuzzZone(input.Byte());
    SetCurrentTime(Pick(kFuzzMoments, input.Byte()));
    AccountScript script;
    script.expires = input.Word();
    NET_API_STATUS firstRead = input.Word();
    NET_API_STATUS firstRelease = input.Word();
    NET_API_STATUS write = input.Word();
    NET_API_STATUS secondRead = input.Word();
    NET_API_STATUS secondRelease = input.Word();
    script.get = {firstRead, secondRead};
    script.release = {firstRelease, secondRelease};
    script.set = {write};
    FuzzArguments arguments(input.Rest());
    CCmdLine commandLine(arguments.Count(), arguments.Vector(), false);

    // The date as the run will see it, and its line if it is rejected.
    std::string date = commandLine.GetArgument(2);
    ExpirationValue value = kRejectedDate;
    std::string dateLine;
    if (!date.empty()) {
        CapturedOutput output;
        value = ParseExpirationDate(date);
        dateLine = output.Text(true);
    }

    Expected expected;
    if (!date.empty() && value == kRejectedDate)
        expected.Write(true, dateLine);
    expected.calls.push_back(RecordedCall::kGet);
    if (firstRead != NERR_Success) {
        expected.Write(true, ExpectedErrorLine("NetUserGetInfo: ", firstRead));
        expected.status = static_cast<int>(firstRead);
    } else {
        expected.Show(script.expires);
        expected.calls.push_back(RecordedCall::kRelease);
        if (firstRelease != NERR_Success) {
            expected.status = static_cast<int>(firstRelease);
        } else if (date.empty()) {
            expected.Write(false, kSuccessLine);
        } else if (value == kRejectedDate) {
            expected.Write(false, kFailureLine);
            expected.status = -1;
        } else {
            expected.Write(false, "Setting...\n");
            expected.calls.push_back(RecordedCall::kSet);
            expected.written = value;
            if (write != NERR_Success) {
                expected.Write(true, ExpectedErrorLine("NetUserSetInfo: ", write));
                expected.status = static_cast<int>(write);
            } else {
                expected.calls.push_back(RecordedCall::kGet);
                if (secondRead != NERR_Success) {
                    expected.Write(true, ExpectedErrorLine("NetUserGetInfo: ", secondRead));
                    expected.status = static_cast<int>(secondRead);
                } else {
                    expected.Show(value);
                    expected.calls.push_back(RecordedCall::kRelease);
                    expected.status = static_cast<int>(secondRelease);
                    if (secondRelease == NERR_Success)
                        expected.Write(false, kSuccessLine);
                }
            }
        }
    }

    StartScript(script);
    int status;
    std::vector<CapturedOutput::Piece> pieces;
    std::string out;
    {
        CapturedOutput output;
        status = RunAccount(commandLine);
        pieces = output.Pieces();
        out = output.Text(false);
    }

    std::string detail = "zone " + std::string(std::getenv("TZ")) + " date '" + date + "'\n" +
                         "want (status " + std::to_string(expected.status) + ")\n" +
                         Describe(expected.pieces) + "got (status " + std::to_string(status) +
                         ")\n" + Describe(pieces);
    std::size_t resultLines = Count(out, kSuccessLine) + Count(out, kFailureLine);
    Require(resultLines <= 1, "at most one result line", detail);
    Require(resultLines == 0 || EndsWith(out, kSuccessLine) || EndsWith(out, kFailureLine),
            "the result line ends the output", detail);
    Require(pieces == expected.pieces, "the run writes what its outcome says", detail);
    Require(status == expected.status, "the run ends with its outcome's status", detail);

    const std::vector<RecordedCall>& calls = RecordedCalls();
    Require(calls.size() == expected.calls.size(), "the run makes its outcome's calls", detail);
    CWString server(commandLine.GetSwitchValue("s"));
    CWString user(commandLine.GetArgument(1));
    const RecordedCall* first = nullptr;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const RecordedCall& call = calls[i];
        Require(call.kind == expected.calls[i], "the calls come in their order", detail);
        if (call.kind == RecordedCall::kRelease)
            continue;
        if (first == nullptr)
            first = &call;
        Require(call.server == first->server && call.user == first->user,
                "every call of a run gets the same two names", detail);
        Require((call.server == nullptr) == (server.GetLength() == 0),
                "the server is null exactly when its name is empty", detail);
        Require(call.serverText == server.GetText() && call.userText == user.GetText(),
                "the names are passed as typed", detail);
        Require(call.level == (call.kind == RecordedCall::kGet ? 2u : 1017u),
                "reads at level 2, writes at level 1017", detail);
        Require(call.kind != RecordedCall::kSet ||
                    (call.value == expected.written && !call.parameterErrorWanted),
                "the write carries the date's value and asks for no parameter index", detail);
    }
    Require(OutstandingRecords() == 0, "every record is released", detail);
    return 0;
}
