#include "platform/portal/PortalMouse.h"

#include <linux/input-event-codes.h>

#include <algorithm>

#include "common/Errors.h"
#include "common/Texts.h"
#include "platform/portal/PortalRequest.h"

namespace velmo::portal {

namespace {

constexpr const char* kRemoteDesktop = "org.freedesktop.portal.RemoteDesktop";
constexpr const char* kScreenCast = "org.freedesktop.portal.ScreenCast";
constexpr guint32 kPointerDevice = 2;
constexpr guint32 kMonitorSource = 1;
constexpr guint32 kPersistUntilRevoked = 2;
// Starting waits for the user to answer the consent dialog.
constexpr int kAnswerSeconds = 120;

struct ButtonStep {
  unsigned flag;
  int button;
  bool press;
};
constexpr ButtonStep kSteps[] = {
    {kMouseLeftDown, BTN_LEFT, true},     {kMouseLeftUp, BTN_LEFT, false},
    {kMouseRightDown, BTN_RIGHT, true},   {kMouseRightUp, BTN_RIGHT, false},
    {kMouseMiddleDown, BTN_MIDDLE, true}, {kMouseMiddleUp, BTN_MIDDLE, false},
};

const std::string kAskedAgain = "下次开始点击时Velmo会重新请求同意。";
const std::string kAskedAgainEnglish = " Velmo asks again when clicking starts next.";

void OnClosed(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant*,
              gpointer data) {
  *static_cast<bool*>(data) = true;
}

}  // namespace

PortalMouse::PortalMouse(GDBusConnection* bus, unsigned version, std::string tokenPath)
    : bus_(G_DBUS_CONNECTION(g_object_ref(bus))), version_(version),
      tokenPath_(std::move(tokenPath)) {}

PortalMouse::~PortalMouse() {
  if (!session_.empty()) endSession(true);
  g_object_unref(bus_);
}

void PortalMouse::fail(const std::string& chinese, const std::string& english) {
  endSession(!closed_);
  throw AppError(UserText(chinese, english));
}

void PortalMouse::endSession(bool closeIt) {
  const std::string session = std::move(session_);
  session_.clear();
  if (closeIt) {
    // Whatever is still held goes up before the device goes away.
    for (const int code : pressed_) {
      GVariant* reply = g_dbus_connection_call_sync(
          bus_, kPortalName, kPortalPath, kRemoteDesktop, "NotifyPointerButton",
          g_variant_new("(oa{sv}iu)", session.c_str(), nullptr, code, 0u), nullptr,
          G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
      if (reply != nullptr) g_variant_unref(reply);
    }
    g_dbus_connection_call(bus_, kPortalName, session.c_str(), "org.freedesktop.portal.Session",
                           "Close", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr,
                           nullptr);
    g_dbus_connection_flush_sync(bus_, nullptr, nullptr);
  }
  pressed_.clear();
  streams_.clear();
  if (closedWatch_ != 0) g_dbus_connection_signal_unsubscribe(bus_, closedWatch_);
  closedWatch_ = 0;
  closed_ = false;
}

std::string PortalMouse::readToken() const {
  gchar* text = nullptr;
  if (!g_file_get_contents(tokenPath_.c_str(), &text, nullptr, nullptr)) return {};
  std::string token = g_strstrip(text);
  g_free(text);
  return token;
}

void PortalMouse::keepToken(GVariant* results) const {
  const gchar* token = nullptr;
  if (!g_variant_lookup(results, "restore_token", "&s", &token)) return;
  gchar* folder = g_path_get_dirname(tokenPath_.c_str());
  g_mkdir_with_parents(folder, 0700);
  g_free(folder);
  // The token lets anyone who reads it control the pointer without asking:
  // only the user may read it. Without the file the user is asked again next
  // time: nothing to stop for.
  g_file_set_contents_full(tokenPath_.c_str(), token, -1, G_FILE_SET_CONTENTS_CONSISTENT, 0600,
                           nullptr);
}

void PortalMouse::startSession() {
  session_ = CreateSession(bus_, kRemoteDesktop, kAnswerSeconds,
                           UserText("桌面门户未能建立控制鼠标的会话, 点击已停止。",
                                    "The desktop portal could not create a remote desktop "
                                    "session; clicking stopped."));
  closedWatch_ = g_dbus_connection_signal_subscribe(
      bus_, nullptr, "org.freedesktop.portal.Session", "Closed", session_.c_str(), nullptr,
      G_DBUS_SIGNAL_FLAGS_NONE, OnClosed, &closed_, nullptr);

  const std::string devicesToken = NewToken();
  GVariantBuilder devices;
  g_variant_builder_init(&devices, G_VARIANT_TYPE_VARDICT);
  g_variant_builder_add(&devices, "{sv}", "handle_token",
                        g_variant_new_string(devicesToken.c_str()));
  g_variant_builder_add(&devices, "{sv}", "types", g_variant_new_uint32(kPointerDevice));
  if (version_ >= 2) {
    g_variant_builder_add(&devices, "{sv}", "persist_mode",
                          g_variant_new_uint32(kPersistUntilRevoked));
    const std::string restore = readToken();
    if (!restore.empty())
      g_variant_builder_add(&devices, "{sv}", "restore_token",
                            g_variant_new_string(restore.c_str()));
  }
  const std::string startToken = NewToken();
  auto granted = [this](const Response& step) {
    if (step.outcome == Outcome::Refused)
      fail("你没有同意Velmo通过桌面门户控制鼠标, 点击已停止。" + kAskedAgain,
           "Remote control of the pointer was refused; clicking stopped." + kAskedAgainEnglish);
    if (step.outcome != Outcome::Granted || closed_)
      fail("桌面门户未能开始控制鼠标的会话, 点击已停止。",
           "The desktop portal could not start the remote desktop session; clicking stopped.");
  };
  granted(CallAndWait(bus_, kRemoteDesktop, "SelectDevices",
                      g_variant_new("(oa{sv})", session_.c_str(), &devices), devicesToken,
                      kAnswerSeconds));
  const std::string sourcesToken = NewToken();
  GVariantBuilder sources;
  g_variant_builder_init(&sources, G_VARIANT_TYPE_VARDICT);
  g_variant_builder_add(&sources, "{sv}", "handle_token",
                        g_variant_new_string(sourcesToken.c_str()));
  g_variant_builder_add(&sources, "{sv}", "types", g_variant_new_uint32(kMonitorSource));
  g_variant_builder_add(&sources, "{sv}", "multiple", g_variant_new_boolean(TRUE));
  granted(CallAndWait(bus_, kScreenCast, "SelectSources",
                      g_variant_new("(oa{sv})", session_.c_str(), &sources), sourcesToken,
                      kAnswerSeconds));
  const Response started =
      CallAndWait(bus_, kRemoteDesktop, "Start",
                  g_variant_new("(os@a{sv})", session_.c_str(), "", RequestOptions(startToken)),
                  startToken, kAnswerSeconds);
  granted(started);
  guint32 devicesGranted = 0;
  g_variant_lookup(started.results, "devices", "u", &devicesGranted);
  if ((devicesGranted & kPointerDevice) == 0)
    fail("桌面门户没有把鼠标交给Velmo控制, 点击已停止。",
         "The desktop portal granted no pointer; clicking stopped.");
  streams_ = StreamsOf(started.results);
  if (version_ >= 2) keepToken(started.results);
}

bool PortalMouse::ready() {
  if (closed_)
    fail("桌面结束了Velmo控制鼠标的会话, 点击已停止。" + kAskedAgain,
         "The desktop ended the remote desktop session; clicking stopped." + kAskedAgainEnglish);
  if (!session_.empty() && !starting_) return true;
  if (starting_) return false;
  starting_ = true;
  try {
    startSession();
  } catch (...) {
    starting_ = false;
    if (!session_.empty()) endSession(!closed_);
    throw;
  }
  starting_ = false;
  return true;
}

void PortalMouse::notify(const char* method, GVariant* parameters) {
  GError* error = nullptr;
  GVariant* reply =
      g_dbus_connection_call_sync(bus_, kPortalName, kPortalPath, kRemoteDesktop, method,
                                  parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error);
  if (reply != nullptr) return g_variant_unref(reply);
  const std::string reason = error->message;
  g_error_free(error);
  // The portal refuses calls on a session the desktop has ended, whose
  // Closed signal may still be on its way. Should the session live on, what
  // this click pressed is released as it is closed.
  fail("桌面结束了Velmo控制鼠标的会话, 点击已停止 (" + reason + ")。" + kAskedAgain,
       "The remote desktop session ended: " + reason + "; clicking stopped." + kAskedAgainEnglish);
}

void PortalMouse::button(int code, bool press) {
  notify("NotifyPointerButton",
         g_variant_new("(oa{sv}iu)", session_.c_str(), nullptr, code, press ? 1u : 0u));
  if (press && std::find(pressed_.begin(), pressed_.end(), code) == pressed_.end())
    pressed_.push_back(code);
  if (!press) pressed_.erase(std::remove(pressed_.begin(), pressed_.end(), code), pressed_.end());
}

void PortalMouse::mouseEvent(unsigned flags) {
  if ((flags & (kMouseLeftDown | kMouseLeftUp | kMouseRightDown | kMouseRightUp |
                kMouseMiddleDown | kMouseMiddleUp)) == 0 ||
      !ready())
    return;
  for (const auto& step : kSteps)
    if ((flags & step.flag) != 0) button(step.button, step.press);
}

void PortalMouse::keybdEvent(unsigned vk, unsigned) {
  throw AppError(UserText(
      "在这个Wayland桌面上Velmo只能模拟鼠标点击, 不能模拟按键 (虚拟键码" + std::to_string(vk) +
          ")。",
      "On this Wayland desktop Velmo synthesises mouse clicks only, no keys (virtual-key code " +
          std::to_string(vk) + ")."));
}

void PortalMouse::SetCursorPos(int x, int y) {
  if (!ready()) return;
  if (streams_.empty())
    fail("桌面门户没有共享任何显示器, Velmo无法把鼠标移到坐标点, 点击已停止。",
         "The desktop portal shares no monitor to move the pointer on; clicking stopped.");
  const StreamPoint point = MapToStream(streams_, x, y);
  notify("NotifyPointerMotionAbsolute",
         g_variant_new("(oa{sv}udd)", session_.c_str(), nullptr, point.node,
                       static_cast<double>(point.x), static_cast<double>(point.y)));
  position_ = {point.desktopX, point.desktopY};
}

std::unique_ptr<PortalMouse> OpenPortalMouse(std::string tokenPath, std::string& error) {
  GDBusConnection* bus = ConnectToPortal("点击", error);
  if (bus == nullptr) return nullptr;
  guint32 version = 0, types = 0;
  if (GVariant* properties = PortalProperties(bus, kRemoteDesktop)) {
    g_variant_lookup(properties, "version", "u", &version);
    g_variant_lookup(properties, "AvailableDeviceTypes", "u", &types);
    g_variant_unref(properties);
  }
  if (version == 0 || (types & kPointerDevice) == 0) {
    error = UserText("桌面门户不提供远程控制鼠标 (RemoteDesktop)。",
                     "The desktop portal offers no RemoteDesktop pointer.");
    g_object_unref(bus);
    return nullptr;
  }
  auto mouse = std::make_unique<PortalMouse>(bus, version, std::move(tokenPath));
  g_object_unref(bus);
  return mouse;
}

}  // namespace velmo::portal
