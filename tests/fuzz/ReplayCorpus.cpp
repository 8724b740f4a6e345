// Runs a fuzz target over the files of its seed corpus, for builds without libFuzzer:
// each argument is a file or a folder of files. A target that finds a fault aborts; an
// argument that holds no file fails the run, so an emptied corpus cannot pass unnoticed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    for (int arg = 1; arg < argc; ++arg) {
        std::vector<fs::path> files;
        if (fs::is_directory(argv[arg])) {
            for (const fs::directory_entry& entry : fs::directory_iterator(argv[arg]))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else if (fs::is_regular_file(argv[arg])) {
            files.push_back(argv[arg]);
        }
        if (files.empty()) {
            std::fprintf(stderr, "%s: no input files\n", argv[arg]);
            return 1;
        }
        for (const fs::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::string bytes(std::istreambuf_iterator<char>(in), {});
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        }
        std::printf("%s: %zu inputs\n", argv[arg], files.size());
    }
    return 0;
}
