#include "framework/CommandLineSplit.h"

namespace fw {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::vector<std::u16string> SplitCommandLine(const std::u16string& line) {
  std::vector<std::u16string> args;
  size_t i = 0;
  const size_t n = line.size();

  // The program: no escapes.
  std::u16string program;
  if (i < n && line[i] == u'"') {
    for (++i; i < n && line[i] != u'"'; ++i) program += line[i];
    if (i < n) ++i;
  } else {
    for (; i < n && !IsBlank(line[i]); ++i) program += line[i];
  }
  args.push_back(program);

  for (;;) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i >= n) break;
    std::u16string arg;
    bool quoted = false;
    while (i < n && (quoted || !IsBlank(line[i]))) {
      if (line[i] == u'\\') {
        size_t backslashes = 0;
        while (i < n && line[i] == u'\\') {
          ++backslashes;
          ++i;
        }
        if (i < n && line[i] == u'"') {
          arg.append(backslashes / 2, u'\\');
          if (backslashes % 2 == 1) {
            arg += u'"';
            ++i;
          }
        } else {
          arg.append(backslashes, u'\\');
        }
        continue;
      }
      if (line[i] == u'"') {
        if (quoted && i + 1 < n && line[i + 1] == u'"') {
          // Two quotes inside quotes: one literal quote, and the quoting ends.
          arg += u'"';
          i += 2;
          quoted = false;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      arg += line[i++];
    }
    args.push_back(arg);
  }
  return args;
}

}  // namespace fw
