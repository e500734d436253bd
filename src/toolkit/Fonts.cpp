// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Fonts.h"

namespace toolkit {
namespace {

QFont PixelFont(const QString& family, int pixels, QFont::StyleHint hint)
{
    InstallFontSubstitutions();
    QFont font(family);
    font.setPixelSize(pixels);
    font.setStyleHint(hint);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

}  // namespace

void InstallFontSubstitutions()
{
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Lucida Console"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    (void)done;
}

QFont WindowFont() { return PixelFont(QStringLiteral("Tahoma"), 12, QFont::SansSerif); }
QFont ControlFont() { return PixelFont(QStringLiteral("Tahoma"), 11, QFont::SansSerif); }
QFont MemoFont() { return PixelFont(QStringLiteral("Lucida Console"), 11, QFont::TypeWriter); }

}  // namespace toolkit
