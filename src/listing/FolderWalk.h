// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The listing's walk: the files under a start folder whose names match a
// mask, as full paths in the order the walk finds them (the caller sorts).
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
#include "platform/FileSystem.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace listing {

// What a walk works with: the window's values, taken once.
struct WalkOptions {
    QString startFolder;  // as the folder box holds it
    QString mask;
    bool subfolders = false;
    // Asked every so often whether the walk goes on; it may keep a window
    // alive meanwhile. None: the walk always goes on.
    std::function<bool()> keepGoing;
};

class FolderWalk {
public:
    explicit FolderWalk(const WalkOptions& options);

    // Walks folder and the folders below it. False when folder is not an
    // existing folder, or when it or a folder below it ended its walk early.
    bool Run(const QString& folder);

    // The lines of the files found, each the folder with its separator and
    // the name.
    const QStringList& Lines() const { return lines_; }
    QStringList TakeLines() { return std::move(lines_); }
    // True when keepGoing said no: the lines are not the whole list.
    bool Stopped() const { return stopped_; }

private:
    bool FirstVisit(const platform::FolderReader& reader);
    bool Entries(platform::FolderReader& reader, const QString& folder);

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
    QStringList lines_;
};


}  // namespace listing
