#pragma once
// Temporary skin folders for the skin tests: files written on demand,
// removed with the folder.
#include "support/TempFolder.h"

#include <QColor>
#include <QApplication>
#include <QImage>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder() : m_folder("zelko-skin"), m_path(m_folder.Path()) {}

    // The folder with a trailing "/".
    std::string Path() const { return m_path.string() + "/"; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::create_directories((m_path / name).parent_path());
        std::ofstream out(m_path / name, std::ios::binary);
        out << bytes;
    }

    void WriteInts(const std::string& name, const std::vector<int32_t>& numbers, std::size_t extraBytes = 0) const
    {
        std::string bytes;
        for (int32_t n : numbers) {
            const auto v = static_cast<uint32_t>(n);
            for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
        bytes.append(extraBytes, '\x7F');
        Write(name, bytes);
    }

    void WritePicture(const std::string& name, int width, int height, QColor colour, const char* format = "BMP") const
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        std::filesystem::create_directories((m_path / name).parent_path());
        image.save(QString::fromStdString((m_path / name).string()), format);
    }

private:
    testsupport::TempFolder m_folder;
    std::filesystem::path m_path;
};

// The Qt application for tests that need fonts, pictures or widgets: made on
// first use and destroyed when the tests end (QtTestEnvironment.cpp), before
// Qt's own globals go away at exit.
void EnsureGuiApplication();
