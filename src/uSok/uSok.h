// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one window of the program: the file list above the folder bar, the
// splitter and progress bar, the result memo above the search bar.
#include "toolkit/TForm.h"
#include "toolkit/Types.h"

#include <string>
#include <string_view>

class TPanel;
class TLabel;
class TEdit;
class TButton;
class TCheckBox;
class TMemo;
class TSplitter;
class TProgressBar;
class TWinXP;
class TFormStorage;

class TForm1 : public TForm {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The window's components, named as the stored settings name them.
    TSplitter* Splitter1 = nullptr;
    TProgressBar* p1 = nullptr;
    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TEdit* Edit1 = nullptr;
    TEdit* edWild = nullptr;
    TButton* btnHamtafilnamn = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TButton* Button1 = nullptr;
    TMemo* Memofil = nullptr;
    TPanel* Panel3 = nullptr;
    TMemo* MemoResult = nullptr;
    TPanel* Panel4 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label4 = nullptr;
    TEdit* edSoktxt = nullptr;
    TButton* btnSok = nullptr;
    TCheckBox* cbNocase = nullptr;
    TWinXP* WinXP1 = nullptr;
    TFormStorage* FormStorage1 = nullptr;

    // Searches every listed file for the search text and writes the report.
    void btnSokClick(QObject* Sender);
    // Walks one folder (and those below it), listing the matching files.
    bool nizze(const QString& folder);
    // Fills the file list with the matching files under the start folder.
    void btnHamtafilnamnClick(QObject* Sender);
    // Opens the file whose path the double-click selected.
    void MemoResultDblClick(QObject* Sender);
    // Whether text holds searchText under the case rule of cbNocase.
    bool jmfr(const QString& searchText, const QString& text);
    void edWildKeyDown(QObject* Sender, Word& Key, TShiftState Shift);
    void edSoktxtKeyDown(QObject* Sender, Word& Key, TShiftState Shift);
    // Rewrites every listed file as UTF-8 with a byte-order mark.
    void Button1Click(QObject* Sender);

private:
    // The end of a search or a conversion: the focus and the caret at the
    // start of the report's last line.
    void EndRunOnLastLine();
    // The listing of btnHamtafilnamnClick; false when it was stopped.
    bool FetchFileNames();
    void CreateComponents();
    void WireEvents();
    void SetTabOrder();
};

// The one window, set while it is created.
extern TForm1* Form1;

// The folder text with a trailing separator, by the system's rule
// (platform::WithTrailingSeparator: "/" on Linux, the drive-letter rules on
// Windows).
QString FolderWithBackslash(const QString& folder);

// True when the file starts with the UTF-8 byte-order mark; raises
// EInOutError when it cannot be opened or read.
bool HasUtf8Bom(const QString& path);
// Writes text (ANSI code page) as UTF-8 over the file, with the mark first
// when withBom is set; does nothing for an empty text.
void SaveTextAsUtf8(const QString& path, std::string_view text, bool withBom);
