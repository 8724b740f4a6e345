#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 &&
        (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::puts("tessel-cli 0.1.0");
        return 0;
    }
    std::fputs("usage: tessel-cli --help\n", stderr);
    return 1;
}
