/* The few Windows declarations that the module and its test host use, written
   from the platform's documented types and functions. Handles are distinct
   pointer types, as the platform declares them under STRICT, so that names
   taking them mangle alike. */
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef _M_IX86
#define WINAPI __stdcall
#else
#define WINAPI
#endif
#define WINBASEAPI __declspec(dllimport)

#ifdef __cplusplus
extern "C" {
#endif

typedef int BOOL;
typedef unsigned long DWORD;
typedef void* LPVOID;
typedef const char* LPCSTR;
typedef intptr_t INT_PTR;
typedef size_t SIZE_T;
typedef void* HANDLE;

#define TRUE 1
#define FALSE 0

struct HINSTANCE__ {
  int unused;
};
typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
struct HDC__ {
  int unused;
};
typedef struct HDC__* HDC;

typedef INT_PTR(WINAPI* FARPROC)(void);

/* Reasons for which the loader calls a DLL's entry point. */
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

/* kernel32.dll */
WINBASEAPI FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);
WINBASEAPI HMODULE WINAPI LoadLibraryA(LPCSTR file_name);
WINBASEAPI BOOL WINAPI FreeLibrary(HMODULE module);

typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID parameter);
#define INFINITE 0xFFFFFFFF
/* attributes: a SECURITY_ATTRIBUTES record, or null for the defaults. */
WINBASEAPI HANDLE WINAPI CreateThread(void* attributes, SIZE_T stack_size,
                                      LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                                      DWORD* thread_id);
WINBASEAPI DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
WINBASEAPI BOOL WINAPI CloseHandle(HANDLE handle);

#ifdef __cplusplus
}
#endif
