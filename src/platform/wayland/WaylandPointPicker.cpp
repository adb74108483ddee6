#include "platform/wayland/WaylandPointPicker.h"

#include <linux/input-event-codes.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "common/Errors.h"
#include "platform/wayland/LayerShellProtocol.h"

namespace velmo::wayland {

namespace {

constexpr uint32_t kShade = 0x40000000;  // a quarter black, premultiplied
constexpr int kCrosshairSize = 25;       // odd: the hot spot is its middle pixel

using Overlay = WaylandPointPicker::Overlay;

void LayerConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width,
                    uint32_t height) {
  auto* overlay = static_cast<Overlay*>(data);
  overlay->picker->configured(*overlay, serial, width, height);
}
void LayerClosed(void* data, zwlr_layer_surface_v1*) {
  auto* overlay = static_cast<Overlay*>(data);
  overlay->picker->closed(*overlay);
}
const zwlr_layer_surface_v1_listener kLayerListener = {.configure = LayerConfigure,
                                                       .closed = LayerClosed};

WaylandPointPicker* Picker(void* data) { return static_cast<WaylandPointPicker*>(data); }

void PointerEnter(void* data, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x,
                  wl_fixed_t y) {
  Picker(data)->entered(surface, serial, x, y);
}
void PointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) {
  Picker(data)->entered(nullptr, 0, 0, 0);
}
void PointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
  Picker(data)->moved(x, y);
}
void PointerButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
  Picker(data)->button(button, state);
}
void PointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void PointerFrame(void*, wl_pointer*) {}
void PointerAxisSource(void*, wl_pointer*, uint32_t) {}
void PointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void PointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
void PointerAxisValue120(void*, wl_pointer*, uint32_t, int32_t) {}
const wl_pointer_listener kPointerListener = {.enter = PointerEnter,
                                              .leave = PointerLeave,
                                              .motion = PointerMotion,
                                              .button = PointerButton,
                                              .axis = PointerAxis,
                                              .frame = PointerFrame,
                                              .axis_source = PointerAxisSource,
                                              .axis_stop = PointerAxisStop,
                                              .axis_discrete = PointerAxisDiscrete,
                                              .axis_value120 = PointerAxisValue120};

void KeyboardKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
void KeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void KeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void KeyboardKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
  Picker(data)->key(key, state);
}
void KeyboardModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void KeyboardRepeat(void*, wl_keyboard*, int32_t, int32_t) {}
const wl_keyboard_listener kKeyboardListener = {.keymap = KeyboardKeymap,
                                                .enter = KeyboardEnter,
                                                .leave = KeyboardLeave,
                                                .key = KeyboardKey,
                                                .modifiers = KeyboardModifiers,
                                                .repeat_info = KeyboardRepeat};

// A black cross with a white rim on a transparent ground.
void DrawCrosshair(ShmBuffer& picture) {
  picture.fill(0);
  const int size = picture.width(), middle = size / 2;
  for (int i = 0; i < size; ++i) {
    for (int across = -1; across <= 1; ++across) {
      const uint32_t colour = across == 0 ? 0xff000000 : 0xffffffff;
      picture.pixels()[(middle + across) * size + i] = colour;
      picture.pixels()[i * size + middle + across] = colour;
    }
  }
  picture.pixels()[middle * size + middle] = 0xff000000;
}

}  // namespace

WaylandPointPicker::WaylandPointPicker(WaylandConnection& connection) : connection_(connection) {
  connection_.onChange([this] { follow(); });
}

WaylandPointPicker::~WaylandPointPicker() {
  connection_.onChange(nullptr);
  overlays_.clear();
  dropDevices(0);
  if (cursor_ != nullptr) wl_surface_destroy(cursor_);
  if (answerSource_ != 0) g_source_remove(answerSource_);
}

void WaylandPointPicker::pick(Done done) {
  if (done_) finish(std::nullopt);
  done_ = std::move(done);
  if (!cursor_) {
    crosshair_ = std::make_unique<ShmBuffer>(connection_.shm(), kCrosshairSize, kCrosshairSize);
    DrawCrosshair(*crosshair_);
    cursor_ = wl_compositor_create_surface(connection_.compositor());
    wl_surface_attach(cursor_, crosshair_->buffer(), 0, 0);
    wl_surface_commit(cursor_);
  }
  follow();
  connection_.flush();
}

// Makes what is shown match the outputs and the seat's devices while a pick
// runs.
void WaylandPointPicker::follow() {
  if (!done_) return;
  const auto& outputs = connection_.outputs();
  std::erase_if(overlays_, [&](const auto& overlay) {
    return std::none_of(outputs.begin(), outputs.end(),
                        [&](const auto& output) { return output->name == overlay->outputName; });
  });
  for (const auto& output : outputs) {
    if (std::none_of(overlays_.begin(), overlays_.end(),
                     [&](const auto& overlay) { return overlay->outputName == output->name; }))
      addOverlay(*output);
  }
  takeDevices();
}

void WaylandPointPicker::addOverlay(const Output& output) {
  auto overlay = std::make_unique<Overlay>();
  overlay->picker = this;
  overlay->outputName = output.name;
  overlay->surface = wl_compositor_create_surface(connection_.compositor());
  overlay->layer = zwlr_layer_shell_v1_get_layer_surface(
      connection_.layerShell(), overlay->surface, output.output, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
      "velmo-point-picker");
  zwlr_layer_surface_v1_add_listener(overlay->layer, &kLayerListener, overlay.get());
  zwlr_layer_surface_v1_set_anchor(
      overlay->layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                          ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
  zwlr_layer_surface_v1_set_exclusive_zone(overlay->layer, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(overlay->layer, 1);
  wl_surface_commit(overlay->surface);
  overlays_.push_back(std::move(overlay));
}

bool WaylandPointPicker::shown() const {
  return done_ && !overlays_.empty() &&
         std::all_of(overlays_.begin(), overlays_.end(),
                     [](const auto& overlay) { return overlay->picture != nullptr; });
}

void WaylandPointPicker::configured(Overlay& overlay, uint32_t serial, uint32_t width,
                                    uint32_t height) {
  zwlr_layer_surface_v1_ack_configure(overlay.layer, serial);
  if (width == 0 || height == 0) return;
  if (!overlay.picture || overlay.picture->width() != int(width) ||
      overlay.picture->height() != int(height)) {
    overlay.picture = std::make_unique<ShmBuffer>(connection_.shm(), width, height);
    overlay.picture->fill(kShade);
  }
  wl_surface_attach(overlay.surface, overlay.picture->buffer(), 0, 0);
  wl_surface_damage(overlay.surface, 0, 0, int(width), int(height));
  wl_surface_commit(overlay.surface);
}

void WaylandPointPicker::closed(Overlay& overlay) {
  std::erase_if(overlays_, [&](const auto& each) { return each.get() == &overlay; });
  if (overlays_.empty()) finish(std::nullopt);
}

Overlay::~Overlay() {
  if (layer) zwlr_layer_surface_v1_destroy(layer);
  if (surface) wl_surface_destroy(surface);
}

void WaylandPointPicker::entered(wl_surface* surface, uint32_t serial, wl_fixed_t x, wl_fixed_t y) {
  under_ = surface;
  if (surface == nullptr) return;
  moved(x, y);
  wl_pointer_set_cursor(pointer_, serial, cursor_, kCrosshairSize / 2, kCrosshairSize / 2);
}

void WaylandPointPicker::moved(wl_fixed_t x, wl_fixed_t y) {
  x_ = wl_fixed_to_double(x);
  y_ = wl_fixed_to_double(y);
}

// The click counts once its button comes up, so that no window below gets
// half of it.
void WaylandPointPicker::button(uint32_t button, uint32_t state) {
  if (state == WL_POINTER_BUTTON_STATE_PRESSED) {
    if (button == BTN_LEFT || button == BTN_RIGHT) pressed_ = button;
    return;
  }
  if (button != pressed_) return;
  if (button == BTN_RIGHT) return finish(std::nullopt);
  const auto overlay = std::find_if(overlays_.begin(), overlays_.end(),
                                    [&](const auto& each) { return each->surface == under_; });
  if (overlay == overlays_.end()) return;
  for (const auto& output : connection_.outputs()) {
    if (output->name != (*overlay)->outputName) continue;
    return finish(CursorPoint{output->box.x + static_cast<int>(std::floor(x_)),
                              output->box.y + static_cast<int>(std::floor(y_))});
  }
}

void WaylandPointPicker::key(uint32_t key, uint32_t state) {
  if (key == KEY_ESC && state == WL_KEYBOARD_KEY_STATE_PRESSED) finish(std::nullopt);
}

void WaylandPointPicker::finish(std::optional<CursorPoint> point) {
  answers_.emplace_back(std::move(done_), point);
  done_ = nullptr;
  if (answerSource_ == 0) answerSource_ = g_idle_add(&WaylandPointPicker::answer, this);
  under_ = nullptr;
  pressed_ = 0;
  overlays_.clear();
  dropDevices(0);
  wl_display_flush(connection_.display());
}

gboolean WaylandPointPicker::answer(gpointer data) {
  auto* self = static_cast<WaylandPointPicker*>(data);
  self->answerSource_ = 0;
  auto answers = std::move(self->answers_);
  self->answers_.clear();
  for (auto& [done, point] : answers) done(point);
  return G_SOURCE_REMOVE;
}

// The seat's pointer and keyboard as far as it has them now: a keyboard may
// come only once the pick runs (a virtual keyboard that types Esc).
void WaylandPointPicker::takeDevices() {
  const uint32_t capabilities = connection_.seatCapabilities();
  if ((capabilities & WL_SEAT_CAPABILITY_POINTER) != 0 && pointer_ == nullptr) {
    pointer_ = wl_seat_get_pointer(connection_.seat());
    wl_pointer_add_listener(pointer_, &kPointerListener, this);
  }
  if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0 && keyboard_ == nullptr) {
    keyboard_ = wl_seat_get_keyboard(connection_.seat());
    wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
  }
  dropDevices(capabilities);
}

// Lets go of the devices whose kind is not in `keep`: release tells the
// compositor (since version 3 of the seat), destroy only forgets.
void WaylandPointPicker::dropDevices(uint32_t keep) {
  const bool release = wl_proxy_get_version(reinterpret_cast<wl_proxy*>(connection_.seat())) >= 3;
  if (pointer_ != nullptr && (keep & WL_SEAT_CAPABILITY_POINTER) == 0) {
    release ? wl_pointer_release(pointer_) : wl_pointer_destroy(pointer_);
    pointer_ = nullptr;
    under_ = nullptr;
  }
  if (keyboard_ != nullptr && (keep & WL_SEAT_CAPABILITY_KEYBOARD) == 0) {
    release ? wl_keyboard_release(keyboard_) : wl_keyboard_destroy(keyboard_);
    keyboard_ = nullptr;
  }
}

}  // namespace velmo::wayland
