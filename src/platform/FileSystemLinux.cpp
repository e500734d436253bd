// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include "platform/FileName.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <utility>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace platform {

// The open folder's DIR.
struct FolderReader::Enumeration {
    DIR* dir;
};

namespace {

bool IsDotName(std::string_view name)
{
    return !name.empty() && name.front() == '.';
}

// The bits that follow from a stat result and a name.
std::uint32_t AttributesOf(const struct stat& st, std::string_view name, bool writable)
{
    std::uint32_t attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= kAttrDirectory;
    else if (S_ISREG(st.st_mode))
        attributes |= kAttrArchive;
    if (!writable)
        attributes |= kAttrReadOnly;
    if (IsDotName(name) && name != "." && name != "..")
        attributes |= kAttrHidden;
    return attributes;
}

// The last component of a path, trailing separators ignored.
std::string_view LastComponent(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

EntryKind KindOf(const struct stat& st)
{
    if (S_ISDIR(st.st_mode))
        return EntryKind::Directory;
    if (S_ISREG(st.st_mode))
        return EntryKind::File;
    return EntryKind::Other;
}

std::uint64_t SystemFileSystemType(int folderFd)
{
    struct statfs fs{};
    if (::fstatfs(folderFd, &fs) != 0)
        return 0;
    return std::uint64_t(fs.f_type);
}

FileSystemTypeQuery& CurrentTypeQuery()
{
    static FileSystemTypeQuery query = SystemFileSystemType;
    return query;
}

// The magic numbers of linux/magic.h (and mqueue's own), which statfs
// reports as the file system's type.
constexpr std::uint64_t kPseudoFileSystems[] = {
    0x9fa0,      // proc
    0x62656572,  // sysfs
    0x1cd1,      // devpts
    0x27e0eb,    // cgroup
    0x63677270,  // cgroup2
    0x64626720,  // debugfs
    0x74726163,  // tracefs
    0x73636673,  // securityfs
    0xcafe4a11,  // bpf
    0x6165676c,  // pstore
    0x62656570,  // configfs
    0x19800202,  // mqueue
    0x65735543,  // fusectl
    0x42494e4d,  // binfmt_misc
    0xde5e81e4,  // efivarfs
    0xf97cff8c,  // selinuxfs
    0x43415d53,  // smackfs
    0x7655821,   // resctrl
    0x6e736673,  // nsfs
    0x9fa2,      // usbdevfs
};

}  // namespace

FileSystemTypeQuery SetFileSystemTypeQuery(FileSystemTypeQuery query)
{
    return std::exchange(CurrentTypeQuery(), query ? std::move(query) : FileSystemTypeQuery(SystemFileSystemType));
}

bool IsPseudoFileSystem(std::uint64_t type)
{
    for (const std::uint64_t pseudo : kPseudoFileSystems)
        if (type == pseudo)
            return true;
    return false;
}

std::uint32_t FileAttributes(const QString& path)
{
    const QByteArray name = NativePath(path);
    if (name.isEmpty())
        return kInvalidAttributes;
    struct stat st{};
    if (::stat(name.constData(), &st) != 0)
        return kInvalidAttributes;
    const bool writable = ::access(name.constData(), W_OK) == 0;
    return AttributesOf(st, LastComponent(std::string_view(name.constData(), size_t(name.size()))), writable);
}

FolderReader::FolderReader(const QString& path)
{
    const QByteArray name = NativePath(path);
    if (name.isEmpty())
        return;
    Adopt(::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

void FolderReader::Close()
{
    if (dir_ != nullptr) {
        ::closedir(dir_->dir);
        delete std::exchange(dir_, nullptr);
    }
    name_ = {};
}

void FolderReader::Adopt(int fd)
{
    if (fd < 0)
        return;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode)) {
        ::close(fd);
        return;
    }
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return;
    }
    dir_ = new Enumeration{dir};
    id_ = FileId{st.st_dev, st.st_ino};
}

bool FolderReader::Next()
{
    name_ = {};
    kindKnown_ = false;
    if (dir_ == nullptr)
        return false;
    // A read error ends the enumeration like its end does.
    const dirent* entry = ::readdir(dir_->dir);
    if (entry == nullptr)
        return false;
    name_ = std::string_view(entry->d_name);
    type_ = entry->d_type;
    return true;
}

QString FolderReader::DisplayName() const
{
    return DecodeFileName(name_);
}

EntryKind FolderReader::Kind()
{
    if (kindKnown_)
        return kind_;
    link_ = type_ == DT_LNK;
    kind_ = EntryKind::Other;
    if (type_ == DT_DIR) {
        kind_ = EntryKind::Directory;
    } else if (type_ == DT_REG) {
        kind_ = EntryKind::File;
    } else if (type_ == DT_LNK || type_ == DT_UNKNOWN) {
        // The listing does not say where a link leads, and some file
        // systems say nothing at all: ask.
        const int fd = ::dirfd(dir_->dir);
        struct stat st{};
        if (type_ == DT_UNKNOWN && ::fstatat(fd, name_.data(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            link_ = S_ISLNK(st.st_mode);
            if (!link_)
                kind_ = KindOf(st);
        }
        if ((type_ == DT_LNK || link_) && ::fstatat(fd, name_.data(), &st, 0) == 0)
            kind_ = KindOf(st);
    }
    kindKnown_ = true;
    return kind_;
}

bool FolderReader::IsLink()
{
    Kind();
    return link_;
}

std::uint32_t FolderReader::Attributes()
{
    if (dir_ == nullptr || name_.empty())
        return kInvalidAttributes;
    const char* name = name_.data();
    const int fd = ::dirfd(dir_->dir);
    struct stat st{};
    if (::fstatat(fd, name, &st, 0) != 0 && ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return kInvalidAttributes;
    const bool writable = ::faccessat(fd, name, W_OK, 0) == 0;
    std::uint32_t attributes = AttributesOf(st, name_, writable);
    // A link that leads nowhere is neither folder nor file.
    if (S_ISLNK(st.st_mode))
        attributes &= ~(kAttrDirectory | kAttrArchive);
    return attributes;
}

FolderReader FolderReader::OpenEntry() const
{
    FolderReader sub;
    if (dir_ == nullptr || name_.empty())
        return sub;
    sub.Adopt(::openat(::dirfd(dir_->dir), name_.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return sub;
}

bool FolderReader::OnPseudoFileSystem() const
{
    if (dir_ == nullptr)
        return false;
    // A copy, so that a query may replace itself while it runs.
    const FileSystemTypeQuery query = CurrentTypeQuery();
    return IsPseudoFileSystem(query(::dirfd(dir_->dir)));
}

}  // namespace platform
