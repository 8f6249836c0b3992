#include <algorithm>
#include <string>

#include "app/input_error.h"
#include "app/output_file.h"
#include "core/system_error.h"

namespace sim {

namespace {

// A new file beside path, for this process alone; INVALID_HANDLE_VALUE when
// none can be made.
HANDLE CreateTemporary(const std::string& path, std::string& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary =
        path + ".partial-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt);
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

// Renaming onto an existing file fails on Windows unless the move is told to
// replace it.
void WriteFileWhole(const std::string& path, const std::string& text) {
  std::string temporary;
  HANDLE file = CreateTemporary(path, temporary);
  if (file == INVALID_HANDLE_VALUE) {
    throw InputError("cannot write " + path + ": " + SystemErrorText(GetLastError()));
  }
  size_t written = 0;
  while (written < text.size()) {
    DWORD count = 0;
    const auto chunk = static_cast<DWORD>(std::min<size_t>(text.size() - written, 1U << 20));
    if (WriteFile(file, text.data() + written, chunk, &count, nullptr) == 0 || count == 0) break;
    written += count;
  }
  DWORD error = 0;
  if (written != text.size()) {
    error = GetLastError();
    if (error == 0) error = ERROR_WRITE_FAULT;
  }
  if (CloseHandle(file) == 0 && error == 0) error = GetLastError();
  if (error == 0 && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) == 0) {
    error = GetLastError();
  }
  if (error != 0) {
    DeleteFileA(temporary.c_str());
    throw InputError("cannot write " + path + ": " + SystemErrorText(error));
  }
}

}  // namespace sim
