// What a server's answer tells about a resource: the header block as servers
// send it (and as they should not), and the facts the download acts on.
#include "streaming/HttpAnswer.h"

#include <gtest/gtest.h>

#include <string>

using zv::net::HttpAnswer;
using zv::net::InterpretAnswer;
using zv::net::ParseHttpAnswer;

namespace {

zv::net::ResourceFacts FactsOf(const std::string& headers, uint64_t requested = 0) {
  const auto facts = InterpretAnswer(ParseHttpAnswer(headers), requested);
  EXPECT_TRUE(facts.has_value()) << headers;
  return facts.value_or(zv::net::ResourceFacts{});
}

size_t IcyLength(const std::string& bytes) {
  return zv::net::LeadingIcyHeaderLength(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

TEST(HttpAnswer, PartialContentGivesTheWholeLengthAndSeeking) {
  const auto facts = FactsOf(
      "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 65536-99999/100000\r\nContent-Length: 34464\r\n\r\n",
      70000);
  EXPECT_EQ(facts.bodyStart, 65536u);
  EXPECT_EQ(facts.length, 100000u);
  EXPECT_TRUE(facts.seekable);
  EXPECT_FALSE(facts.live);
}

TEST(HttpAnswer, WholeAnswerIsSeekableOnlyWhenTheServerSaysSoForTheStart) {
  const std::string announced = "HTTP/1.0 200 OK\r\nAccept-Ranges: bytes\r\nContent-Length: 5000\r\n\r\n";
  EXPECT_TRUE(FactsOf(announced).seekable);
  EXPECT_EQ(FactsOf(announced).length, 5000u);
  // Asked for a later range and sent everything: it does not do ranges.
  EXPECT_FALSE(FactsOf(announced, 1000).seekable);
  EXPECT_EQ(FactsOf(announced, 1000).bodyStart, 0u);
  EXPECT_FALSE(FactsOf("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n").seekable);
  EXPECT_FALSE(FactsOf("HTTP/1.1 200 OK\r\nAccept-Ranges: none\r\nContent-Length: 5000\r\n\r\n").seekable);
}

TEST(HttpAnswer, UnknownLengthOrRadioHeadersMeanALiveStream) {
  for (const char* headers : {"HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\n\r\n",
                              "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Length: 10\r\n\r\n",
                              "HTTP/1.0 200 OK\r\nicy-name: Radio\r\nContent-Length: 10\r\nAccept-Ranges: bytes\r\n\r\n",
                              "ICY 200 OK\r\nicy-br: 128\r\n\r\n"}) {
    const auto facts = FactsOf(headers);
    EXPECT_TRUE(facts.live) << headers;
    EXPECT_FALSE(facts.seekable) << headers;
  }
  EXPECT_TRUE(ParseHttpAnswer("ICY 200 OK\r\n\r\n").icy);
  EXPECT_EQ(ParseHttpAnswer("ICY 200 OK\r\n\r\n").status, 200);
}

TEST(HttpAnswer, FailuresAndUnusableRangesAreNoSuccess) {
  const HttpAnswer missing = ParseHttpAnswer("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\n");
  EXPECT_EQ(missing.status, 404);
  EXPECT_EQ(missing.reason, "Not Found");
  EXPECT_FALSE(InterpretAnswer(missing, 0));
  EXPECT_FALSE(InterpretAnswer(ParseHttpAnswer("HTTP/1.1 416 Range Not Satisfiable\r\n\r\n"), 0));
  EXPECT_FALSE(InterpretAnswer(ParseHttpAnswer("HTTP/1.1 206 Partial Content\r\nContent-Length: 5\r\n\r\n"), 0));
  // A range that starts after the byte asked for leaves a hole.
  EXPECT_FALSE(InterpretAnswer(ParseHttpAnswer("HTTP/1.1 206 x\r\nContent-Range: bytes 100-199/200\r\n\r\n"), 50));
  EXPECT_FALSE(InterpretAnswer(ParseHttpAnswer("garbage"), 0));
  EXPECT_FALSE(InterpretAnswer(ParseHttpAnswer(""), 0));
}

TEST(HttpAnswer, UntrustworthyValuesCountAsAbsent) {
  EXPECT_FALSE(ParseHttpAnswer("HTTP/1.1 200 OK\r\nContent-Length: 10\r\nContent-Length: 11\r\n\r\n").contentLength);
  EXPECT_FALSE(ParseHttpAnswer("HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n").contentLength);
  EXPECT_FALSE(ParseHttpAnswer("HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n").contentLength);
  EXPECT_FALSE(ParseHttpAnswer("HTTP/1.1 206 x\r\nContent-Range: bytes 9-3/100\r\n\r\n").hasContentRange);
  EXPECT_FALSE(ParseHttpAnswer("HTTP/1.1 206 x\r\nContent-Range: bytes 0-99/50\r\n\r\n").hasContentRange);
  EXPECT_FALSE(ParseHttpAnswer("HTTP/1.1 2000 x\r\n\r\n").status);
  // Repeated equal lengths are fine; names ignore case; bare LF ends lines.
  const HttpAnswer ok = ParseHttpAnswer("HTTP/1.1 206 x\ncontent-length: 4\nCONTENT-LENGTH: 4\ncontent-range: bytes 0-3/*\n");
  EXPECT_EQ(ok.contentLength, 4u);
  EXPECT_TRUE(ok.hasContentRange);
  EXPECT_FALSE(ok.rangeTotal);
}

TEST(HttpAnswer, RadioHeaderLinesInTheBodyAreFoundWithTheirEnd) {
  const std::string header = "icy-name: Radio\r\nicy-br: 128\r\ncontent-type: audio/mpeg\r\n\r\n";
  EXPECT_EQ(IcyLength(header + "\xFF\xFB\x90"), header.size());
  EXPECT_EQ(IcyLength("ICY 200 OK\nicy-br: 1\n\nabc"), 22u);
  EXPECT_EQ(IcyLength(header.substr(0, 20)), zv::net::kNeedMoreBytes);
  EXPECT_EQ(IcyLength("ic"), zv::net::kNeedMoreBytes);
  EXPECT_EQ(IcyLength("\xFF\xFB\x90\x64"), 0u);
  EXPECT_EQ(IcyLength("RIFF"), 0u);
  // Without an end within the first kilobytes it is no header block.
  EXPECT_EQ(IcyLength("icy-" + std::string(zv::net::kMaxIcyHeaderBytes, 'x')), 0u);
}
