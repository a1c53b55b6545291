#include "recording_internet.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace sw::test {
namespace {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace

std::string Quote(const std::string& bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Quote(const char* text) {
  return text == nullptr ? "null" : Quote(std::string(text));
}

InternetHandle RecordingInternet::Open(char& tag) {
  ++openHandles_;
  return reinterpret_cast<InternetHandle>(&tag);
}

std::string RecordingInternet::Name(InternetHandle handle) const {
  if (handle == reinterpret_cast<InternetHandle>(const_cast<char*>(&rootTag_))) return "root";
  if (handle == reinterpret_cast<InternetHandle>(const_cast<char*>(&connectionTag_))) {
    return "connection";
  }
  if (handle == reinterpret_cast<InternetHandle>(const_cast<char*>(&requestTag_))) return "request";
  return handle == nullptr ? "null" : "unknown";
}

InternetHandle RecordingInternet::InternetOpenA(const char* agent, std::uint32_t accessType,
                                                const char* proxy, const char* proxyBypass,
                                                std::uint32_t flags) {
  calls_.push_back("InternetOpenA(" + Quote(agent) + ", " + std::to_string(accessType) + ", " +
                   Quote(proxy) + ", " + Quote(proxyBypass) + ", " + Hex(flags) + ")");
  return response_.failOpen ? nullptr : Open(rootTag_);
}

InternetHandle RecordingInternet::InternetConnectA(InternetHandle root, const char* serverName,
                                                   std::uint16_t serverPort, const char* userName,
                                                   const char* password, std::uint32_t service,
                                                   std::uint32_t flags, std::uintptr_t context) {
  calls_.push_back("InternetConnectA(" + Name(root) + ", " + Quote(serverName) + ", " +
                   std::to_string(serverPort) + ", " + Quote(userName) + ", " + Quote(password) +
                   ", " + std::to_string(service) + ", " + Hex(flags) + ", " +
                   std::to_string(context) + ")");
  return response_.failConnect ? nullptr : Open(connectionTag_);
}

InternetHandle RecordingInternet::HttpOpenRequestA(InternetHandle connection, const char* verb,
                                                   const char* objectName, const char* version,
                                                   const char* referrer,
                                                   const char* const* acceptTypes,
                                                   std::uint32_t flags, std::uintptr_t context) {
  calls_.push_back("HttpOpenRequestA(" + Name(connection) + ", " + Quote(verb) + ", " +
                   Quote(objectName) + ", " + Quote(version) + ", " + Quote(referrer) + ", " +
                   (acceptTypes == nullptr ? "null" : "list") + ", " + Hex(flags) + ", " +
                   std::to_string(context) + ")");
  return response_.failRequest ? nullptr : Open(requestTag_);
}

bool RecordingInternet::InternetSetOptionA(InternetHandle handle, std::uint32_t option,
                                           const void* buffer, std::uint32_t bufferLength) {
  std::uint32_t value = 0;
  if (buffer != nullptr && bufferLength == sizeof value) std::memcpy(&value, buffer, sizeof value);
  calls_.push_back("InternetSetOptionA(" + Name(handle) + ", " + std::to_string(option) + ", " +
                   Hex(value) + ", " + std::to_string(bufferLength) + ")");
  return true;
}

bool RecordingInternet::HttpSendRequestA(InternetHandle request, const char* headers,
                                         std::uint32_t headersLength, const void* optional,
                                         std::uint32_t optionalLength) {
  sentHeaders_.clear();
  if (headers != nullptr) sentHeaders_.assign(headers, headersLength);
  bodyPointerNull_ = optional == nullptr;
  sentBody_.clear();
  if (optional != nullptr) sentBody_.assign(static_cast<const char*>(optional), optionalLength);
  calls_.push_back("HttpSendRequestA(" + Name(request) + ", " + Quote(sentHeaders_) + ", " +
                   std::to_string(headersLength) + ", " +
                   (optional == nullptr ? std::string("null") : Quote(sentBody_)) + ", " +
                   std::to_string(optionalLength) + ")");
  return !response_.failSend;
}

bool RecordingInternet::InternetReadFile(InternetHandle file, void* buffer,
                                         std::uint32_t bytesToRead, std::uint32_t* bytesRead) {
  *bytesRead = 0;
  const bool fails = response_.failSend || readOffset_ == response_.failReadAt;
  std::size_t count = 0;
  if (!fails) {
    count = std::min({static_cast<std::size_t>(bytesToRead), response_.maxPerRead,
                      response_.body.size() - readOffset_});
    std::memcpy(buffer, response_.body.data() + readOffset_, count);
    readOffset_ += count;
    *bytesRead = static_cast<std::uint32_t>(count);
  }
  calls_.push_back("InternetReadFile(" + Name(file) + ", " + std::to_string(bytesToRead) + ") -> " +
                   (fails ? std::string("failed") : std::to_string(count)));
  return !fails;
}

bool RecordingInternet::HttpQueryInfoA(InternetHandle request, std::uint32_t infoLevel,
                                       void* buffer, std::uint32_t* bufferLength,
                                       std::uint32_t* index) {
  calls_.push_back("HttpQueryInfoA(" + Name(request) + ", " + std::to_string(infoLevel) + ", " +
                   std::to_string(*bufferLength) + ", " + (index == nullptr ? "null" : "index") +
                   ")");
  if (response_.failSend || response_.failQuery) return false;
  const std::string& text = response_.rawHeaders;
  if (text.size() + 1 > *bufferLength) {
    *bufferLength = static_cast<std::uint32_t>(text.size() + 1);
    return false;
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  *bufferLength = static_cast<std::uint32_t>(text.size());
  return true;
}

bool RecordingInternet::InternetCloseHandle(InternetHandle handle) {
  calls_.push_back("InternetCloseHandle(" + Name(handle) + ")");
  --openHandles_;
  return true;
}

}  // namespace sw::test
