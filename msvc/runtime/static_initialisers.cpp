// The compiler puts a pointer to each object file's initialiser of static data
// in a section named .CRT$XCU. The linker sorts sections of one name before
// the '$' by the text after it, so the two markers below, in .CRT$XCA and
// .CRT$XCZ, enclose every initialiser of this image.
#include "static_initialisers.h"

namespace {

using Initialiser = void (*)();

__attribute__((section(".CRT$XCA"), used)) const Initialiser first_marker = nullptr;
__attribute__((section(".CRT$XCZ"), used)) const Initialiser last_marker = nullptr;

}  // namespace

void RunStaticInitialisers() {
  // Read the bounds through volatile pointers: as far as the language knows
  // they are two unrelated objects.
  const Initialiser* volatile entry = &first_marker + 1;
  const Initialiser* volatile end = &last_marker;
  for (const Initialiser* at = entry; at < end; ++at) {
    if (*at != nullptr) (*at)();  // the linker may pad between sections
  }
}
