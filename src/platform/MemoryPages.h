// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Large memory pages for the program's big blocks of memory. A report of
// hundreds of thousands of lines is a text of a hundred megabytes, built once
// and copied once more into the memo; in 4 KB pages every one of those pages
// costs the kernel a fault on first touch, which on a virtual machine took
// more than half of the time of such a search. The C library puts its large
// blocks in 2 MB pages when it is told so at start.
namespace platform {

// Called first thing in main, with main's argv: starts the program once more
// with the C library told to use large pages, unless that is done already,
// the system has none to give, or it cannot be done (then nothing changes).
// The environment the program's own children see stays the caller's.
void UseLargeMemoryPages(char** argv);

}  // namespace platform
