#include "streaming/HttpAnswer.h"

#include <algorithm>

namespace zv::net {
namespace {

constexpr uint64_t kMaxNumber = (uint64_t{1} << 62);  // beyond any real resource

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// A decimal number that is the whole text; empty on anything else.
std::optional<uint64_t> Number(std::string_view text) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > kMaxNumber) return std::nullopt;
  return value;
}

void ParseStatusLine(std::string_view line, HttpAnswer& answer) {
  const size_t space = line.find(' ');
  if (space == std::string_view::npos) return;
  const std::string_view protocol = line.substr(0, space);
  const bool http = protocol.size() >= 5 && protocol.substr(0, 5) == "HTTP/";
  const bool icy = protocol == "ICY";
  if (!http && !icy) return;
  std::string_view rest = Trim(line.substr(space + 1));
  const size_t end = rest.find(' ');
  const std::optional<uint64_t> code = Number(rest.substr(0, end));
  if (!code || *code < 100 || *code > 999) return;
  answer.status = static_cast<int>(*code);
  if (end != std::string_view::npos) answer.reason = std::string(Trim(rest.substr(end + 1)));
  if (icy) answer.icy = true;
}

// "bytes first-last/total" or "bytes first-last/*".
void ParseContentRange(std::string_view value, HttpAnswer& answer) {
  if (!StartsWithNoCase(value, "bytes")) return;
  value = Trim(value.substr(5));
  const size_t dash = value.find('-');
  const size_t slash = value.find('/');
  if (dash == std::string_view::npos || slash == std::string_view::npos || slash < dash) return;
  const auto first = Number(Trim(value.substr(0, dash)));
  const auto last = Number(Trim(value.substr(dash + 1, slash - dash - 1)));
  const std::string_view totalText = Trim(value.substr(slash + 1));
  if (!first || !last || *last < *first) return;
  std::optional<uint64_t> total;
  if (totalText != "*") {
    total = Number(totalText);
    if (!total || *total <= *last) return;
  }
  answer.hasContentRange = true;
  answer.rangeFirst = *first;
  answer.rangeLast = *last;
  answer.rangeTotal = total;
}

}  // namespace

HttpAnswer ParseHttpAnswer(std::string_view headers) {
  HttpAnswer answer;
  bool firstLine = true;
  bool lengthConflict = false;
  while (!headers.empty()) {
    const size_t end = headers.find('\n');
    std::string_view line = headers.substr(0, end);
    headers = end == std::string_view::npos ? std::string_view() : headers.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (firstLine) {
      firstLine = false;
      ParseStatusLine(line, answer);
      continue;
    }
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) continue;
    const std::string_view name = Trim(line.substr(0, colon));
    const std::string_view value = Trim(line.substr(colon + 1));
    if (EqualsNoCase(name, "Content-Length")) {
      const auto length = Number(value);
      if (!length || (answer.contentLength && *answer.contentLength != *length)) lengthConflict = true;
      else answer.contentLength = length;
    } else if (EqualsNoCase(name, "Transfer-Encoding")) {
      if (value.find("chunked") != std::string_view::npos || value.find("Chunked") != std::string_view::npos)
        answer.chunked = true;
    } else if (EqualsNoCase(name, "Accept-Ranges")) {
      answer.rangesAccepted = EqualsNoCase(value, "bytes");
    } else if (EqualsNoCase(name, "Content-Range")) {
      ParseContentRange(value, answer);
    } else if (StartsWithNoCase(name, "icy-")) {
      answer.icy = true;
    }
  }
  if (lengthConflict) answer.contentLength.reset();
  return answer;
}

std::optional<ResourceFacts> InterpretAnswer(const HttpAnswer& answer, uint64_t requested) {
  ResourceFacts facts;
  if (answer.status == 206) {
    if (!answer.hasContentRange || answer.rangeFirst > requested) return std::nullopt;
    facts.bodyStart = answer.rangeFirst;
    facts.length = answer.rangeTotal;
    facts.seekable = true;
  } else if (answer.status == 200 || answer.status == 203) {
    // The whole resource from its start: the server ignored the range.
    facts.bodyStart = 0;
    if (!answer.chunked) facts.length = answer.contentLength;
    facts.seekable = answer.rangesAccepted && facts.length.has_value() && requested == 0;
  } else {
    return std::nullopt;
  }
  facts.live = !facts.length.has_value() || answer.icy;
  if (facts.live) facts.seekable = false;
  return facts;
}

size_t LeadingIcyHeaderLength(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), std::min(size, kMaxIcyHeaderBytes));
  const std::string_view start = text.substr(0, 4);
  if (!StartsWithNoCase(std::string_view("icy-"), start) && !StartsWithNoCase(std::string_view("ICY "), start))
    return 0;
  if (text.size() < 4) return kNeedMoreBytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') continue;
    if (i + 1 < text.size() && text[i + 1] == '\n') return i + 2;
    if (i + 2 < text.size() && text[i + 1] == '\r' && text[i + 2] == '\n') return i + 3;
  }
  return size < kMaxIcyHeaderBytes ? kNeedMoreBytes : 0;
}

}  // namespace zv::net
