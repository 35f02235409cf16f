#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

// A field of /proc/self/status in kB ("VmRSS:", "VmHWM:"); 0 when it cannot be read.
inline long StatusKb(const char* field) {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return 0;
    char line[256];
    long kb = 0;
    const size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, n) == 0)
            kb = std::atol(line + n + 1);
    }
    std::fclose(f);
    return kb;
}
