#pragma once
// The update exchange as text: version texts and their comparison, the
// version information and change history the update server sends, the
// server address of the configuration, and the limits that keep a hostile or
// broken server from making the program read without end. No platform code.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Limits of what the updater reads from the server.
constexpr size_t kMaxVersionInfoBytes = 4096;      // only the first two lines matter
constexpr size_t kMaxVersionInfoLine = 1024;       // a longer line counts as missing
constexpr size_t kMaxHistoryBytes = 256 * 1024;    // the rest of a longer history is ignored
constexpr size_t kMaxHistoryRows = 1000;
constexpr size_t kMaxHistoryText = 1024;           // longer history lines are cut
constexpr size_t kMaxObjectName = 512;
constexpr uint64_t kMaxDownloadBytes = 64ull * 1024 * 1024;
// An ECDSA P-256 signature: r and s, 32 bytes each, big-endian.
constexpr size_t kSignatureBytes = 64;
// The public key built into the program: X and Y, 32 bytes each, big-endian.
constexpr size_t kPublicKeyBytes = 64;

// The version text of a product version ("1, 3, 1, 9"): commas become points,
// blanks go, and the Greek small letter beta follows ("1.3.1.9" + beta).
std::u16string UpdateVersionText(const std::u16string& productVersion);

// The digits that make a version's number: the text without its points, up
// to the first character that is no digit, leading zeros dropped ("" for 0).
// 1.3.1.9 gives "1319", 1.3.10.0 gives "13100".
std::u16string VersionDigits(const std::u16string& versionText);

// True when candidate's version number is greater than running's. Numbers
// of any length compare correctly (no overflow).
bool IsNewerVersion(const std::u16string& candidate, const std::u16string& running);

// What the version information says. A line is missing when the body ends
// before it, when it is longer than kMaxVersionInfoLine, or when it holds
// control characters (binary data). The newest version must begin with a
// digit; the object name must be a plain relative name on the same server.
struct VersionInfo {
  std::optional<std::u16string> newestVersion;  // line 1
  std::optional<std::u16string> downloadObject;  // line 2
};

// body: the first bytes of the answer (at most kMaxVersionInfoBytes);
// complete: the answer ended within them (otherwise an unfinished last line
// does not count).
VersionInfo ParseVersionInfo(std::string_view body, bool complete);

// A relative object name the download may use: printable ASCII without
// blanks, backslashes, "://" or "..", not starting with "/", at most
// kMaxObjectName characters.
bool IsPlainObjectName(std::u16string_view name);

// One row of the change history list.
struct HistoryRow {
  std::u16string build;
  std::u16string type;
  std::u16string details;
};

// Lines in groups of three (build, type, details); the first line of a group
// starts a row, so an unfinished last group gives a row with what it has.
// Control characters are dropped, lines are cut at kMaxHistoryText
// characters and at most kMaxHistoryRows rows are made. Text is UTF-8, with
// stray bytes taken as Latin-1.
std::vector<HistoryRow> ParseHistory(std::string_view body);

// The update server of the configuration: "host", "host:port" or either
// followed by a base path ("127.0.0.1:8080/updates/"). Objects are requested
// as the base path followed by their name. Port 80 when none is given.
struct ServerAddress {
  std::u16string host;
  uint16_t port = 80;
  std::u16string basePath = u"/";  // begins and ends with "/"
};
std::optional<ServerAddress> ParseServerAddress(std::u16string_view text);

// The object names of the exchange, relative to the server's base path.
// "versioninfo_zentravue" + suffix.
std::u16string VersionInfoObject(const std::u16string& suffix);
// "zentravue_update_history.php?lang=<language>&version=<version>", both
// values percent-encoded as UTF-8.
std::u16string HistoryObject(const std::u16string& language, const std::u16string& version);
// The signature that belongs to a download: its object name + ".sig".
std::u16string SignatureObject(const std::u16string& downloadObject);

// A translated message with its placeholders filled: each "%s", "%i", "%d"
// or "%u" takes the next argument as text, "%%" is a percent sign, and
// anything else stays as written. Placeholders beyond the arguments stay
// empty, so a language file cannot make the program read what is not there.
std::u16string FillPlaceholders(const std::u16string& format, std::initializer_list<std::u16string> arguments);

// The decimal text of a number.
std::u16string NumberText(uint64_t value);

// The reason text of a file error cause (not translated).
std::u16string FileErrorReason(int cause);

// The cause numbers the reason table knows.
enum FileErrorCause : int {
  kFileErrorNone = 0,
  kFileErrorGeneric = 1,
  kFileErrorNotFound = 2,
  kFileErrorBadPath = 3,
  kFileErrorTooManyOpen = 4,
  kFileErrorAccessDenied = 5,
  kFileErrorInvalidFile = 6,
  kFileErrorRemoveCurrentDir = 7,
  kFileErrorDirectoryFull = 8,
  kFileErrorBadSeek = 9,
  kFileErrorHardIO = 10,
  kFileErrorSharingViolation = 11,
  kFileErrorLockViolation = 12,
  kFileErrorDiskFull = 13,
  kFileErrorEndOfFile = 14,
};

}  // namespace zv
