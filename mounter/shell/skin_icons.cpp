#include "shell/skin_icons.h"

#include <cmath>
#include <string>

#include "skins/champion.h"

namespace {

constexpr int kSize = 20;

// A colour of its own for each champion: hues spread around the circle.
COLORREF hueColour(int index) {
    double h = std::fmod(index * 137.508, 360.0) / 60.0;
    double x = 1.0 - std::fabs(std::fmod(h, 2.0) - 1.0);
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
        case 0: r = 1, g = x; break;
        case 1: r = x, g = 1; break;
        case 2: g = 1, b = x; break;
        case 3: g = x, b = 1; break;
        case 4: r = x, b = 1; break;
        default: r = 1, b = x; break;
    }
    auto c = [](double v) { return static_cast<BYTE>(60 + v * 150); };
    return RGB(c(r), c(g), c(b));
}

std::wstring initials(const char* name) {
    std::wstring s;
    s += static_cast<wchar_t>(name[0]);
    for (const char* p = name + 1; *p; ++p) {
        if (*p >= 'A' && *p <= 'Z') {
            s += static_cast<wchar_t>(*p);
            return s;
        }
    }
    if (name[1]) s += static_cast<wchar_t>(name[1]);
    return s;
}

// Draws one picture into a 32-bit top-down DIB and builds its mask from the disc's shape.
void addPicture(HIMAGELIST images, HDC dc, HFONT font, COLORREF fill, const std::wstring& label, bool eye) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kSize;
    bi.bmiHeader.biHeight = -kSize;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, colour);

    RECT all = {0, 0, kSize, kSize};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, 0, 0, kSize + 1, kSize + 1);
    if (eye) {
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        SelectObject(dc, white);
        Ellipse(dc, 3, 6, 18, 15);
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        Ellipse(dc, 7, 7, 14, 14);
        SelectObject(dc, brush);
        DeleteObject(white);
    } else {
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, oldFont);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    GdiFlush();

    // Opaque inside the disc, transparent outside it; the mask says the same for old displays.
    auto* px = static_cast<DWORD*>(bits);
    // Rows of 1 bit per pixel, each padded to 16 bits, as CreateBitmap's format wants.
    const int stride = ((kSize + 15) / 16) * 2;
    std::string maskBits(stride * kSize, '\0');
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            double dx = x + 0.5 - kSize / 2.0, dy = y + 0.5 - kSize / 2.0;
            bool inside = dx * dx + dy * dy <= (kSize / 2.0) * (kSize / 2.0);
            DWORD& p = px[y * kSize + x];
            if (inside) {
                p |= 0xFF000000u;
            } else {
                p = 0;
                maskBits[y * stride + x / 8] |= static_cast<char>(0x80 >> (x % 8));
            }
        }
    }
    SetBitmapBits(mask, static_cast<LONG>(maskBits.size()), maskBits.data());
    SelectObject(dc, oldBitmap);
    ImageList_Add(images, colour, mask);
    DeleteObject(colour);
    DeleteObject(mask);
}

}  // namespace

void addSkinIcons(HIMAGELIST images) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontW(-10, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    for (int i = 0; i < 123; ++i) addPicture(images, dc, font, hueColour(i), initials(kChampionNames[i]), false);
    addPicture(images, dc, font, RGB(128, 128, 128), L"?", false);
    addPicture(images, dc, font, RGB(40, 150, 60), L"", true);
    DeleteObject(font);
    DeleteDC(dc);
}
