// SPDX-License-Identifier: GPL-3.0-or-later
// The file listing: btnHamtafilnamnClick, nizze, FolderWithBackslash, edWildKeyDown.
//
// The walk collects its lines in memory and the memo gets its text once at
// the end: nothing is repainted while the walk runs, so the window looks the
// same, and a hundred thousand files do not cost a hundred thousand edits of
// the memo's document. For the same reason the controls are read once per
// walk; no event runs during it, so they cannot change.
//
// Every walk ends soon, its cost bounded by the folders that exist rather
// than by the paths links make to them. A folder is walked at most once per
// listing, known by device and inode, so a link cycle ends at once and two
// links to one folder list its files once. The tree's own subfolders are
// walked first and links to folders are kept aside; then the kept links
// are followed, in the order of their paths, to folders not walked yet, so
// a folder inside the tree is always listed under its own path, whatever
// order the folders come in. The kernel's pseudo file systems (/proc,
// /sys, ...) are never entered: they hold no files of the user's, and
// their links lead into whole trees again and again.
#include "uSok/uSok.h"

#include "platform/Collation.h"
#include "platform/FileSystem.h"
#include "platform/FolderText.h"
#include "desktop/VirtualKeys.h"
#include "toolkit/LiveRun.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"
#include "uXprocs/uXprocs.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <unordered_set>
#include <vector>

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
// start folder out of the list when subfolders are not wanted.
QString FolderKey(const QString& folder)
{
    return LowerText(FolderWithBackslash(folder));
}

// One walk from a folder down: the control values it works with and the
// lines of the files it found, in the order it found them.
class ListingWalk {
public:
    // keepGoing, when given, is asked every so often whether the walk goes
    // on; it keeps the window alive meanwhile.
    explicit ListingWalk(const TForm1& form, std::function<bool()> keepGoing = {})
        : subfolders_(form.CheckBox1->Checked()),
          startKey_(FolderKey(form.Edit1->Text())),
          keepGoing_(std::move(keepGoing))
    {
        AppendMaskCharacters(form.edWild->Text(), mask_);
        AsciiLowerInPlace(mask_);
    }

    // Walks folder and the folders below it. False when folder is not an
    // existing folder, or when it or a folder below it ended its walk early.
    bool Run(const QString& folder)
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

    QStringList lines;
    // True when keepGoing said no: the lines are not the whole list.
    bool Stopped() const { return stopped_; }

private:
    // True the first time the walk meets a folder, unless it lies on a
    // pseudo file system.
    bool FirstVisit(const platform::FolderReader& reader)
    {
        return walked_.insert(reader.Id()).second && !reader.OnPseudoFileSystem();
    }

    bool Entries(platform::FolderReader& reader, const QString& folder)
    {
        const QString prefix = FolderWithBackslash(folder);
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
                lines.append(prefix + (ascii ? QString::fromLatin1(name.data(), qsizetype(name.size())) : displayName_));
        }
        return result;
    }

    static constexpr unsigned kEntriesBetweenAsks = 64;

    std::u32string mask_;
    bool subfolders_;
    QString startKey_;
    std::function<bool()> keepGoing_;
    unsigned entries_ = 0;
    bool stopped_ = false;
    std::unordered_set<platform::FileId, platform::FileIdHash> walked_;
    // Links to folders met and not yet followed.
    std::vector<QString> links_;
    std::u32string name_;
    QString displayName_;
};

// The memo text for lines: every line followed by a line break, so the
// memo's own line count is the number of lines.
QString MemoText(const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 1;
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1Char('\n');
    }
    return text;
}

}  // namespace

void TForm1::btnHamtafilnamnClick(QObject*)
{
    FetchFileNames();
}

bool TForm1::FetchFileNames()
{
    // The window stays alive during a long walk; Escape or a close stops it
    // and leaves the list empty, since a part of the list would make a
    // later search or conversion miss files without a word.
    toolkit::LiveRun run(this);
    ListingWalk walk(*this, [&run] {
        run.KeepAlive();
        return !run.StopAsked();
    });
    walk.Run(Edit1->Text());
    if (walk.Stopped()) {
        Memofil->SetText(QString());
        return false;
    }
    platform::SortIgnoringCase(walk.lines);
    // The new list replaces everything, the placeholder and anything typed.
    Memofil->SetText(MemoText(walk.lines));
    return true;
}

bool TForm1::nizze(const QString& folder)
{
    ListingWalk walk(*this);
    const bool result = walk.Run(folder);
    if (!walk.lines.isEmpty()) {
        QString text = Memofil->toPlainText();
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        text += MemoText(walk.lines);
        Memofil->SetText(text);
    }
    return result;
}

void TForm1::edWildKeyDown(QObject*, Word& Key, TShiftState)
{
    // Enter lists, whatever Shift, Ctrl and Alt say; the edit never sees it.
    if (Key != desktop::VK_RETURN)
        return;
    Key = 0;
    btnHamtafilnamnClick(nullptr);
}

QString FolderWithBackslash(const QString& folder)
{
    return platform::WithTrailingSeparator(folder);
}
