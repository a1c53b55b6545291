#include "platform/win32/text_utf16.h"

#include <windows.h>

namespace sw {
namespace {

constexpr UINT kGbkCodePage = 936;

std::wstring ToUtf16(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), needed);
  return wide;
}

}  // namespace

std::wstring GbkToUtf16(const Text& text) {
  return ToUtf16(kGbkCodePage, text.view());
}

std::wstring Utf8ToUtf16(std::string_view text) {
  return ToUtf16(CP_UTF8, text);
}

Text Utf16ToGbk(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(kGbkCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, text.data(), size, bytes.data(), needed, nullptr, nullptr);
  return Text(std::move(bytes));
}

}  // namespace sw
