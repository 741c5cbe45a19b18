#pragma once
// Fixed figures of the HTML page: the width sets of the three layout sizes and
// the bar colours of the size bands and the top-level folders.
#include <array>
#include <cstdint>

struct THTMLLayoutSize {
  int TableWidth;
  int BarWidth;
  int DrivePieWidth;
  int CategoryPieWidth;
  int FolderChartWidth;
  int SizeBandChartWidth;
};

inline constexpr std::array<THTMLLayoutSize, 3> HTMLLayoutSizes = {{
    {770, 150, 310, 380, 766, 380},
    {960, 230, 392, 470, 950, 470},
    {1250, 240, 496, 608, 1225, 608},
}};

// A layout size outside 1..3 (any digit can come from the option string) takes
// the nearest set.
inline int ClampLayoutSize(int layout_size) {
  return layout_size < 1 ? 1 : (layout_size > 3 ? 3 : layout_size);
}
inline const THTMLLayoutSize& LayoutWidths(int layout_size) {
  return HTMLLayoutSizes[ClampLayoutSize(layout_size) - 1];
}

// Colours in web form, 0xRRGGBB.
inline constexpr std::array<uint32_t, 13> SizeBandColours = {
    0xFF8383, 0xFFBA83, 0xFFEC83, 0xCCFF83, 0x83FF92, 0x83FFD5, 0x83FEFF,
    0x83CFFF, 0x8392FF, 0xAF83FF, 0xF583FF, 0xA029AF, 0xC829AF};

inline constexpr std::array<uint32_t, 29> FolderBarColours = {
    0xFF0000, 0xFF2200, 0xFF5400, 0xFF8400, 0xFFB400, 0xFFE400, 0xA8FF00, 0x36FF00,
    0x00FF3E, 0x00FFB0, 0x00FAFF, 0x00DCFF, 0x00BEFF, 0x00A0FF, 0x0082FF, 0x0064FF,
    0x0046FF, 0x0028FF, 0x000AFF, 0x2000FF, 0x5000FF, 0x8000FF, 0xB000FF, 0xE000FF,
    0xF002FF, 0xF005FF, 0xF008FF, 0xF00BFF, 0xF00EFF};

// A stored colour value (0x00BBGGRR) in web form.
inline constexpr uint32_t StoredColourToRgb(int32_t colour) {
  uint32_t c = static_cast<uint32_t>(colour);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
