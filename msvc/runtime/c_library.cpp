// The parts of the C and C++ libraries that the C run-time DLL does not give
// in the form the C++ standard asks for: terminated snprintf, the nothrow
// allocation functions, and the marker that floating point is in use.
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

#include <new>

// The compiler references this symbol from every object that uses floating
// point; the C run-time start-up would otherwise define it.
extern "C" int _fltused = 0;

extern "C" int vsnprintf(char* buffer, size_t size, const char* format, va_list arguments) {
  va_list measured;
  va_copy(measured, arguments);
  const int length = _vscprintf(format, measured);
  va_end(measured);
  if (size == 0) return length;
  // _vsnprintf leaves a text that fills the buffer unterminated: give it one
  // character less and terminate where the text, or the buffer, ends.
  _vsnprintf(buffer, size - 1, format, arguments);
  const size_t end = length >= 0 && static_cast<size_t>(length) < size - 1
                         ? static_cast<size_t>(length)
                         : size - 1;
  buffer[end] = '\0';
  return length;
}

extern "C" int snprintf(char* buffer, size_t size, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int length = vsnprintf(buffer, size, format, arguments);
  va_end(arguments);
  return length;
}

const std::nothrow_t std::nothrow{};

void* operator new(size_t size, const std::nothrow_t& /*tag*/) noexcept {
  return malloc(size == 0 ? 1 : size);  // every object gets an address of its own
}

void operator delete(void* block) noexcept { free(block); }
