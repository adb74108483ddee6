#include "platform/portal/PortalShortcuts.h"

#include <algorithm>
#include <cstdio>

#include "common/Errors.h"
#include "common/Texts.h"
#include "platform/portal/PortalRequest.h"

namespace velmo::portal {

namespace {

constexpr const char* kGlobalShortcuts = "org.freedesktop.portal.GlobalShortcuts";
// Binding may wait for the user to answer the desktop's dialog.
constexpr int kAnswerSeconds = 120;

}  // namespace

PortalShortcuts::PortalShortcuts(GDBusConnection* bus)
    : bus_(G_DBUS_CONNECTION(g_object_ref(bus))) {
  activatedWatch_ = g_dbus_connection_signal_subscribe(
      bus_, nullptr, kGlobalShortcuts, "Activated", kPortalPath, nullptr,
      G_DBUS_SIGNAL_FLAGS_NONE, &PortalShortcuts::OnActivated, this, nullptr);
}

PortalShortcuts::~PortalShortcuts() {
  if (idle_ != 0) g_source_remove(idle_);
  g_dbus_connection_signal_unsubscribe(bus_, activatedWatch_);
  closeSession();
  g_dbus_connection_flush_sync(bus_, nullptr, nullptr);
  g_object_unref(bus_);
}

bool PortalShortcuts::grab(unsigned modifiers, unsigned vk) {
  const Combination combination{modifiers, vk};
  if (PreferredTrigger(combination).empty() ||
      std::find(wanted_.begin(), wanted_.end(), combination) != wanted_.end())
    return false;
  wanted_.push_back(combination);
  bindSoon();
  return true;
}

void PortalShortcuts::ungrab(unsigned modifiers, unsigned vk) {
  const auto it = std::find(wanted_.begin(), wanted_.end(), Combination{modifiers, vk});
  if (it == wanted_.end()) return;
  wanted_.erase(it);
  bindSoon();
}

void PortalShortcuts::bindSoon() {
  // Waiting for the desktop runs the main loop, where the program may change
  // its hotkeys again: the binding under way is then done once more.
  if (binding_) {
    changedWhileBinding_ = true;
    return;
  }
  if (idle_ != 0) return;
  idle_ = g_idle_add(
      [](gpointer self) -> gboolean {
        auto* shortcuts = static_cast<PortalShortcuts*>(self);
        shortcuts->idle_ = 0;
        shortcuts->bind();
        return G_SOURCE_REMOVE;
      },
      this);
}

void PortalShortcuts::bind() {
  closeSession();
  std::map<std::string, std::string> triggers;
  if (!wanted_.empty()) {
    binding_ = true;
    changedWhileBinding_ = false;
    try {
      triggers = bindInNewSession();
    } catch (const std::exception& error) {
      // Every hotkey is refused then, each with its message.
      std::fprintf(stderr, "Velmo: %s\n", error.what());
      closeSession();
    }
    binding_ = false;
    if (changedWhileBinding_) return bindSoon();
  }
  const std::vector<GrabOutcome> outcomes = OutcomesOf(wanted_, triggers);
  wanted_.erase(std::remove_if(wanted_.begin(), wanted_.end(),
                               [&triggers](const Combination& combination) {
                                 return triggers.count(ShortcutId(combination)) == 0;
                               }),
                wanted_.end());
  reportOutcomes(outcomes);
}

std::map<std::string, std::string> PortalShortcuts::bindInNewSession() {
  session_ = CreateSession(bus_, kGlobalShortcuts, kAnswerSeconds,
                           UserText("桌面门户未能建立全局快捷键的会话, Velmo的热键无效。",
                                    "The desktop portal could not create a global shortcuts "
                                    "session; Velmo's hotkeys do not work."));

  GVariantBuilder shortcuts;
  g_variant_builder_init(&shortcuts, G_VARIANT_TYPE("a(sa{sv})"));
  for (const Combination& combination : wanted_) {
    const std::string trigger = PreferredTrigger(combination);
    GVariantBuilder properties;
    g_variant_builder_init(&properties, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&properties, "{sv}", "description",
                          g_variant_new_string(("Velmo热键 " + trigger).c_str()));
    g_variant_builder_add(&properties, "{sv}", "preferred_trigger",
                          g_variant_new_string(trigger.c_str()));
    g_variant_builder_add(&shortcuts, "(sa{sv})", ShortcutId(combination).c_str(), &properties);
  }
  const std::string bindToken = NewToken();
  const Response bound = CallAndWait(
      bus_, kGlobalShortcuts, "BindShortcuts",
      g_variant_new("(oa(sa{sv})s@a{sv})", session_.c_str(), &shortcuts, "", RequestOptions(bindToken)),
      bindToken, kAnswerSeconds);
  std::map<std::string, std::string> triggers;
  GVariant* list = nullptr;
  if (bound.outcome != Outcome::Granted ||
      !g_variant_lookup(bound.results, "shortcuts", "@a(sa{sv})", &list))
    return triggers;
  GVariantIter iter;
  g_variant_iter_init(&iter, list);
  const gchar* id = nullptr;
  GVariant* properties = nullptr;
  while (g_variant_iter_loop(&iter, "(&s@a{sv})", &id, &properties)) {
    const gchar* description = "";
    g_variant_lookup(properties, "trigger_description", "&s", &description);
    triggers[id] = description;
  }
  g_variant_unref(list);
  return triggers;
}

void PortalShortcuts::closeSession() {
  if (session_.empty()) return;
  g_dbus_connection_call(bus_, kPortalName, session_.c_str(), "org.freedesktop.portal.Session",
                         "Close", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr,
                         nullptr);
  session_.clear();
}

void PortalShortcuts::OnActivated(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                  const gchar*, GVariant* parameters, gpointer self) {
  auto* shortcuts = static_cast<PortalShortcuts*>(self);
  const gchar* session = nullptr;
  const gchar* id = nullptr;
  g_variant_get(parameters, "(&o&sta{sv})", &session, &id, nullptr, nullptr);
  if (shortcuts->session_ != session || !shortcuts->handler_) return;
  for (const Combination& combination : shortcuts->wanted_) {
    if (ShortcutId(combination) == id) return shortcuts->handler_(combination.first,
                                                                  combination.second);
  }
}

std::unique_ptr<PortalShortcuts> OpenPortalShortcuts(std::string& error) {
  GDBusConnection* bus = ConnectToPortal("绑定热键", error);
  if (bus == nullptr) return nullptr;
  guint32 version = 0;
  if (GVariant* properties = PortalProperties(bus, kGlobalShortcuts)) {
    g_variant_lookup(properties, "version", "u", &version);
    g_variant_unref(properties);
  }
  if (version == 0) {
    error = UserText("桌面门户不提供全局快捷键 (GlobalShortcuts)。",
                     "The desktop portal offers no GlobalShortcuts.");
    g_object_unref(bus);
    return nullptr;
  }
  auto shortcuts = std::make_unique<PortalShortcuts>(bus);
  g_object_unref(bus);
  return shortcuts;
}

}  // namespace velmo::portal
