#pragma once
// String-in, string-out access to profile files (the settings file) and the
// three system-folder queries.
//
// Profile operations take the section name App, the key name sec, the text
// sText and the file path ini, in that order. A path without any "/" names a
// file in vbGetWindowsDirectory(). Files are read and written by
// platform::ProfileFile: names compare without regard to case, keys and values
// are trimmed, every other line of the file is kept, and each write replaces
// the file atomically (a crash never leaves a half-written file). Values are
// never cut short, whatever their length.
//
// The system folders answer their Linux counterparts:
// - vbGetSystemDirectory: "/usr/lib", the folder of the system's libraries;
// - vbGetTempPath: $TMPDIR when set and not empty, else "/tmp", always ending
//   in "/";
// - vbGetWindowsDirectory: the folder of per-user settings files,
//   $XDG_CONFIG_HOME when set to an absolute path, else $HOME/.config (no
//   trailing "/").
//
// Batches: between BeginBatch(ini) and CommitBatch() every read and write of
// that one file works on a copy in memory, and CommitBatch writes the file
// once. Start-up and shut-down read and write all their keys this way; a
// batch still open when the object is destroyed is committed then.
#include "platform/ProfileFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace common {

class ClsKtini {
public:
    ClsKtini() = default;
    ~ClsKtini();
    ClsKtini(const ClsKtini&) = delete;
    ClsKtini& operator=(const ClsKtini&) = delete;

    // The value of key sec in section App; "" when the key or the section is
    // missing, and also when the stored value is exactly "Non" (the classic
    // default text; "non" reads as "non").
    std::string vbGetPrivateProfileString(std::string_view App, std::string_view sec, const std::string& ini);

    // Writes sec=sText into section App, creating file, section or key as
    // needed. false when the file could not be written (it is then unchanged).
    [[nodiscard]] bool vbWritePrivateProfileString(std::string_view App, std::string_view sec,
                                                   std::string_view sText, const std::string& ini);

    // Reads the whole section App and returns its first entry ("key=value");
    // the rest stays in SectionBuffer for vbNextPrivateProfileSection. "" for a
    // missing or empty section.
    std::string vbFirstPrivateProfileSection(std::string_view App, const std::string& ini);

    // The next entry of the section read last; "" after the last one, and
    // also before any vbFirstPrivateProfileSection.
    std::string vbNextPrivateProfileSection();

    // Replaces the section App by the entries of sText, separated by NUL
    // characters (a "\n" also separates). false when the file could not be
    // written.
    [[nodiscard]] bool vbWritePrivateProfileSection(std::string_view App, std::string_view sText,
                                                    const std::string& ini);

    std::string vbGetSystemDirectory() const;
    std::string vbGetTempPath() const;
    std::string vbGetWindowsDirectory() const;

    // See Batches above. BeginBatch on a file while another batch is open
    // commits the open one first. CommitBatch returns false when the write
    // failed (the file is then unchanged), true also when no batch was open.
    void BeginBatch(const std::string& ini);
    [[nodiscard]] bool CommitBatch();

    // The path that the profile operations use for ini.
    std::string ResolvePath(const std::string& ini) const;

    // The unread remainder of the section read last, entries ended by NUL.
    const std::string& SectionBuffer() const { return m_sectionBuffer; }

private:
    struct Batch {
        std::string path;
        platform::ProfileFile file;
        bool changed = false;
    };

    platform::ProfileFile Read(const std::string& path) const;
    bool Store(const std::string& path, const platform::ProfileFile& file);

    std::string m_sectionBuffer;
    std::optional<Batch> m_batch;
};

} // namespace common
