#include "platform/wayland/WaylandConnection.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/Errors.h"
#include "common/Texts.h"
#include "platform/wayland/LayerShellProtocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace velmo::wayland {

void OutputDescribed(Output& output) { output.connection->changed(); }
void SeatChanged(WaylandConnection& connection, uint32_t capabilities) {
  connection.capabilities_ = capabilities;
  connection.changed();
}

namespace {

// Versions bound: the oldest that has every request and event we use.
constexpr uint32_t kSeatVersion = 5;       // release requests of the seat and its devices
constexpr uint32_t kOutputVersion = 1;     // no events used: xdg-output tells the box
constexpr uint32_t kXdgOutputVersion = 2;  // its own done event after every change
constexpr uint32_t kLayerShellVersion = 1;

// How long flush() waits for a compositor that reads nothing.
constexpr int kFlushWaitMs = 5000;

template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface& interface, uint32_t offered,
        uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

void SeatCapabilities(void* data, wl_seat*, uint32_t capabilities) {
  SeatChanged(*static_cast<WaylandConnection*>(data), capabilities);
}
void SeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener = {.capabilities = SeatCapabilities, .name = SeatName};

void LogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
  auto* output = static_cast<Output*>(data);
  output->box.x = x, output->box.y = y;
}
void LogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
  auto* output = static_cast<Output*>(data);
  output->box.width = width, output->box.height = height;
}
void XdgOutputDone(void* data, zxdg_output_v1*) { OutputDescribed(*static_cast<Output*>(data)); }
void XdgOutputName(void*, zxdg_output_v1*, const char*) {}
void XdgOutputDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kXdgOutputListener = {.logical_position = LogicalPosition,
                                                    .logical_size = LogicalSize,
                                                    .done = XdgOutputDone,
                                                    .name = XdgOutputName,
                                                    .description = XdgOutputDescription};

}  // namespace

const wl_registry_listener WaylandConnection::kRegistryListener = {
    .global = &WaylandConnection::global, .global_remove = &WaylandConnection::globalRemove};

WaylandConnection::WaylandConnection() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  if (name == nullptr || *name == '\0')
    throw AppError(UserText("没有设置WAYLAND_DISPLAY, 这不是Wayland会话。",
                            "WAYLAND_DISPLAY is not set: this is no Wayland session."));
  display_ = wl_display_connect(name);
  if (display_ == nullptr) {
    const std::string quoted = "\"" + std::string(name) + "\"";
    throw AppError(UserText("Velmo无法连接Wayland合成器" + quoted + "。",
                            "Cannot connect to the Wayland compositor " + quoted +
                                " (wl_display_connect failed: " + std::strerror(errno) + ")."));
  }
  registry_ = wl_display_get_registry(display_);
  wl_registry_add_listener(registry_, &kRegistryListener, this);
  // The first round trip brings the globals, the second what the bound
  // objects (seat, outputs) tell of themselves.
  try {
    roundtrip();
    roundtrip();
  } catch (...) {
    close();
    throw;
  }
  const char* missing = seat_ == nullptr             ? "wl_seat"
                        : pointerManager_ == nullptr ? "zwlr_virtual_pointer_manager_v1"
                        : outputManager_ == nullptr  ? "zxdg_output_manager_v1"
                                                     : nullptr;
  if (missing != nullptr) {
    close();
    throw AppError(UserText(
        "这个Wayland合成器不提供" + std::string(missing) + ", Velmo无法在这里模拟鼠标点击。",
        "The Wayland compositor does not offer " + std::string(missing) +
            ", which Velmo needs to synthesise mouse clicks."));
  }
}

WaylandConnection::~WaylandConnection() { close(); }

void WaylandConnection::close() {
  if (display_ == nullptr) return;
  for (auto& output : outputs_) {
    if (output->xdgOutput != nullptr) zxdg_output_v1_destroy(output->xdgOutput);
    wl_output_destroy(output->output);
  }
  outputs_.clear();
  if (outputManager_ != nullptr) zxdg_output_manager_v1_destroy(outputManager_);
  if (pointerManager_ != nullptr) zwlr_virtual_pointer_manager_v1_destroy(pointerManager_);
  if (layerShell_ != nullptr) zwlr_layer_shell_v1_destroy(layerShell_);
  if (shm_ != nullptr) wl_shm_destroy(shm_);
  if (compositor_ != nullptr) wl_compositor_destroy(compositor_);
  if (seat_ != nullptr) {
    const bool release = wl_proxy_get_version(reinterpret_cast<wl_proxy*>(seat_)) >= 5;
    release ? wl_seat_release(seat_) : wl_seat_destroy(seat_);
  }
  wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
  display_ = nullptr;
}

void WaylandConnection::global(void* data, wl_registry* registry, uint32_t name,
                               const char* interface, uint32_t version) {
  auto* self = static_cast<WaylandConnection*>(data);
  const std::string kind = interface;
  if (kind == wl_seat_interface.name && self->seat_ == nullptr) {
    self->seat_ = Bind<wl_seat>(registry, name, wl_seat_interface, version, kSeatVersion);
    wl_seat_add_listener(self->seat_, &kSeatListener, self);
  } else if (kind == wl_compositor_interface.name) {
    self->compositor_ = Bind<wl_compositor>(registry, name, wl_compositor_interface, version, 1);
  } else if (kind == wl_shm_interface.name) {
    self->shm_ = Bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
  } else if (kind == zwlr_layer_shell_v1_interface.name) {
    self->layerShell_ = Bind<zwlr_layer_shell_v1>(registry, name, zwlr_layer_shell_v1_interface,
                                                  version, kLayerShellVersion);
  } else if (kind == zwlr_virtual_pointer_manager_v1_interface.name) {
    self->pointerManager_ = Bind<zwlr_virtual_pointer_manager_v1>(
        registry, name, zwlr_virtual_pointer_manager_v1_interface, version, 1);
  } else if (kind == zxdg_output_manager_v1_interface.name) {
    self->outputManager_ = Bind<zxdg_output_manager_v1>(
        registry, name, zxdg_output_manager_v1_interface, version, kXdgOutputVersion);
    for (auto& output : self->outputs_) self->describe(*output);
  } else if (kind == wl_output_interface.name) {
    auto output = std::make_unique<Output>();
    output->connection = self;
    output->name = name;
    output->output = Bind<wl_output>(registry, name, wl_output_interface, version, kOutputVersion);
    if (self->outputManager_ != nullptr) self->describe(*output);
    self->outputs_.push_back(std::move(output));
  }
}

void WaylandConnection::describe(Output& output) {
  output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(outputManager_, output.output);
  zxdg_output_v1_add_listener(output.xdgOutput, &kXdgOutputListener, &output);
}

void WaylandConnection::globalRemove(void* data, wl_registry*, uint32_t name) {
  auto* self = static_cast<WaylandConnection*>(data);
  auto& outputs = self->outputs_;
  const auto gone = std::find_if(outputs.begin(), outputs.end(),
                                 [name](const auto& output) { return output->name == name; });
  if (gone == outputs.end()) return;
  if ((*gone)->xdgOutput != nullptr) zxdg_output_v1_destroy((*gone)->xdgOutput);
  wl_output_destroy((*gone)->output);
  outputs.erase(gone);
  self->changed();
}

void WaylandConnection::changed() {
  if (changed_) changed_();
}

DesktopBox WaylandConnection::layoutBounds() const {
  std::vector<DesktopBox> boxes;
  for (const auto& output : outputs_) boxes.push_back(output->box);
  return BoundingBox(boxes);
}

std::string WaylandConnection::lostText() const {
  const int code = wl_display_get_error(display_);
  return UserText("与Wayland合成器的连接已断开。",
                  "The connection to the Wayland compositor is lost (" +
                      std::string(std::strerror(code)) + ").");
}

void WaylandConnection::flush() {
  // A full socket means the compositor is behind: wait until it reads.
  while (wl_display_flush(display_) < 0) {
    if (errno != EAGAIN) throw AppError(lostText());
    pollfd writable{wl_display_get_fd(display_), POLLOUT, 0};
    if (poll(&writable, 1, kFlushWaitMs) <= 0)
      throw AppError(UserText("Wayland合成器" + std::to_string(kFlushWaitMs / 1000) +
                                  "秒内没有接收输入。",
                              "The Wayland compositor has taken no input for " +
                                  std::to_string(kFlushWaitMs / 1000) + " s."));
  }
}

void WaylandConnection::roundtrip() {
  if (wl_display_roundtrip(display_) < 0) throw AppError(lostText());
}

bool WaylandConnection::dispatch(bool readable) {
  const int handled =
      readable ? wl_display_dispatch(display_) : wl_display_dispatch_pending(display_);
  return handled >= 0;
}

}  // namespace velmo::wayland
