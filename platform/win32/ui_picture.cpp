#include "platform/win32/ui_picture.h"

#include <span>

#include "app/picture.h"

namespace sw {
namespace {

std::uint8_t Blend(std::uint8_t over, std::uint8_t under, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

}  // namespace

ScreenPicture LoadScreenPicture(PictureId id) {
  const std::span<const std::uint8_t> png = PicturePng(id);
  if (png.empty()) return {};
  std::optional<Picture> decoded = DecodePng(png);
  if (!decoded || decoded->width <= 0 || decoded->height <= 0) return {};

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const auto faceRed = GetRValue(face), faceGreen = GetGValue(face), faceBlue = GetBValue(face);
  ScreenPicture picture{decoded->width, decoded->height, {}};
  picture.bgra.resize(decoded->rgba.size());
  for (std::size_t i = 0; i + 3 < decoded->rgba.size(); i += 4) {
    const std::uint8_t alpha = decoded->rgba[i + 3];
    picture.bgra[i + 0] = Blend(decoded->rgba[i + 2], faceBlue, alpha);
    picture.bgra[i + 1] = Blend(decoded->rgba[i + 1], faceGreen, alpha);
    picture.bgra[i + 2] = Blend(decoded->rgba[i + 0], faceRed, alpha);
    picture.bgra[i + 3] = 255;
  }
  return picture;
}

void PaintPicture(HDC dc, const RECT& box, const ScreenPicture& picture, PictureMode mode) {
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  if (picture.empty()) return;
  const int boxWidth = box.right - box.left;
  const int boxHeight = box.bottom - box.top;
  const PictureRect place = PlacePicture(mode, boxWidth, boxHeight, picture.width, picture.height);
  if (place.width <= 0 || place.height <= 0) return;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // Halftone keeps detail when a large picture is shrunk into a small box.
  const int previousMode = SetStretchBltMode(dc, HALFTONE);
  POINT previousOrigin{};
  SetBrushOrgEx(dc, 0, 0, &previousOrigin);
  StretchDIBits(dc, box.left + place.left, box.top + place.top, place.width, place.height, 0, 0,
                picture.width, picture.height, picture.bgra.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
  SetStretchBltMode(dc, previousMode);
}

}  // namespace sw
