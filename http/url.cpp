#include "http/url.h"

#include "base/text_array.h"

namespace sw {
namespace {

Text HostBySchemes(Text v, bool domainOnly) {
  if (TextRight(v, 1) != Text("/")) v = Concat(v, "/");
  if (TextLeft(v, 8) == Text("https://")) {
    v = TextBetween(v, "https://", "/");
  } else {
    if (FindText(v, "http://") == -1) v = Concat("http://", v);
    v = TextBetween(v, "http://", "/");
  }
  if (domainOnly) {
    const TextArray labels = SplitText(v, Text("."));
    const int n = labels.Count();
    if (n >= 2) v = Concat(labels.At(n - 1), ".", labels.At(n));
  }
  return v;
}

Text HostByLabelCount(Text v, bool domainOnly, int labelCount) {
  v = ReplaceText(v, "http://");
  v = ReplaceText(v, "https://");
  const int slash = FindText(v, "/");
  if (slash != -1) v = TextLeft(v, slash - 1);

  // Each search starts before the previous dot, so the dots are counted from the
  // right; a dot in the very last position is never counted.
  const int length = v.size();
  int b = length;
  // Once no dot is left b stays -1, so the walk may stop there: a huge count would
  // otherwise spin for billions of rounds.
  for (int i = 0; i < labelCount && b != -1; ++i) b = FindTextReverse(v, ".", b);
  const int c = FindTextReverse(v, ".", b);
  if (domainOnly) return TextRight(v, length - c);
  if (c != -1) {
    const int d = FindTextReverse(v, ".", c);
    if (d != -1) return TextRight(v, length - d);
  }
  return v;
}

}  // namespace

Text UrlHost(const Text& address, bool domainOnly, bool keepPort, std::optional<int> labelCount) {
  const Text lowered = ToLower(address);
  Text v = labelCount ? HostByLabelCount(lowered, domainOnly, *labelCount)
                      : HostBySchemes(lowered, domainOnly);
  if (keepPort) return v;
  const int colon = FindText(v, ":");
  return colon == -1 ? v : TextLeft(v, colon - 1);
}

int UrlPort(const Text& address) {
  const Text host = UrlHost(address, false, true);
  const int colon = FindTextReverse(host, ":");
  if (colon != -1) return ToInt(TextRight(host, host.size() - colon));
  return TextLeft(ToLower(address), 5) == Text("https") ? 443 : 80;
}

Text UrlPath(const Text& address) {
  const Text host = UrlHost(address);
  const int hostAt = FindText(address, host, std::nullopt, true);
  const int slash = FindText(address, "/", hostAt == -1 ? 1 : hostAt);
  if (slash == -1) return "/";
  return TextRight(address, address.size() - slash + 1);
}

}  // namespace sw
