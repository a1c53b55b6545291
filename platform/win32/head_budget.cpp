#include "platform/win32/head_budget.h"

#include <windows.h>

#include <atomic>
#include <cstring>

#include "platform/win32/wininet_api.h"

namespace sw::wininet {
namespace {

// ws2_32.dll's recv, declared here so that no Winsock header or library is needed.
using RecvFn = int(WINAPI*)(UINT_PTR socket, char* buffer, int length, int flags);
constexpr int kSocketError = -1;             // SOCKET_ERROR
constexpr DWORD kConnectionAborted = 10053;  // WSAECONNABORTED
constexpr WORD kRecvOrdinal = 16;            // recv's ordinal in ws2_32.dll

std::atomic<RecvFn> realRecv{nullptr};
thread_local HeadBudget* active = nullptr;

int WINAPI BudgetedRecv(UINT_PTR socket, char* buffer, int length, int flags) {
  HeadBudget* budget = active;
  if (budget != nullptr && budget->Expired()) {
    SetLastError(kConnectionAborted);  // WSASetLastError is SetLastError
    return kSocketError;
  }
  const int received = realRecv(socket, buffer, length, flags);
  if (budget != nullptr && received > 0 && !budget->Charge(static_cast<std::uint64_t>(received))) {
    SetLastError(kConnectionAborted);
    return kSocketError;
  }
  return received;
}

bool IsRecv(const BYTE* base, const IMAGE_THUNK_DATA& name) {
  if (IMAGE_SNAP_BY_ORDINAL(name.u1.Ordinal)) return IMAGE_ORDINAL(name.u1.Ordinal) == kRecvOrdinal;
  const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name.u1.AddressOfData);
  return std::strcmp(reinterpret_cast<const char*>(byName->Name), "recv") == 0;
}

// Points wininet.dll's import of ws2_32!recv at BudgetedRecv; true when it was found.
bool RedirectRecv(HMODULE module) {
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return false;
  for (auto* descriptor =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       descriptor->Name != 0; ++descriptor) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), "ws2_32.dll") != 0) {
      continue;
    }
    const DWORD namesAt = descriptor->OriginalFirstThunk != 0 ? descriptor->OriginalFirstThunk
                                                              : descriptor->FirstThunk;
    const auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + namesAt);
    auto* slot =
        reinterpret_cast<IMAGE_THUNK_DATA*>(const_cast<BYTE*>(base) + descriptor->FirstThunk);
    for (; name->u1.AddressOfData != 0; ++name, ++slot) {
      if (!IsRecv(base, *name)) continue;
      DWORD protection = 0;
      if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE,
                          &protection)) {
        return false;
      }
      // Through void(*)(): the documented way to change a function pointer's type.
      realRecv = reinterpret_cast<RecvFn>(
          reinterpret_cast<void (*)()>(static_cast<ULONG_PTR>(slot->u1.Function)));
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(&BudgetedRecv);
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
      return true;
    }
  }
  return false;
}

}  // namespace

bool HeadBudget::Enforced() {
  static const bool redirected = RedirectRecv(Bound().module);
  return redirected;
}

HeadBudget::HeadBudget(std::uint64_t maxBytes, std::uint64_t deadlineMs)
    : maxBytes_(maxBytes), deadline_(GetTickCount64() + deadlineMs), outer_(active) {
  Enforced();
  active = this;
}

HeadBudget::~HeadBudget() {
  active = outer_;
}

bool HeadBudget::Charge(std::uint64_t bytes) {
  spent_ += bytes;
  if (spent_ > maxBytes_) exceeded_ = true;
  return !exceeded_;
}

bool HeadBudget::Expired() {
  if (GetTickCount64() > deadline_) exceeded_ = true;
  return exceeded_;
}

}  // namespace sw::wininet
