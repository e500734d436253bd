// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
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

}  // namespace

std::uint32_t FileAttributes(const QString& path)
{
    if (path.isEmpty())
        return kInvalidAttributes;
    const QByteArray name = QFile::encodeName(path);
    struct stat st{};
    if (::stat(name.constData(), &st) != 0)
        return kInvalidAttributes;
    const bool writable = ::access(name.constData(), W_OK) == 0;
    return AttributesOf(st, LastComponent(std::string_view(name.constData(), size_t(name.size()))), writable);
}

FolderReader::FolderReader(const QString& path)
{
    if (path.isEmpty())
        return;
    const QByteArray name = QFile::encodeName(path);
    Adopt(::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

FolderReader::FolderReader(FolderReader&& other) noexcept
{
    *this = std::move(other);
}

FolderReader& FolderReader::operator=(FolderReader&& other) noexcept
{
    if (this != &other) {
        Close();
        dir_ = other.dir_;
        id_ = other.id_;
        name_ = other.name_;
        type_ = other.type_;
        kindKnown_ = other.kindKnown_;
        kind_ = other.kind_;
        other.dir_ = nullptr;
        other.name_ = {};
    }
    return *this;
}

FolderReader::~FolderReader()
{
    Close();
}

void FolderReader::Close()
{
    if (dir_ != nullptr) {
        ::closedir(dir_);
        dir_ = nullptr;
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
    dir_ = ::fdopendir(fd);
    if (dir_ == nullptr) {
        ::close(fd);
        return;
    }
    id_ = FileId{st.st_dev, st.st_ino};
}

bool FolderReader::Next()
{
    name_ = {};
    kindKnown_ = false;
    if (dir_ == nullptr)
        return false;
    // A read error ends the enumeration like its end does.
    const dirent* entry = ::readdir(dir_);
    if (entry == nullptr)
        return false;
    name_ = std::string_view(entry->d_name);
    type_ = entry->d_type;
    return true;
}

QString FolderReader::DisplayName() const
{
    return QFile::decodeName(QByteArray(name_.data(), qsizetype(name_.size())));
}

EntryKind FolderReader::Kind()
{
    if (kindKnown_)
        return kind_;
    switch (type_) {
    case DT_DIR:
        kind_ = EntryKind::Directory;
        break;
    case DT_REG:
        kind_ = EntryKind::File;
        break;
    case DT_LNK:
    case DT_UNKNOWN: {
        // The listing does not say where a link leads, and some file
        // systems say nothing at all: ask.
        struct stat st{};
        if (::fstatat(::dirfd(dir_), name_.data(), &st, 0) != 0)
            kind_ = EntryKind::Other;
        else if (S_ISDIR(st.st_mode))
            kind_ = EntryKind::Directory;
        else if (S_ISREG(st.st_mode))
            kind_ = EntryKind::File;
        else
            kind_ = EntryKind::Other;
        break;
    }
    default:
        kind_ = EntryKind::Other;
        break;
    }
    kindKnown_ = true;
    return kind_;
}

std::uint32_t FolderReader::Attributes()
{
    if (dir_ == nullptr || name_.empty())
        return kInvalidAttributes;
    const char* name = name_.data();
    const int fd = ::dirfd(dir_);
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
    sub.Adopt(::openat(::dirfd(dir_), name_.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return sub;
}

}  // namespace platform
