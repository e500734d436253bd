// SPDX-License-Identifier: GPL-3.0-or-later
// The listing's walk on real folders, without a window.
#include "listing/FolderWalk.h"
#include "support/TestFiles.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Without subfolders only the start folder's own files are listed, and no
// folder below it is entered: the only folder whose file system is asked
// about is the start folder. Ticked, the same tree is walked to the end.
TEST(FolderWalk, WithoutSubfoldersNoFolderBelowIsEntered)
{
    const QStringList trees[] = {{"a.asp", "b.txt", "inc/", "inc/deep/"},
                                 {"a.asp", "inc/b.asp"},
                                 {"a.asp", "inc/b.txt", "inc/deep/deeper/c.asp"},
                                 {"a.asp", "inc/.keep", "inc/.git/x.asp"}};
    for (const QStringList& tree : trees) {
        SCOPED_TRACE(tree.join(' ').toStdString());
        testfiles::Folder here;
        for (const QString& name : tree)
            name.endsWith('/') ? void(QDir().mkpath(here(name))) : void(here.Put(name, "x"));
        int foldersOpened = 0;
        const platform::FileSystemTypeQuery previous = platform::SetFileSystemTypeQuery([&](int) {
            ++foldersOpened;
            return std::uint64_t(0);
        });
        listing::FolderWalk without({here.Path(), "*.asp", false, {}});
        EXPECT_TRUE(without.Run(here.Path()));
        platform::SetFileSystemTypeQuery(previous);
#ifndef _WIN32  // Windows asks no folder for its file system's type
        EXPECT_EQ(foldersOpened, 1);
#endif
        EXPECT_EQ(without.Lines(), QStringList{here("a.asp")});
        QStringList every;
        for (const QString& name : tree)
            if (name.endsWith(".asp") && !name.contains("/."))
                every << here(name);
        listing::FolderWalk with({here.Path(), "*.asp", true, {}});
        EXPECT_TRUE(with.Run(here.Path()));
        QStringList found = with.Lines();
        found.sort();
        every.sort();
        EXPECT_EQ(found, every);
    }
}

}  // namespace
