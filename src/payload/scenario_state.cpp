// VESSEL2::clbkSaveState and clbkLoadState: the selected port in the vessel's
// scenario block, as the line "NPLS <index>" after the simulator's own lines.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "host/api.h"
#include "vessel/vantrel.h"

namespace {

const char kStateKey[] = "NPLS";
const int kStateKeyLength = sizeof kStateKey - 1;
const int kValueBufferLength = 256;

// True when the line starts with the key in any letter case. No white space
// is skipped, and a longer word that starts with the key counts as the key.
bool IsStateLine(const char* line) {
  for (int i = 0; i < kStateKeyLength; ++i) {
    if (line[i] == '\0') return false;
    if (std::toupper(static_cast<unsigned char>(line[i])) != kStateKey[i]) return false;
  }
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a port index the way "%d" reads an integer (white space, an optional
// sign, decimal digits up to the first other character), but gives true only
// for an index of an existing port. A number outside the ports, however long,
// is rejected: the index is used without a range test afterwards. The value
// stops growing once it is past the last port, so no text can overflow it.
bool ReadPortIndex(const char* text, int& index) {
  while (std::isspace(static_cast<unsigned char>(*text)) != 0) ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  if (!IsDigit(*text)) return false;
  int value = 0;
  for (; IsDigit(*text); ++text) {
    if (value < kPayloadPortCount) value = value * 10 + (*text - '0');
  }
  if (value >= kPayloadPortCount || (negative && value != 0)) return false;
  index = value;
  return true;
}

}  // namespace

void vantrel::clbkSaveState(void* scenario) {
  VESSEL2::clbkSaveState(scenario);
  char key[sizeof kStateKey];
  std::memcpy(key, kStateKey, sizeof key);
  char value[kValueBufferLength];
  std::snprintf(value, sizeof value, "%d", next_payload);
  oapiWriteScenario_string(scenario, key, value);
}

// The ring's own line sets the selection when its value names a port; every
// other line goes back to the simulator exactly as it came.
void vantrel::clbkLoadState(void* scenario, void* status) {
  char* line = nullptr;
  while (oapiReadScenario_nextline(scenario, line)) {
    if (IsStateLine(line)) {
      ReadPortIndex(line + kStateKeyLength, next_payload);
    } else {
      ParseScenarioLineEx(line, status);
    }
  }
}
