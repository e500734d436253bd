// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/VirtualKeys.h"

#include <Qt>
#include <array>

namespace desktop {
namespace {

struct KeyRow {
    std::uint16_t virtualKey;
    int qtKey;
    std::uint16_t scanCode;
};

// Scan codes of the PC keyboard (set 1), as MapVirtualKeyA reports them for
// the extended keys without their E0 prefix.
constexpr KeyRow kFixedKeys[] = {
    {8, Qt::Key_Backspace, 0x0E}, {9, Qt::Key_Tab, 0x0F},      {13, Qt::Key_Return, 0x1C},
    {16, Qt::Key_Shift, 0x2A},    {17, Qt::Key_Control, 0x1D}, {18, Qt::Key_Alt, 0x38},
    {19, Qt::Key_Pause, 0x45},    {20, Qt::Key_CapsLock, 0x3A}, {27, Qt::Key_Escape, 0x01},
    {32, Qt::Key_Space, 0x39},    {33, Qt::Key_PageUp, 0x49},  {34, Qt::Key_PageDown, 0x51},
    {35, Qt::Key_End, 0x4F},      {36, Qt::Key_Home, 0x47},    {37, Qt::Key_Left, 0x4B},
    {38, Qt::Key_Up, 0x48},       {39, Qt::Key_Right, 0x4D},   {40, Qt::Key_Down, 0x50},
    {44, Qt::Key_Print, 0x54},    {45, Qt::Key_Insert, 0x52},  {46, Qt::Key_Delete, 0x53},
};

constexpr std::array<std::uint8_t, 10> kDigitScan = {0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};
constexpr std::array<std::uint8_t, 26> kLetterScan = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                                      0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                                      0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
constexpr std::array<std::uint8_t, 12> kFunctionScan = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40,
                                                        0x41, 0x42, 0x43, 0x44, 0x57, 0x58};

}  // namespace

std::uint16_t VirtualKeyFromQtKey(int qtKey)
{
    if (qtKey == Qt::Key_Enter)
        return VK_RETURN;
    if (qtKey == Qt::Key_Backtab)
        return 9;
    for (const KeyRow& row : kFixedKeys)
        if (row.qtKey == qtKey)
            return row.virtualKey;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return std::uint16_t('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return std::uint16_t('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return std::uint16_t(112 + (qtKey - Qt::Key_F1));
    return 0;
}

int QtKeyFromVirtualKey(std::uint16_t virtualKey)
{
    for (const KeyRow& row : kFixedKeys)
        if (row.virtualKey == virtualKey)
            return row.qtKey;
    if (virtualKey >= '0' && virtualKey <= '9')
        return Qt::Key_0 + (virtualKey - '0');
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= 112 && virtualKey <= 123)
        return Qt::Key_F1 + (virtualKey - 112);
    return 0;
}

std::uint16_t KeyboardScanCode(std::uint16_t virtualKey)
{
    for (const KeyRow& row : kFixedKeys)
        if (row.virtualKey == virtualKey)
            return row.scanCode;
    if (virtualKey >= '0' && virtualKey <= '9')
        return kDigitScan[virtualKey - '0'];
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return kLetterScan[virtualKey - 'A'];
    if (virtualKey >= 112 && virtualKey <= 123)
        return kFunctionScan[virtualKey - 112];
    return 0;
}

}  // namespace desktop
