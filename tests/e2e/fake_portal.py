"""A desktop's portal backend for the tests: RemoteDesktop and ScreenCast as
the portal frontend asks them of a desktop, with two monitors side by side
(1024x768 at 0,0 as stream 41 and 800x600 at 1024,0 as stream 42). Every
pointer call is written as a line to the log file its first argument names.

It also binds global shortcuts, giving each its preferred trigger in the
desktop's own words ("CTRL+F3" becomes "Ctrl+F3"), and logs each binding.

FAKE_PORTAL_REFUSE=1: the user refuses the session as it starts.
FAKE_PORTAL_REFUSE_TRIGGER=CTRL+F3: the user refuses the shortcut asking for it.
SIGUSR1: the desktop ends every session (the user revokes the consent).
The bus name org.velmotest.Control has Activate(trigger): the user presses the
shortcut bound to that trigger; it answers the shortcut's id, or "" if none.
"""

import os
import signal
import sys

from gi.repository import Gio, GLib

BUS_NAME = "org.freedesktop.impl.portal.desktop.velmotest"
STREAMS = [(41, (0, 0), (1024, 768)), (42, (1024, 0), (800, 600))]

XML = """<node>
<interface name="org.freedesktop.impl.portal.RemoteDesktop">
  <method name="CreateSession"><arg type="o" direction="in"/><arg type="o" direction="in"/>
    <arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="u" direction="out"/><arg type="a{sv}" direction="out"/></method>
  <method name="SelectDevices"><arg type="o" direction="in"/><arg type="o" direction="in"/>
    <arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="u" direction="out"/><arg type="a{sv}" direction="out"/></method>
  <method name="Start"><arg type="o" direction="in"/><arg type="o" direction="in"/>
    <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="u" direction="out"/><arg type="a{sv}" direction="out"/></method>
  <method name="NotifyPointerMotionAbsolute"><arg type="o" direction="in"/>
    <arg type="a{sv}" direction="in"/><arg type="u" direction="in"/>
    <arg type="d" direction="in"/><arg type="d" direction="in"/></method>
  <method name="NotifyPointerButton"><arg type="o" direction="in"/>
    <arg type="a{sv}" direction="in"/><arg type="i" direction="in"/>
    <arg type="u" direction="in"/></method>
  <property name="AvailableDeviceTypes" type="u" access="read"/>
  <property name="version" type="u" access="read"/>
</interface>
<interface name="org.freedesktop.impl.portal.GlobalShortcuts">
  <method name="CreateSession"><arg type="o" direction="in"/><arg type="o" direction="in"/>
    <arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="u" direction="out"/><arg type="a{sv}" direction="out"/></method>
  <method name="BindShortcuts"><arg type="o" direction="in"/><arg type="o" direction="in"/>
    <arg type="a(sa{sv})" direction="in"/><arg type="s" direction="in"/>
    <arg type="a{sv}" direction="in"/>
    <arg type="u" direction="out"/><arg type="a{sv}" direction="out"/></method>
  <signal name="Activated"><arg type="o"/><arg type="s"/><arg type="t"/><arg type="a{sv}"/></signal>
  <property name="version" type="u" access="read"/>
</interface>
<interface name="org.freedesktop.impl.portal.ScreenCast">
  <method name="CreateSession"><arg type="o" direction="in"/><arg type="o" direction="in"/>
    <arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="u" direction="out"/><arg type="a{sv}" direction="out"/></method>
  <method name="SelectSources"><arg type="o" direction="in"/><arg type="o" direction="in"/>
    <arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="u" direction="out"/><arg type="a{sv}" direction="out"/></method>
  <method name="Start"><arg type="o" direction="in"/><arg type="o" direction="in"/>
    <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="u" direction="out"/><arg type="a{sv}" direction="out"/></method>
  <property name="AvailableSourceTypes" type="u" access="read"/>
  <property name="AvailableCursorModes" type="u" access="read"/>
  <property name="version" type="u" access="read"/>
</interface>
</node>"""

CONTROL_NAME = "org.velmotest.Control"
CONTROL_XML = """<node><interface name="org.velmotest.Control">
  <method name="Activate"><arg type="s" direction="in"/><arg type="s" direction="out"/></method>
</interface></node>"""

SESSION_XML = """<node><interface name="org.freedesktop.impl.portal.Session">
  <method name="Close"/><signal name="Closed"/>
  <property name="version" type="u" access="read"/>
</interface></node>"""

PROPERTIES = {"AvailableDeviceTypes": 3, "AvailableSourceTypes": 1, "AvailableCursorModes": 1,
              "version": 1}


def desktop_words(trigger):
    return trigger.replace("CTRL", "Ctrl").replace("ALT", "Alt")


class Backend:
    def __init__(self, log_path):
        self.log = open(log_path, "a", buffering=1)
        self.sessions = {}  # session path: registration id
        self.shortcuts = {}  # session path: {preferred trigger: shortcut id}
        self.bus = None

    def note(self, line):
        self.log.write(line + "\n")

    def start_results(self):
        if os.environ.get("FAKE_PORTAL_REFUSE") == "1":
            self.note("refused")
            return 1, {}
        streams = [(node, {"position": GLib.Variant("(ii)", pos), "size": GLib.Variant("(ii)", size),
                           "source_type": GLib.Variant("u", 1)}) for node, pos, size in STREAMS]
        self.note("started")
        return 0, {"devices": GLib.Variant("u", 2),
                   "streams": GLib.Variant("a(ua{sv})", streams)}

    def call(self, bus, sender, path, interface, method, args, invocation):
        args = args.unpack()
        if method == "CreateSession":
            session = args[1]
            if session not in self.sessions:
                self.sessions[session] = bus.register_object(
                    session, Gio.DBusNodeInfo.new_for_xml(SESSION_XML).interfaces[0],
                    self.session_call, self.get_property, None)
            answer = (0, {"session_id": GLib.Variant("s", session)})
        elif method == "BindShortcuts":
            answer = self.bind(args[1], args[2])
        elif method == "Start":
            answer = self.start_results()
        elif method in ("SelectDevices", "SelectSources"):
            self.note(f"{method} " + " ".join(f"{k}={v}" for k, v in sorted(args[3].items())))
            answer = (0, {})
        else:
            self.note(f"{method} " + " ".join(str(a) for a in args[2:]))
            invocation.return_value(None)
            return
        invocation.return_value(GLib.Variant("(ua{sv})", answer))

    def bind(self, session, shortcuts):
        refused = os.environ.get("FAKE_PORTAL_REFUSE_TRIGGER")
        self.note("BindShortcuts " + " ".join(sorted(props["preferred_trigger"]
                                                          for _, props in shortcuts)))
        self.shortcuts[session] = {}
        bound = []
        for id, props in shortcuts:
            trigger = props["preferred_trigger"]
            if trigger != refused:
                self.shortcuts[session][trigger] = id
                words = GLib.Variant("s", desktop_words(trigger))
                bound.append((id, {"description": GLib.Variant("s", props["description"]),
                                   "trigger_description": words}))
        return 0, {"shortcuts": GLib.Variant("a(sa{sv})", bound)}

    def activate(self, trigger):
        for session, bound in self.shortcuts.items():
            if trigger in bound:
                self.bus.emit_signal(None, "/org/freedesktop/portal/desktop",
                                     "org.freedesktop.impl.portal.GlobalShortcuts", "Activated",
                                     GLib.Variant("(osta{sv})", (session, bound[trigger], 0, {})))
                return bound[trigger]
        return ""

    def control_call(self, bus, sender, path, interface, method, args, invocation):
        invocation.return_value(GLib.Variant("(s)", (self.activate(args.unpack()[0]),)))

    def session_call(self, bus, sender, path, interface, method, args, invocation):
        self.note("closed by the client")
        bus.unregister_object(self.sessions.pop(path))
        self.shortcuts.pop(path, None)
        invocation.return_value(None)

    def get_property(self, bus, sender, path, interface, name):
        return GLib.Variant("u", PROPERTIES[name])

    def end_sessions(self):
        for path, registration in list(self.sessions.items()):
            self.bus.emit_signal(None, path, "org.freedesktop.impl.portal.Session", "Closed", None)
            self.bus.unregister_object(registration)
        self.sessions.clear()
        self.shortcuts.clear()
        self.note("sessions ended")
        return GLib.SOURCE_CONTINUE

    def acquired(self, bus, name):
        self.bus = bus
        for interface in Gio.DBusNodeInfo.new_for_xml(XML).interfaces:
            bus.register_object("/org/freedesktop/portal/desktop", interface, self.call,
                                self.get_property, None)
        bus.register_object("/", Gio.DBusNodeInfo.new_for_xml(CONTROL_XML).interfaces[0],
                            self.control_call, None, None)


def main():
    backend = Backend(sys.argv[1])
    loop = GLib.MainLoop()
    Gio.bus_own_name(Gio.BusType.SESSION, CONTROL_NAME, Gio.BusNameOwnerFlags.NONE, None, None,
                     None)
    Gio.bus_own_name(Gio.BusType.SESSION, BUS_NAME, Gio.BusNameOwnerFlags.NONE, backend.acquired,
                     lambda bus, name: print("ready", flush=True), lambda bus, name: loop.quit())
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, backend.end_sessions)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
    loop.run()


if __name__ == "__main__":
    main()
