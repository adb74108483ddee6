// The portal's request pattern made synchronous: a method that answers with
// a Request object, whose Response signal carries the outcome, waited for by
// running the default main context until it comes.
#pragma once

#include <gio/gio.h>

#include <string>

namespace velmo::portal {

constexpr const char* kPortalName = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";

// The Response's code: granted, refused by the user, failed otherwise.
enum class Outcome { Granted = 0, Refused = 1, Failed = 2 };

struct Response {
  Outcome outcome = Outcome::Failed;
  GVariant* results = nullptr;  // a{sv}, owned; nullptr unless granted
  Response() = default;
  Response(Response&& other) noexcept : outcome(other.outcome), results(other.results) {
    other.results = nullptr;
  }
  Response& operator=(Response&&) = delete;
  ~Response() {
    if (results) g_variant_unref(results);
  }
};

// The session bus (a new reference), or nullptr with the user's message in
// `error`, saying what the portal was wanted for (`doing`: "点击"). The
// first time, portals from 1.19 on are told which program this is (the
// desktop entry's name): they ask a program that runs outside a sandbox for
// that before its first call of any portal. Older portals have no registry.
GDBusConnection* ConnectToPortal(const std::string& doing, std::string& error);

// The properties of the portal's `interface` (a{sv}, owned), or nullptr where
// it has none. Asking starts the portal where the bus starts it on demand.
GVariant* PortalProperties(GDBusConnection* bus, const char* interface);

// A token for a request or session handle, unique in this process.
std::string NewToken();

// Options holding only handle_token = `token` (floating).
GVariant* RequestOptions(const std::string& token);

// Creates a session of the portal's `interface` and returns its handle.
// Throws AppError with `failure` when the portal does not create one.
std::string CreateSession(GDBusConnection* bus, const char* interface, int timeoutSeconds,
                          const std::string& failure);

// Calls `method` of `interface` on the portal with `parameters` (floating;
// their options hold handle_token = `token`) and waits at most
// `timeoutSeconds` for its Response, handling other events meanwhile.
// Throws AppError when the call fails or no answer comes in time.
Response CallAndWait(GDBusConnection* bus, const char* interface, const char* method,
                     GVariant* parameters, const std::string& token, int timeoutSeconds);

}  // namespace velmo::portal
