// The program's literal texts are GBK bytes written as escapes; each carries its readable
// form, and here the two are checked against each other.
#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "app/window_definitions.h"

#if !defined(_WIN32)
#include <iconv.h>
#endif

namespace sw {
namespace {

#if !defined(_WIN32)
std::string Utf8ToGbk(const std::string& utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
  std::string in = utf8;
  std::string out(in.size() * 2 + 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t srcLeft = in.size();
  size_t dstLeft = out.size();
  const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return "<not convertible>";
  out.resize(out.size() - dstLeft);
  return out;
}

TEST(WindowLiterals, BytesAreTheGbkFormOfTheReadableText) {
  for (const GbkLiteral& literal : WindowLiterals()) {
    EXPECT_EQ(Text(literal.gbk).bytes(), Utf8ToGbk(literal.readable)) << literal.readable;
  }
  EXPECT_EQ(kStartLineWords.text().bytes(), Utf8ToGbk(kStartLineWords.readable));
}
#endif

TEST(WindowDefinitions, EveryHandledControlIsDefinedWhereTheHandlersLookForIt) {
  const struct {
    WindowKind window;
    std::string_view control;
    ControlEvent event;
  } handled[] = {
      {WindowKind::kMainWindow, controls::kWatchTimer, ControlEvent::kTimer},
      {WindowKind::kMainWindow, controls::kRunLogButton, ControlEvent::kClick},
      {WindowKind::kMainWindow, controls::kVersionButton, ControlEvent::kClick},
      {WindowKind::kMainWindow, controls::kMainPicture, ControlEvent::kLeftPress},
      {WindowKind::kVersionWindow, controls::kCheckUpdateButton, ControlEvent::kClick},
      {WindowKind::kVersionWindow, controls::kViewUpdateButton, ControlEvent::kClick},
      {WindowKind::kVersionWindow, controls::kAuthorButton, ControlEvent::kClick},
      {WindowKind::kEasterEggWindow, controls::kAgreeButton, ControlEvent::kClick},
      {WindowKind::kEasterEggWindow, controls::kCancelButton, ControlEvent::kClick},
  };
  for (const auto& h : handled) {
    const ControlDefinition* control = DefinitionOf(h.window).Find(h.control);
    ASSERT_NE(control, nullptr) << h.control;
    EXPECT_EQ(control->event, h.event) << h.control;
  }
  EXPECT_EQ(DefinitionOf(WindowKind::kMainWindow).Find(controls::kWatchTimer)->timerIntervalMs,
            3000);
}

}  // namespace
}  // namespace sw
