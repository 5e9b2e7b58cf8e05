// The main of a replay program: feeds every file of the folders (or the files)
// given, once each, to the fuzz target linked with it. The seeds and the
// inputs that once broke a parser thereby run as an ordinary test, with
// whatever sanitizers the build has.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputs(const fs::path &argument)
{
    std::vector<fs::path> files;
    if (fs::is_directory(argument)) {
        for (const fs::directory_entry &entry : fs::directory_iterator(argument)) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
    } else if (fs::is_regular_file(argument)) {
        files.push_back(argument);
    }
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    int fed = 0;
    for (int i = 1; i < argc; ++i) {
        // A target that never broke has no regression folder.
        for (const fs::path &file : inputs(argv[i])) {
            std::fprintf(stderr, "replay %s\n", file.c_str());
            std::ifstream stream(file, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            ++fed;
        }
    }
    std::fprintf(stderr, "%d inputs replayed\n", fed);
    return fed > 0 ? 0 : 1;
}
