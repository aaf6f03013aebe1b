/*
 * The interface an extension library implements, and the one service the compiler offers it.
 *
 * An extension is a shared library (.so) that exports the functions below with C linkage by
 * their plain names. The compiler looks up the six required exports when it loads the
 * library; a library that lacks any of them is refused. NBX_InfoDlg is optional.
 *
 * Every call passes a null first argument and the address of the compiler's NBX_HostGetFunc
 * as the second. Numbers and flags are int32_t; handles and pointers are void*. Results are
 * read only where the table below says so.
 *
 *   NBX_IsInterface  never called; its presence marks the library as an extension
 *   NBX_GetName      fills `buffer` (256 zero bytes) with the extension's name, at most 255 chars
 *   NBX_GetVersion   the same for the version text
 *   NBX_Init         once, after the name and version were read
 *   NBX_Exit         once, before the library is unloaded
 *   NBX_IsRuntime    non-zero: a run-time extension that is embedded in e-books; the compiler
 *                    passes its own version as major 4, minor 22
 *   NBX_InfoDlg      non-zero: the extension showed its own information; zero: the compiler
 *                    shows its own. `loaded` is 1 when the extension is marked "Load".
 *
 * Window handles are null when the compiler has no window (console compiler, start-up).
 */
#ifndef NBX_EXTENSION_H
#define NBX_EXTENSION_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define NBX_EXPORT __declspec(dllexport)
#else
#define NBX_EXPORT __attribute__((visibility("default")))
#endif

/* The compiler's service lookup. It offers no services: it ignores its arguments and always
 * returns 0. */
typedef int32_t (*NBX_HostGetFuncProc)(void* reserved, const char* serviceName);

typedef int32_t (*NBX_IsInterfaceProc)(void* reserved, NBX_HostGetFuncProc host);
typedef int32_t (*NBX_GetNameProc)(void* reserved, NBX_HostGetFuncProc host, void* mainWindow,
                                   char* buffer);
typedef int32_t (*NBX_GetVersionProc)(void* reserved, NBX_HostGetFuncProc host, void* mainWindow,
                                      char* buffer);
typedef int32_t (*NBX_InitProc)(void* reserved, NBX_HostGetFuncProc host, void* mainWindow);
typedef int32_t (*NBX_ExitProc)(void* reserved, NBX_HostGetFuncProc host, void* mainWindow);
typedef int32_t (*NBX_IsRuntimeProc)(void* reserved, NBX_HostGetFuncProc host, void* mainWindow,
                                     int32_t major, int32_t minor);
typedef int32_t (*NBX_InfoDlgProc)(void* reserved, NBX_HostGetFuncProc host, void* dialogWindow,
                                   int32_t loaded, const char* sourceFolder);

/* Exported by the compiler programs (tamsel, tamselc). */
NBX_EXPORT int32_t NBX_HostGetFunc(void* reserved, const char* serviceName);

#define NBX_NAME_BUFFER_SIZE 256

#ifdef __cplusplus
}
#endif

#endif /* NBX_EXTENSION_H */
