// SPDX-License-Identifier: GPL-3.0-or-later
// Files and folders through the system's own calls: the attribute word of
// GetFileAttributesW, the enumeration of FindFirstFileExW and FindNextFileW,
// each with its wide path, so that every name is reached whatever code page
// the system has.
#include "platform/FileSystem.h"

#include "platform/FolderText.h"

#include <atomic>
#include <memory>
#include <string>
#include <utility>

#include <windows.h>

namespace platform {

struct FolderReader::Enumeration {
    HANDLE handle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data{};
    bool haveFirst = false;  // data holds the first entry, not yet handed out
    QString prefix;          // the folder with its trailing separator
    std::string name;        // the current entry's name in UTF-8

    ~Enumeration()
    {
        if (handle != INVALID_HANDLE_VALUE)
            ::FindClose(handle);
    }
};

namespace {

std::wstring Wide(const QString& text)
{
    return text.toStdWString();
}

// The folder's identity: its volume's serial number and its file index. A
// folder that cannot be asked gets an identity no other folder has, so the
// walk enters it once; the length limit of paths ends any descent through
// such folders.
FileId FolderId(const QString& prefix)
{
    const std::wstring path = Wide(prefix + QLatin1Char('.'));
    const HANDLE handle = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = handle != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(handle, &info);
    if (handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle);
    if (known)
        return FileId{info.dwVolumeSerialNumber,
                      (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    static std::atomic<std::uint64_t> unknown{0};
    return FileId{~std::uint64_t(0), ++unknown};
}

// A path holding a NUL names no file: the system would read it only up to
// the NUL, which could be another file.
bool NamesNoFile(const QString& path)
{
    return path.isEmpty() || path.contains(QChar(0));
}

}  // namespace

// Windows has no pseudo file systems of the kernel's in its folder tree; the
// query is kept for the tests that stand in for one.
FileSystemTypeQuery SetFileSystemTypeQuery(FileSystemTypeQuery query)
{
    static FileSystemTypeQuery current;
    return std::exchange(current, std::move(query));
}

bool IsPseudoFileSystem(std::uint64_t)
{
    return false;
}

std::uint32_t FileAttributes(const QString& path)
{
    if (NamesNoFile(path))
        return kInvalidAttributes;
    const std::wstring name = Wide(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? kInvalidAttributes : std::uint32_t(attributes);
}

FolderReader::FolderReader(const QString& path)
{
    if (NamesNoFile(path))
        return;
    auto find = std::make_unique<Enumeration>();
    // "c:" enumerates the drive's current folder ("c:*"), a lone letter the
    // drive's root: the pattern follows the separator rule.
    find->prefix = WithTrailingSeparator(path);
    const std::wstring pattern = Wide(find->prefix + QLatin1Char('*'));
    // No short names are asked for, and the system may fetch entries in
    // large batches.
    find->handle = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &find->data, FindExSearchNameMatch, nullptr,
                                      FIND_FIRST_EX_LARGE_FETCH);
    if (find->handle == INVALID_HANDLE_VALUE) {
        // A folder with no entries at all (a drive's empty root) is open
        // and empty; anything else could not be read.
        if (::GetLastError() != ERROR_FILE_NOT_FOUND)
            return;
    } else {
        find->haveFirst = true;
    }
    id_ = FolderId(find->prefix);
    dir_ = find.release();
}

void FolderReader::Close()
{
    delete dir_;
    dir_ = nullptr;
    name_ = {};
}

bool FolderReader::Next()
{
    name_ = {};
    kindKnown_ = false;
    if (dir_ == nullptr || dir_->handle == INVALID_HANDLE_VALUE)
        return false;
    if (dir_->haveFirst)
        dir_->haveFirst = false;
    else if (!::FindNextFileW(dir_->handle, &dir_->data))
        return false;  // a read error ends the enumeration like its end does
    dir_->name = QString::fromWCharArray(dir_->data.cFileName).toStdString();
    name_ = dir_->name;
    return true;
}

QString FolderReader::DisplayName() const
{
    if (dir_ == nullptr || name_.empty())
        return QString();
    return QString::fromWCharArray(dir_->data.cFileName);
}

EntryKind FolderReader::Kind()
{
    if (kindKnown_)
        return kind_;
    const DWORD attributes = dir_ != nullptr && !name_.empty() ? dir_->data.dwFileAttributes : 0;
    // The directory bit makes a folder (a link to one included); an entry
    // with the volume-label bit is no file. Entries of a folder are never
    // devices or pipes on Windows.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        kind_ = EntryKind::Directory;
    else if (attributes & kAttrVolumeLabel)
        kind_ = EntryKind::Other;
    else
        kind_ = EntryKind::File;
    kindKnown_ = true;
    return kind_;
}

// A symbolic link or a junction: an entry with a reparse point.
bool FolderReader::IsLink()
{
    return dir_ != nullptr && !name_.empty() && (dir_->data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool FolderReader::OnPseudoFileSystem() const
{
    return false;
}

std::uint32_t FolderReader::Attributes()
{
    if (dir_ == nullptr || name_.empty())
        return kInvalidAttributes;
    return std::uint32_t(dir_->data.dwFileAttributes);
}

FolderReader FolderReader::OpenEntry() const
{
    if (dir_ == nullptr || name_.empty())
        return FolderReader();
    return FolderReader(dir_->prefix + DisplayName());
}

}  // namespace platform
