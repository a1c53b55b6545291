// WebAccess over libcurl downloading 100 MB from the loopback server, against the curl
// program fetching the same address into /dev/null in the same run, with the cost of
// merely filling 100 MB of fresh memory for scale. Run through bench/http/run.sh, which
// starts the server and passes its port.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "http/web_access.h"
#include "platform/linux/internet_curl.h"

namespace {

constexpr long long kBytes = 100LL * 1000 * 1000;
constexpr int kRounds = 3;

double Seconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// The least any reader that keeps the body pays: 100 MB written into fresh memory in
// 1024-byte pieces, into a ByteSet reserved to the exact size.
double FreshMemorySeconds() {
  const auto start = std::chrono::steady_clock::now();
  sw::ByteSet body;
  body.Reserve(static_cast<std::size_t>(kBytes));
  char chunk[1024];
  std::memset(chunk, 'x', sizeof chunk);
  for (long long written = 0; written < kBytes; written += sizeof chunk) {
    body.Append(chunk,
                static_cast<std::size_t>(std::min<long long>(sizeof chunk, kBytes - written)));
  }
  const double seconds = Seconds(std::chrono::steady_clock::now() - start);
  if (body.Length() != kBytes) std::abort();
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PORT\n", argv[0]);
    return 2;
  }
  const std::string url =
      "http://127.0.0.1:" + std::string(argv[1]) + "/bytes/" + std::to_string(kBytes);
  const std::string curlCommand = "curl -s -f -o /dev/null '" + url + "'";

  sw::CurlInternet internet;
  double bestWebAccess = 1e9;
  double bestCurl = 1e9;
  double bestMemory = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    const sw::ByteSet body = sw::WebAccess(internet, url.c_str());
    const double webAccess = Seconds(std::chrono::steady_clock::now() - start);
    if (body.Length() != kBytes) {
      std::fprintf(stderr, "WebAccess read %d bytes, expected %lld\n", body.Length(), kBytes);
      return 1;
    }
    start = std::chrono::steady_clock::now();
    if (std::system(curlCommand.c_str()) != 0) {
      std::fprintf(stderr, "curl failed: %s\n", curlCommand.c_str());
      return 1;
    }
    const double curl = Seconds(std::chrono::steady_clock::now() - start);
    bestMemory = std::min(bestMemory, FreshMemorySeconds());
    bestWebAccess = std::min(bestWebAccess, webAccess);
    bestCurl = std::min(bestCurl, curl);
  }
  const double megabytes = static_cast<double>(kBytes) / 1e6;
  std::printf("WebAccess: %.0f MB/s (best of %d, %.3f s for %.0f MB)\n", megabytes / bestWebAccess,
              kRounds, bestWebAccess, megabytes);
  std::printf("curl:      %.0f MB/s (best of %d, %.3f s)\n", megabytes / bestCurl, kRounds,
              bestCurl);
  std::printf("ratio WebAccess/curl: %.2f (target at least 0.80)\n", bestCurl / bestWebAccess);
  std::printf("for scale: filling 100 MB of fresh memory alone takes %.3f s (%.0f MB/s)\n",
              bestMemory, megabytes / bestMemory);
  return 0;
}
