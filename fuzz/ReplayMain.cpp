// The entry of a fuzz target built without libFuzzer, for the test build:
// every file named, and every file in a folder named, goes through the
// target once, in name order. It fails when it found no input at all, so
// that a seed folder gone missing does not pass for a clean run.
//
//   replay_NAME PATH...
#include "tests/support/FileBytes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const fs::path& path)
{
    std::vector<fs::path> inputs;
    std::error_code error;
    if (fs::is_directory(path, error)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
            if (entry.is_regular_file()) inputs.push_back(entry.path());
        }
        std::sort(inputs.begin(), inputs.end());
    } else if (fs::is_regular_file(path, error)) {
        inputs.push_back(path);
    }
    return inputs;
}

} // namespace

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path& input : InputsOf(argv[i])) {
            const std::string bytes = testsupport::ReadFileBytes(input);
            std::printf("%s (%zu bytes)\n", input.c_str(), bytes.size());
            std::fflush(stdout);
            (void)LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
