// The point picker of wlroots desktops: a translucent layer-shell surface
// over every output, above every window, with a crosshair pointer. A left
// click gives the point under it in desktop coordinates (the output's
// logical position plus the surface's coordinates); a right click or Esc
// cancels. Everything happens on the connection's event source.
#pragma once

#include <glib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/PointPicker.h"
#include "platform/wayland/ShmBuffer.h"
#include "platform/wayland/WaylandConnection.h"

struct zwlr_layer_surface_v1;

namespace velmo::wayland {

class WaylandPointPicker : public PointPicker {
 public:
  // The connection's compositor must offer the layer shell. Takes over the
  // connection's change notice.
  explicit WaylandPointPicker(WaylandConnection& connection);
  ~WaylandPointPicker() override;

  void pick(Done done) override;
  // A pick runs and every output shows its overlay: a click now reaches it.
  bool shown() const;

  // What one output shows while a pick runs.
  struct Overlay {
    ~Overlay();
    WaylandPointPicker* picker = nullptr;
    uint32_t outputName = 0;
    wl_surface* surface = nullptr;
    zwlr_layer_surface_v1* layer = nullptr;
    std::unique_ptr<ShmBuffer> picture;
  };
  // Handlers of the protocol's events, public for its listeners.
  void configured(Overlay& overlay, uint32_t serial, uint32_t width, uint32_t height);
  void closed(Overlay& overlay);
  void entered(wl_surface* surface, uint32_t serial, wl_fixed_t x, wl_fixed_t y);
  void moved(wl_fixed_t x, wl_fixed_t y);
  void button(uint32_t button, uint32_t state);
  void key(uint32_t key, uint32_t state);

 private:
  void follow();
  void addOverlay(const Output& output);
  void finish(std::optional<CursorPoint> point);
  void takeDevices();
  void dropDevices(uint32_t keep);
  static gboolean answer(gpointer data);

  WaylandConnection& connection_;
  Done done_;
  std::vector<std::unique_ptr<Overlay>> overlays_;
  wl_pointer* pointer_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  wl_surface* cursor_ = nullptr;
  std::unique_ptr<ShmBuffer> crosshair_;
  wl_surface* under_ = nullptr;  // the surface the pointer is over
  double x_ = 0, y_ = 0;            // where on it
  uint32_t pressed_ = 0;            // the button pressed on the overlay, 0 when none
  // Answers wait for the main loop, out of the connection's event handling.
  std::vector<std::pair<Done, std::optional<CursorPoint>>> answers_;
  guint answerSource_ = 0;
};

}  // namespace velmo::wayland
