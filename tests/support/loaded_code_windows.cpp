#include <cstdint>
#include <cstring>

#include "host/system.h"
#include "support/heap.h"
#include "support/loaded_code.h"

const void* ModuleBaseOf(const void* address) {
  HMODULE module = nullptr;
  const DWORD flags =
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (GetModuleHandleExA(flags, static_cast<const char*>(address), &module) == 0) return nullptr;
  return module;
}

// The import jump is "jmp [address]": FF 25 and a 32-bit operand, relative to
// the next instruction on x86-64, absolute on x86.
const void* FunctionBehind(const void* entry) {
  const auto* code = static_cast<const unsigned char*>(entry);
  if (code[0] != 0xFF || code[1] != 0x25) return entry;
  std::int32_t operand = 0;
  std::memcpy(&operand, code + 2, sizeof operand);
#ifdef _WIN64
  const unsigned char* slot = code + 6 + operand;
#else
  const auto* slot = reinterpret_cast<const unsigned char*>(static_cast<std::uintptr_t>(operand));
#endif
  const void* function = nullptr;
  std::memcpy(&function, slot, sizeof function);
  return function;
}

namespace {

// Points the import slot at function, through the page protection.
void Redirect(ULONG_PTR& slot, void* function) {
  DWORD protection = 0;
  VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &protection);
  slot = reinterpret_cast<ULONG_PTR>(function);
  VirtualProtect(&slot, sizeof slot, protection, &protection);
}

}  // namespace

void RouteModuleHeapThroughProbe(const void* base) {
  const auto* image = static_cast<const unsigned char*>(base);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (const auto* library =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image + imports.VirtualAddress);
       library->Name != 0; ++library) {
    if (_stricmp(reinterpret_cast<const char*>(image + library->Name), "msvcrt.dll") != 0) continue;
    const auto* names =
        reinterpret_cast<const IMAGE_THUNK_DATA*>(image + library->OriginalFirstThunk);
    auto* slots = const_cast<IMAGE_THUNK_DATA*>(
        reinterpret_cast<const IMAGE_THUNK_DATA*>(image + library->FirstThunk));
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const char* name =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(image + names->u1.AddressOfData)->Name;
      if (std::strcmp(name, "malloc") == 0) {
        Redirect(slots->u1.Function, reinterpret_cast<void*>(&sim::ProbedMalloc));
      } else if (std::strcmp(name, "free") == 0) {
        Redirect(slots->u1.Function, reinterpret_cast<void*>(&sim::ProbedFree));
      }
    }
  }
}
