// SPDX-License-Identifier: GPL-3.0-or-later
// Filsök: lists, searches and converts the text files under a folder.
#include "app/Application.h"
#include "uSok/uSok.h"

int main(int argc, char** argv)
{
    return RunApplication(argc, argv, [] {
        try {
            return static_cast<TForm*>(new TForm1);
        } catch (...) {
            Form1 = nullptr;
            throw;
        }
    });
}
