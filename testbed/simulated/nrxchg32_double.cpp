// Test double of NRXCHG32.DLL: records every call, one line each, in the file
// named by NRXCHG32_LOG, answers as NRXCHG32_QUICK and NRXCHG32_QUICK_RESULT
// say, and never restarts or changes anything.
#define NRXCHG32_BUILDING
#include "nrxchg32.h"

#include <stdio.h>
#include <stdlib.h>

static void Record(const char* line)
{
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("NRXCHG32_LOG", path, sizeof(path)))
        return;
    FILE* log = fopen(path, "a");
    if (!log)
        return;
    fprintf(log, "%s\n", line);
    fclose(log);
}

static int Answer(const char* variable, int otherwise)
{
    char value[16];
    if (!GetEnvironmentVariableA(variable, value, sizeof(value)))
        return otherwise;
    return atoi(value);
}

extern "C" int WINAPI RestartWindows(void)
{
    Record("RestartWindows");
    return 1;
}

extern "C" int WINAPI CheckQuickRes(void)
{
    Record("CheckQuickRes");
    return Answer("NRXCHG32_QUICK", 0);
}

extern "C" int WINAPI QuickResChange(const char* mode)
{
    char line[64];
    _snprintf(line, sizeof(line), "QuickResChange %s", mode ? mode : "(null)");
    line[sizeof(line) - 1] = '\0';
    Record(line);
    return Answer("NRXCHG32_QUICK_RESULT", 1);
}
