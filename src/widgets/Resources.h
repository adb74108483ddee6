// Pictures built into the program.
#pragma once

#include <wx/bitmap.h>

namespace velmo {

// The banner; an empty bitmap if the built-in picture cannot be decoded.
wxBitmap BannerBitmap();
wxBitmap ProgramIconBitmap();
wxBitmap SingleTabBitmap();
wxBitmap MultiTabBitmap();

}  // namespace velmo
