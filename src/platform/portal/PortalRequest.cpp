#include "platform/portal/PortalRequest.h"

#include <algorithm>

#include "common/Errors.h"
#include "common/Texts.h"

namespace velmo::portal {

namespace {

// The object path the portal gives the request: the caller's unique name
// without the colon and with underscores for dots, then the token.
std::string RequestPath(GDBusConnection* bus, const std::string& token) {
  std::string sender = g_dbus_connection_get_unique_name(bus);
  sender.erase(0, 1);
  std::replace(sender.begin(), sender.end(), '.', '_');
  return std::string(kPortalPath) + "/request/" + sender + "/" + token;
}

struct Waiting {
  bool answered = false;
  bool expired = false;
  Response response;
};

void OnResponse(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                GVariant* parameters, gpointer data) {
  auto* waiting = static_cast<Waiting*>(data);
  guint32 code = 2;
  GVariant* results = nullptr;
  g_variant_get(parameters, "(u@a{sv})", &code, &results);
  waiting->answered = true;
  waiting->response.outcome = code <= 2 ? static_cast<Outcome>(code) : Outcome::Failed;
  if (waiting->response.outcome == Outcome::Granted)
    waiting->response.results = results;
  else
    g_variant_unref(results);
}

}  // namespace

GDBusConnection* ConnectToPortal(const std::string& doing, std::string& error) {
  GError* failure = nullptr;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &failure);
  if (bus == nullptr) {
    error = UserText("没有D-Bus会话总线, 无法通过桌面门户" + doing + "。",
                     std::string("No D-Bus session bus for the desktop portal: ") +
                         failure->message);
    g_error_free(failure);
    return nullptr;
  }
  static bool registered = false;
  if (registered) return bus;
  registered = true;
  GVariant* reply = g_dbus_connection_call_sync(
      bus, kPortalName, kPortalPath, "org.freedesktop.host.portal.Registry", "Register",
      g_variant_new("(sa{sv})", VELMO_APP_ID, nullptr), nullptr, G_DBUS_CALL_FLAGS_NONE, -1,
      nullptr, &failure);
  if (reply != nullptr) g_variant_unref(reply);
  if (failure != nullptr) g_error_free(failure);  // an older portal
  return bus;
}

GVariant* PortalProperties(GDBusConnection* bus, const char* interface) {
  GError* failure = nullptr;
  GVariant* reply = g_dbus_connection_call_sync(
      bus, kPortalName, kPortalPath, "org.freedesktop.DBus.Properties", "GetAll",
      g_variant_new("(s)", interface), G_VARIANT_TYPE("(a{sv})"), G_DBUS_CALL_FLAGS_NONE, -1,
      nullptr, &failure);
  if (reply == nullptr) {
    g_error_free(failure);
    return nullptr;
  }
  GVariant* properties = g_variant_get_child_value(reply, 0);
  g_variant_unref(reply);
  return properties;
}

std::string NewToken() {
  static unsigned counter = 0;
  return "velmo" + std::to_string(++counter);
}

Response CallAndWait(GDBusConnection* bus, const char* interface, const char* method,
                     GVariant* parameters, const std::string& token, int timeoutSeconds) {
  const std::string path = RequestPath(bus, token);
  Waiting waiting;
  // Subscribed before the call, so that an answer given at once is not lost.
  const guint subscription = g_dbus_connection_signal_subscribe(
      bus, nullptr, "org.freedesktop.portal.Request", "Response", path.c_str(), nullptr,
      G_DBUS_SIGNAL_FLAGS_NONE, OnResponse, &waiting, nullptr);
  GError* error = nullptr;
  GVariant* reply = g_dbus_connection_call_sync(bus, kPortalName, kPortalPath, interface, method,
                                                parameters, G_VARIANT_TYPE("(o)"),
                                                G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error);
  if (reply == nullptr) {
    g_dbus_connection_signal_unsubscribe(bus, subscription);
    const std::string reason = error->message;
    g_error_free(error);
    throw AppError(UserText("桌面门户拒绝了Velmo的请求 (" + std::string(method) + "): " + reason,
                            "The desktop portal refused " + std::string(method) + ": " + reason));
  }
  g_variant_unref(reply);
  const guint timer = g_timeout_add_seconds(
      timeoutSeconds,
      [](gpointer data) -> gboolean {
        static_cast<Waiting*>(data)->expired = true;
        return G_SOURCE_REMOVE;
      },
      &waiting);
  while (!waiting.answered && !waiting.expired) g_main_context_iteration(nullptr, TRUE);
  if (!waiting.expired) g_source_remove(timer);
  g_dbus_connection_signal_unsubscribe(bus, subscription);
  if (!waiting.answered) {
    g_dbus_connection_call(bus, kPortalName, path.c_str(), "org.freedesktop.portal.Request",
                           "Close", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr,
                           nullptr);
    throw AppError(UserText(
        "桌面门户在" + std::to_string(timeoutSeconds) + "秒内没有回答Velmo的请求 (" + method + ")。",
        "The desktop portal did not answer " + std::string(method) + " within " +
            std::to_string(timeoutSeconds) + " s."));
  }
  return std::move(waiting.response);
}

GVariant* RequestOptions(const std::string& token) {
  GVariantBuilder options;
  g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
  g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
  return g_variant_builder_end(&options);
}

std::string CreateSession(GDBusConnection* bus, const char* interface, int timeoutSeconds,
                          const std::string& failure) {
  const std::string token = NewToken();
  GVariantBuilder create;
  g_variant_builder_init(&create, G_VARIANT_TYPE_VARDICT);
  g_variant_builder_add(&create, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
  g_variant_builder_add(&create, "{sv}", "session_handle_token",
                        g_variant_new_string(NewToken().c_str()));
  const Response created = CallAndWait(bus, interface, "CreateSession",
                                       g_variant_new("(a{sv})", &create), token, timeoutSeconds);
  const gchar* session = nullptr;
  if (created.outcome != Outcome::Granted ||
      !g_variant_lookup(created.results, "session_handle", "&s", &session))
    throw AppError(failure);
  return session;
}

}  // namespace velmo::portal
