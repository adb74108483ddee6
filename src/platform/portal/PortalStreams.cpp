#include "platform/portal/PortalStreams.h"

#include <algorithm>
#include <limits>

namespace velmo::portal {

std::vector<PortalStream> StreamsOf(GVariant* results) {
  std::vector<PortalStream> streams;
  GVariant* list = g_variant_lookup_value(results, "streams", G_VARIANT_TYPE("a(ua{sv})"));
  if (list == nullptr) return streams;
  GVariantIter iter;
  g_variant_iter_init(&iter, list);
  guint32 node = 0;
  GVariant* properties = nullptr;
  while (g_variant_iter_next(&iter, "(u@a{sv})", &node, &properties)) {
    PortalStream stream;
    stream.node = node;
    g_variant_lookup(properties, "position", "(ii)", &stream.x, &stream.y);
    if (g_variant_lookup(properties, "size", "(ii)", &stream.width, &stream.height) &&
        stream.width > 0 && stream.height > 0)
      streams.push_back(stream);
    g_variant_unref(properties);
  }
  g_variant_unref(list);
  return streams;
}

StreamPoint MapToStream(const std::vector<PortalStream>& streams, int x, int y) {
  StreamPoint best;
  long long bestDistance = std::numeric_limits<long long>::max();
  for (const PortalStream& s : streams) {
    const int inX = std::clamp(x, s.x, s.x + s.width - 1);
    const int inY = std::clamp(y, s.y, s.y + s.height - 1);
    const long long dx = x - inX, dy = y - inY;
    if (dx * dx + dy * dy >= bestDistance) continue;
    bestDistance = dx * dx + dy * dy;
    best = {s.node, inX - s.x, inY - s.y, inX, inY};
  }
  return best;
}

}  // namespace velmo::portal
