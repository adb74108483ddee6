#include "widgets/Resources.h"

#include <wx/image.h>
#include <wx/mstream.h>

#include <cstring>

#include "common/JpegImage.h"

extern const uint8_t velmo_banner_jpg[];
extern const size_t velmo_banner_jpg_size;
extern const uint8_t velmo_icon_png[];
extern const size_t velmo_icon_png_size;
extern const uint8_t velmo_tab_single_png[];
extern const size_t velmo_tab_single_png_size;
extern const uint8_t velmo_tab_multi_png[];
extern const size_t velmo_tab_multi_png_size;

namespace velmo {

namespace {

wxBitmap pngBitmap(const uint8_t* data, size_t size) {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxMemoryInputStream stream(data, size);
  wxImage image(stream, wxBITMAP_TYPE_PNG);
  return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

}  // namespace

wxBitmap BannerBitmap() {
  try {
    const RgbImage decoded = DecodeJpeg(velmo_banner_jpg, velmo_banner_jpg_size);
    // wxImage takes ownership of a malloc'd buffer.
    auto* pixels = static_cast<unsigned char*>(malloc(decoded.rgb.size()));
    std::memcpy(pixels, decoded.rgb.data(), decoded.rgb.size());
    return wxBitmap(wxImage(decoded.width, decoded.height, pixels));
  } catch (const std::exception&) {
    return wxBitmap();
  }
}

wxBitmap ProgramIconBitmap() { return pngBitmap(velmo_icon_png, velmo_icon_png_size); }
wxBitmap SingleTabBitmap() { return pngBitmap(velmo_tab_single_png, velmo_tab_single_png_size); }
wxBitmap MultiTabBitmap() { return pngBitmap(velmo_tab_multi_png, velmo_tab_multi_png_size); }

}  // namespace velmo
