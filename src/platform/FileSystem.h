// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File attributes and folder enumeration. An attribute word carries the
// classic bits: read-only 1 (not writable by the user), hidden 2 (a name that
// begins with a dot), directory 16, archive 32 (a regular file). Links are
// followed. On Windows the word is the file system's own, every bit as it
// reports it (system 4 and volume label 8 among them). A folder being enumerated is held open by one object and closed
// when that object goes, on every path out of a walk.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {

constexpr std::uint32_t kAttrReadOnly = 1;
constexpr std::uint32_t kAttrHidden = 2;
constexpr std::uint32_t kAttrSystem = 4;
constexpr std::uint32_t kAttrVolumeLabel = 8;
constexpr std::uint32_t kAttrDirectory = 16;
constexpr std::uint32_t kAttrArchive = 32;
// What the attribute query gives for a path that does not exist.
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFFu;

// The attribute word of a path (links followed), or kInvalidAttributes.
std::uint32_t FileAttributes(const QString& path);

// Identifies a folder on the machine, whatever path leads to it: device and
// inode, or on Windows the volume's serial number and the file index.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileId&) const = default;
};

struct FileIdHash {
    size_t operator()(const FileId& id) const
    {
        return std::hash<std::uint64_t>()(id.inode) * 31 + std::hash<std::uint64_t>()(id.device);
    }
};

// The type of the file system an open folder lies on (statfs's f_type; 0
// when it cannot be told), by the folder's descriptor.
using FileSystemTypeQuery = std::function<std::uint64_t(int folderFd)>;

// Replaces the query (an empty one brings back the system's) and returns
// the one it replaces, so that tests can stand in for a file system's type.
FileSystemTypeQuery SetFileSystemTypeQuery(FileSystemTypeQuery query);

// True for the kernel's pseudo file systems (proc, sysfs, devpts, cgroup,
// debugfs, tracefs, securityfs, bpf, pstore, configfs, mqueue, fusectl,
// binfmt_misc, ...): they hold no files of the user's, and their links lead
// into whole trees again and again.
bool IsPseudoFileSystem(std::uint64_t type);

// What an entry is, links followed. Other covers links that lead nowhere,
// pipes, sockets and devices: nothing that can be read as a text file.
enum class EntryKind { Directory, File, Other };

// One open folder and its enumeration position. Move-only.
class FolderReader {
public:
    // Opens a folder by path; IsOpen() tells whether that worked.
    explicit FolderReader(const QString& path);
    FolderReader(FolderReader&& other) noexcept;
    FolderReader& operator=(FolderReader&& other) noexcept;
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;
    ~FolderReader();

    bool IsOpen() const { return dir_ != nullptr; }
    // The folder's identity; meaningful only while open.
    FileId Id() const { return id_; }

    // Moves to the next entry ("." and ".." included, as the folder holds
    // them); false when there is none left or the folder is not open.
    bool Next();
    // The current entry's name as the file system stores it (NUL-terminated
    // behind the view, valid until the next call of Next).
    std::string_view Name() const { return name_; }
    // The current entry's name as text.
    QString DisplayName() const;
    // The current entry's kind; asks the file system only when the folder
    // listing does not tell.
    EntryKind Kind();
    // Whether the current entry is a symbolic link (whatever it leads to).
    bool IsLink();
    // The current entry's whole attribute word.
    std::uint32_t Attributes();
    // Opens the current entry as a folder (links followed).
    FolderReader OpenEntry() const;
    // Whether the open folder lies on a pseudo file system, as the file
    // system type query tells.
    bool OnPseudoFileSystem() const;

private:
    FolderReader() = default;
    void Adopt(int fd);
    void Close();

    // The system's enumeration of the open folder, each system's own.
    struct Enumeration;
    Enumeration* dir_ = nullptr;
    FileId id_;
    std::string_view name_;
    unsigned char type_ = 0;
    bool kindKnown_ = false;
    bool link_ = false;
    EntryKind kind_ = EntryKind::Other;
};

}  // namespace platform
