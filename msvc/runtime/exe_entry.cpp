// An executable's entry point: static data gets its values, main runs with
// the command line split by the C run-time DLL, and exit flushes the output
// streams before the process ends.
#include <stdlib.h>

#include "static_initialisers.h"

extern "C" {
// The C run-time DLL's splitting of the command line into main's arguments.
struct _startupinfo {
  int newmode;  // the heap's behaviour on failure; 0 keeps the default
};
int __getmainargs(int* argc, char*** argv, char*** envp, int expand_wildcards,
                  _startupinfo* startup_info);
}

int main(int argc, char** argv);

extern "C" void mainCRTStartup() {
  RunStaticInitialisers();
  int argc = 0;
  char** argv = nullptr;
  char** envp = nullptr;
  _startupinfo startup_info = {0};
  __getmainargs(&argc, &argv, &envp, 0, &startup_info);
  exit(main(argc, argv));
}
