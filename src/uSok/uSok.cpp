// SPDX-License-Identifier: GPL-3.0-or-later
#include "uSok/uSok.h"

#include "toolkit/TWinXP.h"
#include "desktop/VirtualKeys.h"
#include "toolkit/ErrorBox.h"
#include "uXprocs/uXprocs.h"
#include "platform/FolderText.h"
#include "settings/TFormStorage.h"
#include "toolkit/Fonts.h"
#include "toolkit/TButton.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TLabel.h"
#include "toolkit/TMemo.h"
#include "toolkit/TPanel.h"
#include "toolkit/TProgressBar.h"
#include "toolkit/TSplitter.h"

#include <stdexcept>

TForm1* Form1 = nullptr;

namespace {

constexpr int kContentWidth = 928;
constexpr int kContentHeight = 504;
constexpr int kDesignLineHeight = 14;

// Creates a control of type T with its name, parent, placement and font.
template <typename T>
T* Make(const char* name, QWidget* parent, QSize parentDesign, TAlign align, TAnchors anchors, QRect bounds,
        const QFont& font)
{
    auto* control = new T(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->SetAlign(align);
    control->SetAnchors(anchors);
    control->setFont(font);
    control->SetDesignBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height(), parentDesign);
    return control;
}

constexpr TAnchors kLeftTop = akLeft | akTop;
constexpr TAnchors kRightTop = akRight | akTop;

}  // namespace

TForm1::TForm1(QWidget* parent) : TForm(parent)
{
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Filsök - fritt verktyg 2026"));
    setFont(toolkit::WindowFont());
    SetBorderWidth(6);
    SetContentSize(kContentWidth, kContentHeight);
    move(125, 249);

    CreateComponents();
    WireEvents();
    SetTabOrder();
    ScaleToScreen(kDesignLineHeight);
    Realign();
    Edit1->setFocus();
    FinishLoading();
}

void TForm1::CreateComponents()
{
    const QFont controls = toolkit::ControlFont();
    const QFont memos = toolkit::MemoFont();
    const QSize form(kContentWidth, kContentHeight);
    const QSize upper(kContentWidth, 273);
    const QSize bar(kContentWidth, 41);
    const QSize lower(kContentWidth, 209);

    Splitter1 = Make<TSplitter>("Splitter1", this, form, TAlign::alTop, kLeftTop, {0, 273, 928, 5}, font());
    p1 = Make<TProgressBar>("p1", this, form, TAlign::alTop, kLeftTop, {0, 278, 928, 17}, font());
    Panel1 = Make<TPanel>("Panel1", this, form, TAlign::alTop, kLeftTop, {0, 0, 928, 273}, font());
    Panel2 = Make<TPanel>("Panel2", Panel1, upper, TAlign::alBottom, kLeftTop, {0, 232, 928, 41}, font());
    Panel2->SetBevelRaised(true);
    Label2 = Make<TLabel>("Label2", Panel2, bar, TAlign::alNone, kLeftTop, {7, 14, 103, 13}, controls);
    Label2->SetCaption(QStringLiteral("Starta sökning i mapp"));
    Label3 = Make<TLabel>("Label3", Panel2, bar, TAlign::alNone, kRightTop, {676, 14, 41, 13}, controls);
    Label3->SetCaption(QStringLiteral("Wildcard"));
    Edit1 = Make<TEdit>("Edit1", Panel2, bar, TAlign::alNone, kLeftTop, {117, 11, 316, 19}, controls);
    Edit1->SetText(platform::DesignedStartFolder());
    edWild = Make<TEdit>("edWild", Panel2, bar, TAlign::alNone, kRightTop, {721, 11, 104, 19}, controls);
    edWild->SetText(QStringLiteral("*.asp"));
    btnHamtafilnamn =
        Make<TButton>("btnHamtafilnamn", Panel2, bar, TAlign::alNone, kRightTop, {831, 8, 82, 25}, controls);
    btnHamtafilnamn->SetCaption(QStringLiteral("Hämta filnamn"));
    CheckBox1 = Make<TCheckBox>("CheckBox1", Panel2, bar, TAlign::alNone, kLeftTop, {571, 12, 95, 17}, controls);
    CheckBox1->SetCaption(QStringLiteral("Underkataloger"));
    CheckBox1->SetChecked(false);
    Button1 = Make<TButton>("Button1", Panel2, bar, TAlign::alNone, kLeftTop, {439, 8, 120, 25}, controls);
    Button1->SetCaption(QStringLiteral("Konvertera till UTF-8"));
    Memofil = Make<TMemo>("Memofil", Panel1, upper, TAlign::alClient, kLeftTop, {0, 0, 928, 232}, memos);
    Memofil->SetText(QStringLiteral("Filer"));

    Panel3 = Make<TPanel>("Panel3", this, form, TAlign::alClient, kLeftTop, {0, 295, 928, 209}, font());
    MemoResult = Make<TMemo>("MemoResult", Panel3, lower, TAlign::alClient, kLeftTop, {0, 0, 928, 168}, memos);
    MemoResult->SetText(QStringLiteral("Sökresultat"));
    Panel4 = Make<TPanel>("Panel4", Panel3, lower, TAlign::alBottom, kLeftTop, {0, 168, 928, 41}, font());
    Panel4->SetBevelRaised(true);
    Label1 = Make<TLabel>("Label1", Panel4, bar, TAlign::alNone, kRightTop, {452, 10, 40, 13}, controls);
    Label1->SetCaption(QStringLiteral("Sök text"));
    Label4 = Make<TLabel>("Label4", Panel4, bar, TAlign::alNone, kLeftTop, {16, 16, 177, 13}, controls);
    Label4->SetCaption(QStringLiteral("Dubbelklicka på filnamn för att öppna"));
    Label4->SetFontColor(QColor(128, 128, 128));
    edSoktxt = Make<TEdit>("edSoktxt", Panel4, bar, TAlign::alNone, kRightTop, {496, 7, 319, 19}, controls);
    edSoktxt->SetText(QStringLiteral("conn."));
    btnSok = Make<TButton>("btnSok", Panel4, bar, TAlign::alNone, kRightTop, {829, 4, 84, 25}, controls);
    btnSok->SetCaption(QStringLiteral("Sök igenom filer"));
    cbNocase = Make<TCheckBox>("cbNocase", Panel4, bar, TAlign::alNone, kLeftTop, {334, 8, 115, 17}, controls);
    cbNocase->SetCaption(QStringLiteral("Nocase sensivity"));
    cbNocase->SetChecked(true);

    // Screen readers name each edit box after its label.
    Label2->setBuddy(Edit1);
    Label3->setBuddy(edWild);
    Label1->setBuddy(edSoktxt);

    WinXP1 = new TWinXP(this);
    WinXP1->setObjectName(QStringLiteral("WinXP1"));

    FormStorage1 = new TFormStorage(this);
    FormStorage1->setObjectName(QStringLiteral("FormStorage1"));
    FormStorage1->SetIniSection(QStringLiteral("Setup"));
    FormStorage1->SetUseRegistry(true);
    FormStorage1->SetOptions(TPlacementOptions{fpPosition});
    FormStorage1->SetStoredProps({QStringLiteral("Edit1.Text"), QStringLiteral("edSoktxt.Text"),
                                  QStringLiteral("edWild.Text"), QStringLiteral("cbNocase.Checked"),
                                  QStringLiteral("CheckBox1.Checked")});
}

namespace {

// An error of an operation ends at its handler, where the error box shows
// it: an exception must not pass through Qt's own frames on its way to the
// event loop.
template <class Handler>
auto AtHandler(Handler handler)
{
    return [handler](auto&&... arguments) {
        try {
            handler(arguments...);
        } catch (const std::exception& error) {
            toolkit::ShowException(error);
        } catch (...) {
            toolkit::ShowException(std::runtime_error("Unknown error"));
        }
    };
}

}  // namespace

void TForm1::WireEvents()
{
    btnHamtafilnamn->OnClick = AtHandler([this](QObject* sender) { btnHamtafilnamnClick(sender); });
    edWild->OnKeyDown =
        AtHandler([this](QObject* sender, Word& key, TShiftState shift) { edWildKeyDown(sender, key, shift); });
    btnSok->OnClick = AtHandler([this](QObject* sender) { btnSokClick(sender); });
    edSoktxt->OnKeyDown =
        AtHandler([this](QObject* sender, Word& key, TShiftState shift) { edSoktxtKeyDown(sender, key, shift); });
    Button1->OnClick = AtHandler([this](QObject* sender) { Button1Click(sender); });
    MemoResult->OnDblClick = AtHandler([this](QObject* sender) { MemoResultDblClick(sender); });
}

void TForm1::EndRunOnLastLine()
{
    MemoResult->setFocus();
    MemoResult->MoveCaretToEnd();
    // The Home press goes to whichever program is in front; when that is not
    // this window, the caret is put where the press would put it.
    if (isActiveWindow())
        PressKey(desktop::VK_HOME);
    else
        MemoResult->MoveCaretToLineStart();
}

void TForm1::SetTabOrder()
{
    QWidget* cycle[] = {Edit1, edWild, btnHamtafilnamn, CheckBox1, Button1,
                        Memofil, MemoResult, edSoktxt, btnSok, cbNocase};
    for (size_t i = 0; i + 1 < std::size(cycle); ++i)
        setTabOrder(cycle[i], cycle[i + 1]);
}
