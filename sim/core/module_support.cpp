// The simulator's support for modules: the library start-up call and the date
// conversion behind module versions.
#include <array>
#include <optional>
#include <string_view>

#include "core/world.h"
#include "host/api.h"

void InitLib(HINSTANCE module) { sim::world().init_lib_calls.push_back(module); }

namespace {

// Reads an unsigned decimal of up to max_digits digits from the front of text;
// false when text does not start with a digit.
bool ReadNumber(std::string_view& text, int max_digits, int& number) {
  int digits = 0;
  number = 0;
  while (digits < max_digits && !text.empty() && text.front() >= '0' && text.front() <= '9') {
    number = number * 10 + (text.front() - '0');
    text.remove_prefix(1);
    ++digits;
  }
  return digits > 0;
}

bool SkipBlanks(std::string_view& text) {
  const size_t blanks = text.find_first_not_of(' ');
  if (blanks == 0 || blanks == std::string_view::npos) return false;
  text.remove_prefix(blanks);
  return true;
}

}  // namespace

// "Mmm dd yyyy", as compilers write their build date, becomes yymmdd:
// "Aug 28 2016" is 160828. Any other text gives 0.
int Date2Int(char* date) {
  sim::HostProbe* probe = sim::world().probe;
  if (probe != nullptr) {
    if (const std::optional<int> answer = probe->DateConverted()) return *answer;
  }
  if (date == nullptr) return 0;

  static const std::array<std::string_view, 12> kMonths = {
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string_view text(date);
  int month = 0;
  while (month < 12 && text.substr(0, 3) != kMonths[month]) ++month;
  if (month == 12) return 0;
  text.remove_prefix(3);
  int day = 0;
  int year = 0;
  if (!SkipBlanks(text) || !ReadNumber(text, 2, day) || !SkipBlanks(text) ||
      !ReadNumber(text, 4, year) || !text.empty() || day < 1 || day > 31 || year < 1000) {
    return 0;
  }
  return (year % 100) * 10000 + (month + 1) * 100 + day;
}
