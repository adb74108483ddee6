// Guards that undo something when a scope ends, by an error too.
#pragma once

#include <utility>

namespace velmo {

// Calls `onExit` once the scope ends.
template <class F>
class ScopeExit {
 public:
  explicit ScopeExit(F onExit) : onExit_(std::move(onExit)) {}
  ~ScopeExit() { onExit_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F onExit_;
};

// Holds `flag` set for the scope's life.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace velmo
