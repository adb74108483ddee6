#include "platform/sway/SwayKeyGrabber.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <iostream>

#include "common/Errors.h"
#include "platform/Platform.h"
#include "platform/sway/SwayConfig.h"
#include "platform/sway/SwayIpc.h"
#include "platform/x11/X11Keys.h"

namespace velmo::sway {

namespace {

// A word the shell sway runs the command with takes as it is.
std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string SwayCombination(unsigned modifiers, unsigned vk) {
  if ((modifiers & ~(kModAlt | kModControl)) != 0) return {};
  const KeySym sym = x11::VirtualKeyToKeySym(vk);
  const char* name = sym == NoSymbol ? nullptr : XKeysymToString(sym);
  if (name == nullptr) return {};
  std::string combination;
  if (modifiers & kModControl) combination += "Ctrl+";
  if (modifiers & kModAlt) combination += "Mod1+";
  return combination + name;
}

SwayKeyGrabber::SwayKeyGrabber(std::string socketPath, std::string program)
    : socketPath_(std::move(socketPath)), program_(std::move(program)) {}

SwayKeyGrabber::~SwayKeyGrabber() {
  for (const auto& [modifiers, vk] : bound_) {
    try {
      command("unbindsym " + SwayCombination(modifiers, vk));
    } catch (const std::exception& error) {
      std::cerr << "Velmo: " << error.what() << '\n';  // sway may have ended first
    }
  }
}

bool SwayKeyGrabber::grab(unsigned modifiers, unsigned vk) {
  const std::string combination = SwayCombination(modifiers, vk);
  if (combination.empty() || bound(modifiers, vk)) return false;
  // The user's own binding stays: taking it over would also remove it at exit.
  if (ConfigBindsCombination(SwayConfigText(socketPath_), combination)) return false;
  const std::string run = ShellQuoted(program_) + " --hotkey " + std::to_string(modifiers) + " " +
                          std::to_string(vk);
  if (!command("bindsym " + combination + " exec " + run)) return false;
  bound_.emplace_back(modifiers, vk);
  return true;
}

void SwayKeyGrabber::ungrab(unsigned modifiers, unsigned vk) {
  const auto it = std::find(bound_.begin(), bound_.end(), std::make_pair(modifiers, vk));
  if (it == bound_.end()) return;
  bound_.erase(it);
  command("unbindsym " + SwayCombination(modifiers, vk));
}

void SwayKeyGrabber::pressed(unsigned modifiers, unsigned vk) {
  if (bound(modifiers, vk) && handler_) handler_(modifiers, vk);
}

bool SwayKeyGrabber::bound(unsigned modifiers, unsigned vk) const {
  return std::find(bound_.begin(), bound_.end(), std::make_pair(modifiers, vk)) != bound_.end();
}

bool SwayKeyGrabber::command(const std::string& text) { return RunSwayCommand(socketPath_, text); }

}  // namespace velmo::sway
