#include "platform/LargePages.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view kLargePagesTunable = "glibc.malloc.hugetlb";

}  // namespace

std::optional<std::string> TunablesWithLargePages(const char* current) {
    std::string value = current != nullptr ? current : "";
    // Whoever set the tunable, to any value, decided already.
    for (size_t start = 0; start <= value.size();) {
        size_t end = value.find(':', start);
        if (end == std::string::npos)
            end = value.size();
        std::string_view item(value.data() + start, end - start);
        if (item.substr(0, item.find('=')) == kLargePagesTunable)
            return std::nullopt;
        start = end + 1;
    }
    if (!value.empty())
        value += ':';
    value += kLargePagesTunable;
    value += "=1";
    return value;
}

void StartWithLargePages(char** argv) {
    std::optional<std::string> tunables = TunablesWithLargePages(getenv("GLIBC_TUNABLES"));
    if (!tunables || setenv("GLIBC_TUNABLES", tunables->c_str(), 1) != 0)
        return;
    // By its own path rather than /proc/self/exe, so that the process keeps its name.
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        execv(self.c_str(), argv);
}
