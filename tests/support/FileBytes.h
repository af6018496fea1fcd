#pragma once
// Whole-file reads and writes for tests that check what landed on disk.
#include <fstream>
#include <sstream>
#include <string>

namespace testsupport {

inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace testsupport
