#include "platform/CreationMask.h"

#include <cstdio>
#include <cstring>

mode_t CurrentCreationMask() {
    constexpr mode_t kCareful = 077;
    std::FILE* status = std::fopen("/proc/self/status", "re");
    if (status == nullptr)
        return kCareful;
    mode_t mask = kCareful;
    char line[256];
    unsigned value = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "Umask:", 6) == 0) {
            if (std::sscanf(line + 6, "%o", &value) == 1)
                mask = static_cast<mode_t>(value & 0777);
            break;
        }
    }
    std::fclose(status);
    return mask;
}
