// SPDX-License-Identifier: GPL-3.0-or-later
// What the folder reader is on every system: moving one, and closing it when
// it goes. How it opens, reads and closes is each system's own.
#include "platform/FileSystem.h"

#include <utility>

namespace platform {

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
        link_ = other.link_;
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

}  // namespace platform
