#include "platform/x11/X11Recorder.h"

#include <X11/Xproto.h>

#include "common/Texts.h"
#include "platform/x11/X11Keys.h"

namespace velmo::x11 {

namespace {

// Often enough that a recording ends without a noticeable wait after Esc.
constexpr guint kPollMs = 20;
constexpr unsigned kModifierMask = ControlMask | Mod1Mask;
constexpr unsigned kLeftButton = 1;
constexpr unsigned kRightButton = 3;

std::string MissingRecordText(Display* display) {
  const std::string quoted = "\"" + std::string(DisplayString(display)) + "\"";
  return UserText("X11显示服务器" + quoted + "没有RECORD扩展, 无法录制点击。请用\"添加坐标\"逐个添加。",
                  "The X server on display " + quoted +
                      " has no RECORD extension, which recording clicks needs.");
}

}  // namespace

// The control connection creates and ends the context; the data connection
// is taken up by it for as long as it is enabled.
struct X11Recorder::Context {
  DisplayPtr control;
  DisplayPtr data;
  XRecordContext id = 0;

  ~Context() {
    if (id == 0) return;
    XRecordDisableContext(control.get(), id);
    XRecordFreeContext(control.get(), id);
    XSync(control.get(), False);
  }
};

X11Recorder::X11Recorder(std::function<int()> doubleClickTime)
    : doubleClickTime_(std::move(doubleClickTime)) {}

X11Recorder::~X11Recorder() { stop(); }

bool X11Recorder::start(const std::vector<EndKey>& endKeys,
                        std::function<void(MousePress)> pressed, std::function<void()> ended,
                        std::string& error) {
  stop();
  auto context = std::make_unique<Context>();
  context->control = OpenDisplay(error);
  if (!context->control) return false;
  int major = 0, minor = 0;
  if (!XRecordQueryVersion(context->control.get(), &major, &minor)) {
    error = MissingRecordText(context->control.get());
    return false;
  }
  context->data = OpenDisplay(error);
  if (!context->data) return false;

  XRecordRange* range = XRecordAllocRange();
  if (range == nullptr) {
    error = "XRecordAllocRange failed";
    return false;
  }
  range->device_events.first = KeyPress;
  range->device_events.last = ButtonPress;
  XRecordClientSpec clients = XRecordAllClients;
  context->id = XRecordCreateContext(context->control.get(), 0, &clients, 1, &range, 1);
  XFree(range);
  if (context->id == 0) {
    error = "XRecordCreateContext failed";
    return false;
  }
  // The data connection must see the context, made on the other one.
  XSync(context->control.get(), False);
  if (!XRecordEnableContextAsync(context->data.get(), context->id, &X11Recorder::intercepted,
                                 reinterpret_cast<XPointer>(this))) {
    error = "XRecordEnableContextAsync failed";
    return false;
  }
  watchKeys(context->control.get(), endKeys);
  context_ = std::move(context);
  pressed_ = std::move(pressed);
  ended_ = std::move(ended);
  endKeySeen_ = false;
  timeout_ = g_timeout_add(kPollMs, &X11Recorder::poll, this);
  return true;
}

void X11Recorder::watchKeys(Display* display, const std::vector<EndKey>& endKeys) {
  endKeys_.clear();
  for (const EndKey& key : endKeys) {
    const KeyCode code = XKeysymToKeycode(display, VirtualKeyToKeySym(key.vk));
    const std::optional<unsigned> mask = ModifiersToMask(key.modifiers);
    if (code != 0 && mask) endKeys_.push_back({code, *mask});
  }
}

void X11Recorder::stop() {
  if (timeout_ != 0) g_source_remove(timeout_);
  timeout_ = 0;
  context_.reset();
  pressed_ = nullptr;
  arrived_.clear();
}

void X11Recorder::intercepted(XPointer self, XRecordInterceptData* data) {
  if (data->category == XRecordFromServer && data->data_len * 4 >= sizeof(xEvent)) {
    const auto* event = reinterpret_cast<const xEvent*>(data->data);
    const auto& pointer = event->u.keyButtonPointer;
    reinterpret_cast<X11Recorder*>(self)->seen(
        event->u.u.type & 0x7F, event->u.u.detail, pointer.state,
        MousePress{false, {pointer.rootX, pointer.rootY}, static_cast<long long>(pointer.time)});
  }
  XRecordFreeData(data);
}

void X11Recorder::seen(int type, unsigned detail, unsigned state, MousePress press) {
  if (type == ButtonPress && (detail == kLeftButton || detail == kRightButton)) {
    press.right = detail == kRightButton;
    arrived_.push_back(press);
  } else if (type == KeyPress) {
    for (const Key& key : endKeys_)
      if (key.keycode == detail && (state & kModifierMask) == key.mask) endKeySeen_ = true;
  }
}

gboolean X11Recorder::poll(gpointer data) {
  auto* self = static_cast<X11Recorder*>(data);
  XRecordProcessReplies(self->context_->data.get());
  // Handed on only now: a handler may stop the watch, which closes the
  // connection the replies were read from.
  std::vector<MousePress> arrived;
  arrived.swap(self->arrived_);
  for (const MousePress& press : arrived)
    if (self->pressed_) self->pressed_(press);
  if (!self->endKeySeen_ || !self->context_) return G_SOURCE_CONTINUE;
  auto ended = std::move(self->ended_);
  self->timeout_ = 0;  // this source ends with the G_SOURCE_REMOVE below
  self->stop();
  if (ended) ended();
  return G_SOURCE_REMOVE;
}

}  // namespace velmo::x11
