#pragma once
// Temporary skin folders for the skin tests: files written on demand,
// removed with the folder.
#include "support/TempFolder.h"

#include <QColor>
#include <QImage>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class TempFolder {
public:
    // The folder with a trailing "/".
    std::string Path() const { return m_folder.Path().string() + "/"; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::create_directories(m_folder.Path(name).parent_path());
        std::ofstream(m_folder.Path(name), std::ios::binary) << bytes;
    }

    // The numbers as 32-bit little-endian values, then extraBytes stray bytes.
    void WriteInts(const std::string& name, const std::vector<int32_t>& numbers, std::size_t extraBytes = 0) const
    {
        std::string bytes;
        for (int32_t n : numbers)
            for (int i = 0; i < 4; ++i)
                bytes.push_back(static_cast<char>((static_cast<uint32_t>(n) >> (8 * i)) & 0xFF));
        Write(name, bytes + std::string(extraBytes, '\x7F'));
    }

    void WritePicture(const std::string& name, int width, int height, QColor colour, const char* format = "BMP") const
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        std::filesystem::create_directories(m_folder.Path(name).parent_path());
        image.save(QString::fromStdString(m_folder.Path(name).string()), format);
    }

private:
    testsupport::TempFolder m_folder{"zelko-skin"};
};
