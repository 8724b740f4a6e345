// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target over the files of its seed corpus, for builds without libFuzzer:
// each argument is a folder of files. A target that finds a fault aborts; a folder that
// holds no file fails the run, so an emptied corpus cannot pass unnoticed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    for (int arg = 1; arg < argc; ++arg) {
        size_t inputs = 0;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(argv[arg], error)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::string bytes(std::istreambuf_iterator<char>(in), {});
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++inputs;
        }
        if (inputs == 0) {
            std::fprintf(stderr, "%s: no input files\n", argv[arg]);
            return 1;
        }
        std::printf("%s: %zu inputs\n", argv[arg], inputs);
    }
    return 0;
}
