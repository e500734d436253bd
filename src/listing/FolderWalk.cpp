// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/FolderWalk.h"

#include "listing/FileMask.h"
#include "platform/CodePage.h"
#include "platform/FolderText.h"

#include <algorithm>
#include <optional>

namespace listing {
namespace {

// Lowers A to Z only: the mask and the names are matched with every other
// character as it stands, so a mask with Ä does not list a name with ä.
void AsciiLowerInPlace(std::u32string& characters)
{
    for (char32_t& c : characters)
        if (c >= U'A' && c <= U'Z')
            c = c - U'A' + U'a';
}

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whether a name holds a character the file list breaks a line at: CR and
// LF, and among the others the line and paragraph separators and the two
// characters the memo's document takes for frame marks.
bool HoldsLineBreak(std::string_view name, bool ascii)
{
    if (name.find_first_of("\r\n") != std::string_view::npos)
        return true;
    if (ascii)
        return false;
    // U+2028, U+2029, U+FDD0 and U+FDD1 in UTF-8.
    constexpr std::string_view kBreaks[] = {"\xe2\x80\xa8", "\xe2\x80\xa9", "\xef\xb7\x90", "\xef\xb7\x91"};
    return std::any_of(std::begin(kBreaks), std::end(kBreaks),
                       [&](std::string_view b) { return name.find(b) != std::string_view::npos; });
}

// The comparison text of a folder for the rule that keeps files below the
// start folder out of the list when subfolders are not wanted: with its
// separator, lowered by the code page's case table.
QString FolderKey(const QString& folder)
{
    QString key = platform::WithTrailingSeparator(folder);
    for (QChar& c : key)
        c = QChar(platform::AnsiLower(c.unicode()));
    return key;
}

}  // namespace


FolderWalk::FolderWalk(const WalkOptions& options)
: subfolders_(options.subfolders), startKey_(FolderKey(options.startFolder)), keepGoing_(options.keepGoing)
{
AppendMaskCharacters(options.mask, mask_);
AsciiLowerInPlace(mask_);
}

bool FolderWalk::Run(const QString& folder)
{
    const std::uint32_t attributes = platform::FileAttributes(folder);
    if (attributes == platform::kInvalidAttributes || (attributes & platform::kAttrDirectory) == 0)
        return false;
    platform::FolderReader reader(folder);
    // A folder that cannot be read holds nothing for us, nor does a
    // pseudo file system.
    if (!reader.IsOpen() || !FirstVisit(reader))
        return true;
    bool result = Entries(reader, folder);
    while (!links_.empty() && !stopped_) {
        std::vector<QString> kept = std::move(links_);
        links_.clear();
        std::sort(kept.begin(), kept.end());
        for (const QString& path : kept) {
            if (stopped_)
                break;
            platform::FolderReader sub(path);
            if (!sub.IsOpen() || !FirstVisit(sub))
                continue;
            const bool below = Entries(sub, path);
            result = result && below;
        }
    }
    return result;
}

// True the first time the walk meets a folder, unless it lies on a pseudo
// file system.
bool FolderWalk::FirstVisit(const platform::FolderReader& reader)
{
    return walked_.insert(reader.Id()).second && !reader.OnPseudoFileSystem();
}

bool FolderWalk::Entries(platform::FolderReader& reader, const QString& folder)
{
    const QString prefix = platform::WithTrailingSeparator(folder);
    std::optional<bool> isStart;
    bool result = true;
    while (!stopped_ && reader.Next()) {
        if (keepGoing_ && ++entries_ % kEntriesBetweenAsks == 0 && !keepGoing_()) {
            stopped_ = true;
            break;
        }
        const std::string_view name = reader.Name();
        // Dot-names are the folder itself, its parent, and what the
        // user keeps out of sight (.git, .htaccess): never listed,
        // never entered. There are no volume-label entries here.
        if (name.empty() || name.front() == '.')
            continue;
        // A name holding a line break would read as two lines of the
        // file list, which nothing could tell from two paths: such a
        // file is not listed and such a folder not entered.
        const bool ascii = IsAscii(name);
        if (HoldsLineBreak(name, ascii))
            continue;
        const platform::EntryKind kind = reader.Kind();
        if (kind == platform::EntryKind::Directory) {
            // Without subfolders no file below the start folder is
            // listed, so no folder below it is entered: a listing of a
            // drive's root costs that folder alone, not the drive.
            if (!subfolders_)
                continue;
            if (reader.IsLink()) {
                links_.push_back(prefix + reader.DisplayName());
                continue;
            }
            platform::FolderReader sub = reader.OpenEntry();
            // A folder that cannot be read contributes nothing.
            if (!sub.IsOpen() || !FirstVisit(sub))
                continue;
            const bool below = Entries(sub, prefix + reader.DisplayName());
            result = result && below;
            continue;
        }
        // Pipes, sockets, devices and dead links are no text files: a
        // search would wait on them for ever or fail on them.
        if (kind != platform::EntryKind::File)
            continue;
        if (!subfolders_) {
            if (!isStart)
                isStart = FolderKey(folder) == startKey_;
            if (!*isStart)
                return false;
        }
        // The mask works on the name as the list shows it: its
        // characters, a byte that is no UTF-8 as one replacement mark.
        name_.clear();
        if (ascii) {
            name_.assign(name.begin(), name.end());
        } else {
            displayName_ = reader.DisplayName();
            AppendMaskCharacters(displayName_, name_);
        }
        AsciiLowerInPlace(name_);
        if (MatchFileMask(mask_, name_))
            lines_.append(prefix + (ascii ? QString::fromLatin1(name.data(), qsizetype(name.size())) : displayName_));
    }
    return result;
}

}  // namespace listing
