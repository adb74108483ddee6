// The monitors a portal session shares, each a stream with its place in the
// desktop's coordinates: absolute pointer motions go to a stream, in its own
// coordinates.
#pragma once

#include <gio/gio.h>

#include <cstdint>
#include <vector>

namespace velmo::portal {

struct PortalStream {
  uint32_t node = 0;
  int x = 0, y = 0, width = 0, height = 0;
};

struct StreamPoint {
  uint32_t node = 0;
  int x = 0, y = 0;                // inside the stream
  int desktopX = 0, desktopY = 0;  // the same point on the desktop
};

// The streams of Start's results (a(ua{sv}) under "streams"); a stream
// without a position lies at 0,0.
std::vector<PortalStream> StreamsOf(GVariant* results);

// The stream holding the desktop point, or the nearest one with the point
// kept inside it. `streams` is not empty.
StreamPoint MapToStream(const std::vector<PortalStream>& streams, int x, int y);

}  // namespace velmo::portal
