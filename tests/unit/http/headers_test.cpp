#include "http/headers.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(Headers, NormalizeRewritesNamesAndDropsNonHeaderLines) {
  EXPECT_EQ(NormalizeHeaders("content-type: text/html\r\n"
                             "x-requested-with: XMLHttpRequest\r\n"
                             "no colon here\r\n"
                             "\r\n"
                             "user-AGENT:Foo\r\n"),
            Text("Content-Type: text/html\r\n"
                 "X-Requested-With: XMLHttpRequest\r\n"
                 "User-AGENT:Foo"));
}

TEST(Headers, NormalizeEdgeCases) {
  const struct {
    const char* block;
    const char* normalized;
  } cases[] = {
      {"", ""},
      {"no colon\r\nnor here\r\n\r\n", ""},
      {"CONTENT-type: x", "CONTENT-Type: x"},
      {"-a: 1", "-A: 1"},
      {"a--b: 1", "A--B: 1"},
      {"a-: 1", "A-: 1"},
      {": empty name", ": empty name"},
      {"x-a:  two spaces\r\ny:none", "X-A:  two spaces\r\nY:none"},
      {"a: value-b c-d", "A: value-b c-d"},
      // Only CR LF separates lines: a lone CR or LF stays inside its line.
      {"a: 1\rb: 2\nc", "A: 1\rb: 2\nc"},
      // A dash inside a double-byte character starts no word; bytes of one are kept.
      {"\xD6-a: 1", "\xD6-a: 1"},
      {"\xD6\xD0-a: 1", "\xD6\xD0-A: 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.block);
    EXPECT_EQ(NormalizeHeaders(c.block), Text(c.normalized));
  }
}

TEST(Headers, CapitalizeFirstTouchesOnlyALeadingAsciiLetter) {
  EXPECT_EQ(CapitalizeFirst(""), Text(""));
  EXPECT_EQ(CapitalizeFirst("accept"), Text("Accept"));
  EXPECT_EQ(CapitalizeFirst("aCCEPT"), Text("ACCEPT"));
  EXPECT_EQ(CapitalizeFirst("1a"), Text("1a"));
  EXPECT_EQ(CapitalizeFirst("\xD6\xD0"), Text("\xD6\xD0"));
}

TEST(Headers, HeaderValueIsTheTrimmedRestAfterTheFirstColon) {
  EXPECT_EQ(HeaderValue("User-Agent:  Foo Bar "), Text("Foo Bar"));
  EXPECT_EQ(HeaderValue("no colon"), Text(""));
  EXPECT_EQ(HeaderValue("a: b\r\nc: d"), Text("b\r\nc: d"));
  EXPECT_EQ(HeaderValue("a:\t1 \xA1\xA1"), Text("\t1"));
}

TEST(Headers, EnsureHeaderAppendsOnlyWhenTheNameOccursNowhere) {
  const struct {
    const char* block;
    const char* completed;
  } cases[] = {
      {"X-Accept: 1", "X-Accept: 1"},
      {"accept: text/html", "accept: text/html"},
      {"Host: h", "Host: h\r\nAccept: */*"},
      {"", "\r\nAccept: */*"},
  };
  for (const auto& c : cases) {
    Text block = c.block;
    EnsureHeader(block, "Accept:", "\r\nAccept: */*");
    EXPECT_EQ(block, Text(c.completed)) << c.block;
  }
}

}  // namespace
}  // namespace sw
