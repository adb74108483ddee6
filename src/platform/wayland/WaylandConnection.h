// A connection to a Wayland compositor with the globals the program uses:
// the seat, the outputs with their place in the layout, the virtual pointer
// manager, and what an overlay needs (compositor, shared memory, layer shell).
#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/wayland/DesktopLayout.h"

struct zwlr_virtual_pointer_manager_v1;
struct zwlr_layer_shell_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace velmo::wayland {

// One output and its logical box in the layout. The box is empty until the
// compositor has told it.
class WaylandConnection;
struct Output {
  WaylandConnection* connection = nullptr;  // whose events it reaches
  uint32_t name = 0;                        // the global's name in the registry
  wl_output* output = nullptr;
  zxdg_output_v1* xdgOutput = nullptr;
  DesktopBox box;
};

class WaylandConnection {
 public:
  // Connects to the compositor named by WAYLAND_DISPLAY and learns its
  // globals and outputs. Throws AppError when it cannot connect or the
  // compositor lacks the seat, the virtual pointer manager or xdg-output.
  WaylandConnection();
  ~WaylandConnection();
  WaylandConnection(const WaylandConnection&) = delete;
  WaylandConnection& operator=(const WaylandConnection&) = delete;

  wl_display* display() const { return display_; }
  wl_seat* seat() const { return seat_; }
  wl_compositor* compositor() const { return compositor_; }
  wl_shm* shm() const { return shm_; }
  zwlr_layer_shell_v1* layerShell() const { return layerShell_; }  // nullptr when not offered
  zwlr_virtual_pointer_manager_v1* pointerManager() const { return pointerManager_; }
  const std::vector<std::unique_ptr<Output>>& outputs() const { return outputs_; }
  // The bounding box of every output; empty when there is none.
  DesktopBox layoutBounds() const;

  // WL_SEAT_CAPABILITY_* bits the seat has now.
  uint32_t seatCapabilities() const { return capabilities_; }

  // Told after an output came, went or moved (once the compositor is done
  // describing it) and after the seat gained or lost a device kind.
  void onChange(std::function<void()> changed) { changed_ = std::move(changed); }

  // Sends the requests written so far, waiting while the compositor is
  // behind. Throws AppError when the connection is lost or the compositor
  // reads nothing for 5 s.
  void flush();
  // Sends the requests and waits until the compositor has handled them,
  // handling the events that come meanwhile. Throws AppError when lost.
  void roundtrip();
  // Handles the events waiting, reading them from the socket when
  // `readable`, without blocking. False when the connection is lost.
  bool dispatch(bool readable);
  // The error of a lost connection, for messages.
  std::string lostText() const;

 private:
  friend void OutputDescribed(Output& output);
  friend void SeatChanged(WaylandConnection& connection, uint32_t capabilities);
  static const wl_registry_listener kRegistryListener;
  void close();
  static void global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t version);
  static void globalRemove(void* data, wl_registry* registry, uint32_t name);
  void describe(Output& output);
  void changed();

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  zwlr_layer_shell_v1* layerShell_ = nullptr;
  zwlr_virtual_pointer_manager_v1* pointerManager_ = nullptr;
  zxdg_output_manager_v1* outputManager_ = nullptr;
  std::vector<std::unique_ptr<Output>> outputs_;
  uint32_t capabilities_ = 0;
  std::function<void()> changed_;
};

}  // namespace velmo::wayland
