#pragma once
// Temporary skin folders for the skin tests: files written on demand,
// removed with the folder.
#include <QColor>
#include <QApplication>
#include <QImage>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder()
    {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() / ("zelko-skin-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

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
    std::filesystem::path m_path;
};

// The Qt application for tests that need fonts, pictures or widgets: made on
// first use and destroyed when the tests end (QtTestEnvironment.cpp), before
// Qt's own globals go away at exit.
void EnsureGuiApplication();
