"""Every end-to-end case of the command, as one table.

Each row is a run of the command: its arguments, what it must write to
standard output and standard error, byte for byte, and the status it ends
with. A row runs over one of two fixtures:

- `accounts`: a real account database holding these (server, name, value)
  rows; `after` is what it must hold afterwards (default: unchanged).
- otherwise the scripted double: one account with expiration `expires`,
  statuses for successive calls in `script`, and `calls`, the calls that
  the command must make, in order (None: not checked).

`status` is the run's status as the command computes it; each runner turns
it into the exit code its system reports. In `err`, an `Error` stands for
the error line of a failed call, whose text each system words its own way.
"""

NEVER = 0xFFFFFFFF
JAN_30_2002_0100_UTC = 1012352400

BANNER = "\nVardun R01.01.00idi The Vardun developers (vardun@example.org) August 2002\n\n"
USAGE = (
    "Usage:\n Vardun user date [/s machine]\n\n"
    "   user          User ID to view/modify\n"
    "   date          Date in US format mm/dd/yy or mm/dd/yyyy\n"
    "                 Value of NEVER clears the expiration\n"
    "   machine       Machine to make the change at\n"
    "\n"
    "  Ex1:\n"
    "    Vardun test\n"
    "      View expiration date of account test on local machine\n"
    "\n"
    "  Ex2:\n"
    "    Vardun test /s testmachine\n"
    "      View expiration date of account test on server testmachine\n"
    "\n"
    "  Ex3:\n"
    "    Vardun test 1/30/02\n"
    "      Change expiration date of account t0 1/30/2002 for user test\n"
    "\n"
    "  Ex4:\n"
    "    Vardun test never\n"
    "      Set test to never expire\n"
    "\n"
    "\n\n"
    " \n"
    " If you have improvement ideas, bugs, or just wish to say Hi, I\n"
    " receive email 24x7 and read it in a semi-regular timeframe.\n"
    " You can usually find me at vardun@example.org\n\n"
)
OK = "\nThe command completed successfully\n"
FAILED = "\nThe command did not complete successfully\n"
SETTING = "Setting...\n"


def expires(text):
    return "Account Expires: " + text + "\n"


def bad_date(text):
    return "Error: Bad Date (" + text + "), not setting...\n"


def mktime_date(text):
    return "Error: mktime doesn't like that date (" + text + "), not setting...\n"


class Error:
    """The error line of a failed call: prefix, (status) and the system's text."""

    def __init__(self, prefix, status):
        self.prefix = prefix
        self.status = status


def expected_err(case, texts):
    """A row's standard error, each `Error` worded from `texts`, the system's
    texts by status; without a text the line ends at once."""
    return "".join("%s(%d) %s" % (p.prefix, p.status, texts.get(p.status, "\n"))
                   if isinstance(p, Error) else p for p in case.err)


def get_failed(status):
    return Error("NetUserGetInfo: ", status)


def set_failed(status):
    return Error("NetUserSetInfo: ", status)


# The calls of the double's log.
def get(server="null", user='"test"'):
    return "NetUserGetInfo %s %s 2" % (server, user)


def set_(value, server="null", user='"test"'):
    return "NetUserSetInfo %s %s 1017 %d null" % (server, user, value)


FREE = "NetApiBufferFree"
VIEW = [get(), FREE]


class Case:
    def __init__(self, name, args, out="", err=(), status=0, *, env=None, expires=NEVER,
                 script=None, calls=None, accounts=None, after=None, caller=None,
                 posix_only=False):
        self.name = name
        self.args = args  # str, or bytes for text that is not in every code page
        self.out = out
        self.err = list(err) if isinstance(err, (list, tuple)) else [err]
        self.status = status
        self.env = env or {}
        self.expires = expires
        self.script = script or {}
        self.calls = calls
        self.accounts = accounts
        self.after = accounts if after is None else after
        self.caller = caller  # "unprivileged": a user who may read but not write
        self.posix_only = posix_only  # UTF-8 arguments, 100 KiB arguments, SQLite values


# In place of `accounts`: there is no database file at all, and a read must not
# create one.
NO_DATABASE = "no database"

LOCAL = [("", "test", NEVER), ("", "old", 3600), ("srv", "bob", JAN_30_2002_0100_UTC)]

# A name that would change the statement if it were pasted into it, values
# that no expiration can hold, and an argument of 100 KiB (longer than a
# Windows command line may be).
HOSTILE_NAME = "o'brien\"; DROP TABLE accounts; --"
HOSTILE = LOCAL + [("", HOSTILE_NAME, 3600)]
OUT_OF_RANGE = LOCAL + [("", "big", 1 << 32), ("", "negative", -1), ("", "text", "soon"),
                        ("", "real", 1.5)]
LONG = "x" * 100 * 1024


def with_value(rows, name, value):
    return [(server, n, value if n == name else v) for server, n, v in rows]


def usage_rows():
    rows = [
        Case("no arguments", [], err=BANNER + USAGE, status=1, calls=[]),
        Case("/q alone", ["/q"], err=USAGE, status=1, calls=[]),
        Case("/q takes test as its value", ["/q", "test"], err=USAGE, status=1, calls=[]),
        Case("/help takes test as its value", ["/help", "test"], err=BANNER + USAGE, status=1,
             calls=[]),
    ]
    for switch in ["/h", "/H", "-h", "/?", "-?"]:
        rows.append(Case("help by " + switch, ["test", "1/30/02", switch], err=BANNER + USAGE,
                         status=1, calls=[]))
        rows.append(Case("help by %s, quiet" % switch, [switch, "/Q", "x"], err=USAGE, status=1,
                         calls=[]))
    return rows


CASES = usage_rows() + [
    # Viewing, over the double.
    Case("view", ["test"], expires("Never") + OK, BANNER, calls=VIEW),
    Case("view, quiet after the user", ["test", "/q"], expires("Never") + OK, calls=VIEW),
    Case("/help is not /h", ["test", "/help"], expires("Never") + OK, BANNER, calls=VIEW),
    Case("empty user is still a user", [""], expires("Never") + OK, BANNER,
         calls=[get(user='""'), FREE]),
    Case("/s without a value is local", ["test", "/s"], expires("Never") + OK, BANNER, calls=VIEW),
    Case("/s with an empty value is local", ["test", "/s", ""], expires("Never") + OK, BANNER,
         calls=VIEW),
    Case("/s names the server", ["test", "/s", "srv"], expires("Never") + OK, BANNER,
         calls=[get('"srv"'), FREE]),
    Case("/s before the user", ["/S", "Srv", "test"], expires("Never") + OK, BANNER,
         calls=[get('"Srv"'), FREE]),
    Case("server as typed", ["test", "/s", "\\\\srv"], expires("Never") + OK, BANNER,
         calls=[get('"\\u005C\\u005Csrv"'), FREE]),
    Case("empty date only views", ["test", ""], expires("Never") + OK, BANNER, calls=VIEW),
    Case("midnight", ["test"], expires("1/1/1970 12:00 AM") + OK, BANNER, expires=0),
    Case("past 2038", ["test"], expires("1/19/2038 3:14 AM") + OK, BANNER, expires=0x80000000),
    Case("last value before never", ["test"], expires("2/7/2106 6:28 AM") + OK, BANNER,
         expires=0xFFFFFFFE),
    Case("local time of the machine", ["test"], expires("1/29/2002 8:00 PM") + OK, BANNER,
         env={"TZ": "EST5EDT"}, expires=JAN_30_2002_0100_UTC),
    Case("read fails", ["test"], "", [BANNER, get_failed(2221)], 2221, script={"get": [2221]},
         calls=[get()]),
    Case("read fails, no text for the status", ["test"], "", [BANNER, get_failed(1234)], 1234,
         script={"get": [1234]}),
    Case("read fails with the top bit set", ["test"], "", [BANNER, get_failed(-1)], -1,
         script={"get": [NEVER]}),
    Case("status that reads as 0 in 8 bits", ["test"], "", [BANNER, get_failed(256)], 256,
         script={"get": [256]}),
    Case("release fails", ["test"], expires("Never"), BANNER, 87, script={"free": [87]},
         calls=VIEW),

    # Changing, over the double.
    Case("set a date", ["test", "1/30/02"],
         expires("Never") + SETTING + expires("1/30/2002 1:00 AM") + OK, BANNER,
         calls=VIEW + [set_(JAN_30_2002_0100_UTC)] + VIEW),
    Case("set never", ["test", "never"],
         expires("1/1/1970 1:00 AM") + SETTING + expires("Never") + OK, BANNER, expires=3600,
         calls=VIEW + [set_(NEVER)] + VIEW),
    Case("set on a server", ["test", "12/31/2037", "/s", "srv"],
         expires("Never") + SETTING + expires("12/31/2037 1:00 AM") + OK, BANNER,
         calls=[get('"srv"'), FREE, set_(2145834000, '"srv"'), get('"srv"'), FREE]),
    Case("arguments past the date are ignored", ["test", "1/30/02", "extra"],
         expires("Never") + SETTING + expires("1/30/2002 1:00 AM") + OK, BANNER,
         calls=VIEW + [set_(JAN_30_2002_0100_UTC)] + VIEW),
    Case("bad date", ["test", "2/30/2002"], expires("Never") + FAILED,
         [BANNER, bad_date("2/30/2002")], -1, calls=VIEW),
    Case("date out of range", ["test", "1/20/2038"], expires("Never") + FAILED,
         [BANNER, mktime_date("1/20/2038")], -1, calls=VIEW),
    Case("date with a missing year", ["test", "1/30"], expires("Never") + FAILED,
         [BANNER, bad_date("1/30")], -1, calls=VIEW),
    Case("one hour east, the first hour is not after 1970", ["test", "1/1/70"],
         expires("Never") + FAILED, [BANNER, mktime_date("1/1/70")], -1, env={"TZ": "XXX-1"},
         calls=VIEW),
    Case("bad date and the read fails", ["test", "2/30/2002"], "",
         [BANNER, bad_date("2/30/2002"), get_failed(2221)], 2221, script={"get": [2221]},
         calls=[get()]),
    Case("write fails", ["test", "never"], expires("Never") + SETTING,
         [BANNER, set_failed(5)], 5, script={"set": [5]}, calls=VIEW + [set_(NEVER)]),
    Case("write succeeds, read back fails", ["test", "never"], expires("Never") + SETTING,
         [BANNER, get_failed(53)], 53, script={"get": [0, 53]},
         calls=VIEW + [set_(NEVER), get()]),
    Case("second release fails", ["test", "never"],
         expires("Never") + SETTING + expires("Never"), BANNER, 87, script={"free": [0, 87]},
         calls=VIEW + [set_(NEVER)] + VIEW),
    Case("name in UTF-8", ["jos\u00e9".encode(), "never"],
         expires("Never") + SETTING + expires("Never") + OK, BANNER,
         calls=[get(user='"jos\\u00E9"'), FREE, set_(NEVER, user='"jos\\u00E9"'),
                get(user='"jos\\u00E9"'), FREE], posix_only=True),
    Case("name that is not UTF-8", [b"a\xffb"], expires("Never") + OK, BANNER,
         calls=[get(user='"a\\uFFFDb"'), FREE], posix_only=True),

    # Over a real account database.
    Case("database: view", ["test"], expires("Never") + OK, BANNER, accounts=LOCAL),
    Case("database: names ignore case", ["TEST"], expires("Never") + OK, BANNER, accounts=LOCAL),
    Case("database: view on a server", ["bob", "/s", "\\\\SRV"],
         expires("1/30/2002 1:00 AM") + OK, BANNER, accounts=LOCAL),
    Case("database: set a date", ["old", "1/30/02"],
         expires("1/1/1970 1:00 AM") + SETTING + expires("1/30/2002 1:00 AM") + OK, BANNER,
         accounts=LOCAL,
         after=[("", "test", NEVER), ("", "old", JAN_30_2002_0100_UTC), LOCAL[2]]),
    Case("database: set never on a server", ["bob", "never", "/s", "srv"],
         expires("1/30/2002 1:00 AM") + SETTING + expires("Never") + OK, BANNER,
         accounts=LOCAL, after=LOCAL[:2] + [("srv", "bob", NEVER)]),
    Case("database: bad date changes nothing", ["old", "2/29/2001"],
         expires("1/1/1970 1:00 AM") + FAILED, [BANNER, bad_date("2/29/2001")], -1,
         accounts=LOCAL),
    Case("database: unknown user", ["nobody", "never"], "", [BANNER, get_failed(2221)], 2221,
         accounts=LOCAL),
    Case("database: user of another server", ["bob", "never"], "", [BANNER, get_failed(2221)],
         2221, accounts=LOCAL),
    Case("database: unknown server", ["test", "never", "/s", "elsewhere"], "",
         [BANNER, get_failed(53)], 53, accounts=LOCAL),
    Case("database: no database file", ["test"], "", [BANNER, get_failed(2221)], 2221,
         accounts=NO_DATABASE),
    Case("database: reader may view", ["old"], expires("1/1/1970 1:00 AM") + OK, BANNER,
         accounts=LOCAL, caller="unprivileged"),
    Case("database: reader may not change", ["old", "never"],
         expires("1/1/1970 1:00 AM") + SETTING, [BANNER, set_failed(5)], 5, accounts=LOCAL,
         caller="unprivileged"),

    # Hostile input over a real account database: names are data, never
    # part of a statement, and a value out of range is refused, not shown.
    Case("database: name with quotes, semicolon and --", [HOSTILE_NAME, "never"],
         expires("1/1/1970 1:00 AM") + SETTING + expires("Never") + OK, BANNER, accounts=HOSTILE,
         after=with_value(HOSTILE, HOSTILE_NAME, NEVER)),
    Case("database: name that matches all if pasted", ["' OR '1'='1", "never"], "",
         [BANNER, get_failed(2221)], 2221, accounts=HOSTILE),
    Case("database: name with wildcards", ["te%", "never"], "", [BANNER, get_failed(2221)], 2221,
         accounts=HOSTILE),
    Case("database: server that ends the statement",
         ["test", "never", "/s", "'; DELETE FROM accounts; --"], "", [BANNER, get_failed(53)], 53,
         accounts=HOSTILE),
    Case("database: name that is not UTF-8", [b"\xff\xfe", "never"], "", [BANNER, get_failed(2221)],
         2221, accounts=HOSTILE),
    Case("database: encoded surrogate", [b"\xed\xa0\x80", "never"], "", [BANNER, get_failed(2221)],
         2221, accounts=HOSTILE),
    Case("database: empty name", ["", "never"], "", [BANNER, get_failed(2221)], 2221,
         accounts=HOSTILE),
    Case("database: user of 100 KiB", [LONG, "never"], "", [BANNER, get_failed(2221)], 2221,
         accounts=HOSTILE, posix_only=True),
    Case("database: server of 100 KiB", ["test", "never", "/s", LONG], "",
         [BANNER, get_failed(53)], 53, accounts=HOSTILE, posix_only=True),
    Case("database: date of 100 KiB of digits", ["old", "1" * 100 * 1024],
         expires("1/1/1970 1:00 AM") + FAILED, [BANNER, bad_date("1" * 100 * 1024)], -1,
         accounts=HOSTILE, posix_only=True),
    Case("database: date followed by 100 KiB", ["old", "1/30/02" + LONG],
         expires("1/1/1970 1:00 AM") + SETTING + expires("1/30/2002 1:00 AM") + OK, BANNER,
         accounts=HOSTILE, posix_only=True,
         after=with_value(HOSTILE, "old", JAN_30_2002_0100_UTC)),
    Case("database: value above 4294967295", ["big", "never"], "", [BANNER, get_failed(13)], 13,
         accounts=OUT_OF_RANGE, posix_only=True),
    Case("database: value below 0", ["negative"], "", [BANNER, get_failed(13)], 13,
         accounts=OUT_OF_RANGE, posix_only=True),
    Case("database: value that is text", ["text", "never"], "", [BANNER, get_failed(13)], 13,
         accounts=OUT_OF_RANGE, posix_only=True),
    Case("database: value that is not whole", ["real", "never"], "", [BANNER, get_failed(13)], 13,
         accounts=OUT_OF_RANGE, posix_only=True),
]
