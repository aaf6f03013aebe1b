/*
 * A sample extension, compiled several ways to give the tests a run-time extension with and
 * without an information dialog, a design-time one, and a library that lacks NBX_Exit.
 * Every call appends one line to the file named by $NBX_EXTENSION_LOG:
 *     <SAMPLE_NAME> <export> <arguments>
 * so tests can check the arguments and the order of the calls.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "nbx/extension.h"

#ifndef SAMPLE_NAME
#error SAMPLE_NAME must be defined
#endif
#ifndef SAMPLE_RUNTIME
#define SAMPLE_RUNTIME 1
#endif

static void Record(const char* line) {
    const char* path = getenv("NBX_EXTENSION_LOG");
    if (!path) {
        return;
    }
    FILE* f = fopen(path, "a");
    if (f) {
        fprintf(f, "%s %s\n", SAMPLE_NAME, line);
        fclose(f);
    }
}

/* "null" or "set" for a pointer argument; "host0" when the host function answers 0. */
static const char* Ptr(const void* p) { return p ? "set" : "null"; }

static void RecordCall(const char* name, void* reserved, NBX_HostGetFuncProc host, void* window) {
    char line[256];
    snprintf(line, sizeof line, "%s reserved=%s host=%s window=%s", name, Ptr(reserved),
             host && host(NULL, "anything") == 0 ? "host0" : "bad", Ptr(window));
    Record(line);
}

NBX_EXPORT int32_t NBX_IsInterface(void* reserved, NBX_HostGetFuncProc host) {
    (void)reserved;
    (void)host;
    Record("IsInterface");
    return 1;
}

NBX_EXPORT int32_t NBX_GetName(void* reserved, NBX_HostGetFuncProc host, void* window,
                               char* buffer) {
    RecordCall("GetName", reserved, host, window);
    strcpy(buffer, "Sample " SAMPLE_NAME);
    return 0;
}

NBX_EXPORT int32_t NBX_GetVersion(void* reserved, NBX_HostGetFuncProc host, void* window,
                                  char* buffer) {
    RecordCall("GetVersion", reserved, host, window);
#ifdef SAMPLE_FULL_VERSION
    /* Fills the whole buffer: the host must cut at 255 characters. */
    memset(buffer, 'v', NBX_NAME_BUFFER_SIZE);
#else
    strcpy(buffer, "1.0");
#endif
    return 0;
}

NBX_EXPORT int32_t NBX_Init(void* reserved, NBX_HostGetFuncProc host, void* window) {
    RecordCall("Init", reserved, host, window);
    return 0;
}

#ifndef SAMPLE_NO_EXIT
NBX_EXPORT int32_t NBX_Exit(void* reserved, NBX_HostGetFuncProc host, void* window) {
    RecordCall("Exit", reserved, host, window);
    return 0;
}
#endif

NBX_EXPORT int32_t NBX_IsRuntime(void* reserved, NBX_HostGetFuncProc host, void* window,
                                 int32_t major, int32_t minor) {
    char line[128];
    RecordCall("IsRuntime", reserved, host, window);
    snprintf(line, sizeof line, "IsRuntime %d %d", (int)major, (int)minor);
    Record(line);
    return SAMPLE_RUNTIME;
}

#ifdef SAMPLE_INFO_DIALOG
NBX_EXPORT int32_t NBX_InfoDlg(void* reserved, NBX_HostGetFuncProc host, void* window,
                               int32_t loaded, const char* sourceFolder) {
    char line[512];
    RecordCall("InfoDlg", reserved, host, window);
    snprintf(line, sizeof line, "InfoDlg loaded=%d folder=%s", (int)loaded,
             sourceFolder ? sourceFolder : "(null)");
    Record(line);
    return 1;
}
#endif
