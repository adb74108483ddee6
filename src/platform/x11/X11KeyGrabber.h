// Global hotkeys on X11: passive key grabs on the root window, made on a
// connection of our own so that a grab conflict and our error trap never
// touch the toolkit's connection.
#pragma once

#include <memory>
#include <vector>

#include "platform/KeyGrabber.h"
#include "platform/glib/FdSource.h"
#include "platform/x11/X11Display.h"

namespace velmo::x11 {

class X11KeyGrabber : public KeyGrabber {
 public:
  // Takes over `display`; presses are delivered by the default GLib main
  // context. Throws AppError when the keyboard's modifier map is unreadable.
  explicit X11KeyGrabber(DisplayPtr display);
  ~X11KeyGrabber() override;

  // Grabs the combination under every combination of CapsLock, NumLock and
  // ScrollLock. Refused (nothing left grabbed) when another client holds any
  // of them, when the key has no key code on this keyboard, when the
  // modifiers hold more than kModAlt | kModControl, or when this grabber
  // already holds it.
  bool grab(unsigned modifiers, unsigned vk) override;
  void ungrab(unsigned modifiers, unsigned vk) override;
  void setPressHandler(PressHandler handler) override;

 private:
  struct Grab {
    unsigned modifiers;  // MOD_* flags as asked
    unsigned vk;
    unsigned mask;  // X modifier mask
    KeyCode code;   // 0 while the key has no key code (after a remap)
  };

  bool grabKey(KeyCode code, unsigned mask);
  void ungrabKey(KeyCode code, unsigned mask);
  std::vector<Grab>::iterator find(unsigned modifiers, unsigned vk);
  void drain();
  void onKeyPress(const XKeyEvent& event);
  void onMappingChange(XMappingEvent& event);
  void regrabAll();

  DisplayPtr display_;
  Window root_;
  unsigned lockMasks_ = 0;
  std::vector<Grab> grabs_;
  PressHandler handler_;
  std::unique_ptr<FdSource> source_;
};

}  // namespace velmo::x11
