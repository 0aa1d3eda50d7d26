#include "dialogs/icon_panel.h"

namespace plotwell {

namespace {

constexpr std::array<uint8_t, 8> kIconRows[kIconPanelIcons] = {
    {0xFF, 0xFE, 0xF8, 0x80, 0x7E, 0x00, 0x00, 0x7E},  // PI_HOTELORACCOM
    {0xA9, 0xA9, 0x89, 0xDB, 0xDB, 0xDB, 0xDB, 0xFF},  // PI_RESTAURANT
    {0xF8, 0xFA, 0x00, 0x7E, 0x66, 0x66, 0x7E, 0x00},  // PI_TOURISTSITE
    {0x83, 0x99, 0x99, 0x83, 0x9F, 0x9F, 0x9F, 0xFF},  // PI_POLICESTATION
    {0xFF, 0xE7, 0xE7, 0x81, 0x81, 0xE7, 0xE7, 0xFF},  // PI_HOSPITAL
    {0xEF, 0x83, 0x2F, 0x83, 0xE9, 0x83, 0xEF, 0xFF},  // PI_BANK
    {0x8E, 0xB0, 0xBE, 0xBE, 0x8E, 0xB1, 0xBF, 0xBF},  // PI_EMBASSY
    {0xE7, 0xFF, 0xC7, 0xE7, 0xE7, 0xE7, 0xC3, 0xFF},  // PI_INFOBOOTH
    {0xFF, 0x00, 0x3C, 0x5A, 0x66, 0x7E, 0x00, 0xFF},  // PI_POSTOFFICE
    {0xFF, 0x0F, 0x5D, 0x00, 0x00, 0x00, 0x9A, 0xFF},  // PI_TRAINSTATION
    {0xCF, 0xE7, 0x67, 0x01, 0x67, 0xE7, 0xCF, 0xFF},  // PI_AIRPORT
    {0xEF, 0xD7, 0xEF, 0xEF, 0x6D, 0x29, 0x83, 0xEF},  // PI_FERRYPORT
    {0xC7, 0xAB, 0x55, 0x01, 0xEF, 0xEF, 0xEF, 0x00},  // PI_BEACH
    {0xF7, 0xEB, 0x80, 0x94, 0xAA, 0x94, 0xAA, 0x80},  // PI_SHOPPING
    {0xC7, 0xAB, 0x83, 0xD7, 0xEF, 0x39, 0xC7, 0x39},  // PI_DANGEROUS
    {0xE7, 0xDB, 0xBD, 0x00, 0xBD, 0xA5, 0xA5, 0x81},  // PI_HOME
    {0xFF, 0xF7, 0xE3, 0xE3, 0xD5, 0xD5, 0xB6, 0x80},  // PI_CAMPGROUND
    {0xEF, 0xEF, 0x83, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF},  // PI_CHURCH
    {0x81, 0xCD, 0xCF, 0xC3, 0xCF, 0xCD, 0x81, 0xFF},  // PI_EDUINST
    {0x03, 0x54, 0x02, 0x7E, 0x00, 0x99, 0xFF, 0xFF},  // PI_BUSTERMINAL
    {0xFF, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0xFF},  // PI_CITYCTR
    {0xFF, 0xFF, 0xE7, 0xC3, 0xC3, 0xE7, 0xFF, 0xFF},  // PI_TOWNCTR
};

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

}  // namespace

const std::array<uint8_t, 8>& icon_panel_rows(int n) {
    return kIconRows[n >= 0 && n < kIconPanelIcons ? n : 0];
}

const Image& icon_panel_image(int n) {
    // Made once, like the icon images the program loads at start-up.
    static const std::array<Image, kIconPanelIcons> images = [] {
        std::array<Image, kIconPanelIcons> all;
        for (int i = 0; i < kIconPanelIcons; ++i) {
            Image& image = all[size_t(i)];
            image.width = image.height = 8;
            image.pixels.resize(64);
            const auto& rows = kIconRows[i];
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    image.pixels[size_t(y * 8 + x)] = (rows[size_t(y)] >> (7 - x)) & 1 ? kWhite : kBlack;
        }
        return all;
    }();
    return images[size_t(n >= 0 && n < kIconPanelIcons ? n : 0)];
}

bool IconPanel::click(int x, int y) {
    // Outside the panel's cells there is no icon to pick.
    if (x < 0 || y < 0 || x >= kIconPanelColumns * kIconCellWidth) return false;
    const int n = (y / kIconCellHeight) * kIconPanelColumns + x / kIconCellWidth;
    if (n >= kIconPanelIcons || n == selection) return false;
    selection = n;
    return true;
}

void IconPanel::paint(Canvas& canvas) const {
    for (int n = 0; n < kIconPanelIcons; ++n) {
        const int x = kIconCellWidth * (n % kIconPanelColumns) + 2;
        const int y = kIconCellHeight * (n / kIconPanelColumns) + 2;
        canvas.stretch_image(icon_panel_image(n), {x, y, x + 8, y + 8});
    }
    if (selection < 0 || selection >= kIconPanelIcons) return;
    const int x = kIconCellWidth * (selection % kIconPanelColumns);
    const int y = kIconCellHeight * (selection / kIconPanelColumns);
    canvas.set_pen({0, 0, 0});
    canvas.set_brush({{0, 0, 0}, true});
    canvas.rectangle({x, y, x + 13, y + 13});
}

}  // namespace plotwell
