// Clicks watched through the RECORD extension: the server copies every button
// and key press to a connection of ours without grabbing anything, so each
// click still reaches its window. The copies arrive asynchronously; a GLib
// timeout on the main context collects them.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/record.h>
#include <glib.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/ClickRecorder.h"
#include "platform/x11/X11Display.h"

namespace velmo::x11 {

class X11Recorder : public ClickRecorder {
 public:
  // `doubleClickTime` asks the toolkit for its setting.
  explicit X11Recorder(std::function<int()> doubleClickTime);
  ~X11Recorder() override;
  X11Recorder(const X11Recorder&) = delete;
  X11Recorder& operator=(const X11Recorder&) = delete;

  bool start(const std::vector<EndKey>& endKeys, std::function<void(MousePress)> pressed,
             std::function<void()> ended, std::string& error) override;
  void stop() override;
  int doubleClickTimeMs() override { return doubleClickTime_(); }

 private:
  struct Key {
    unsigned keycode;
    unsigned mask;
  };
  struct Context;  // the extension's context on its two connections

  static gboolean poll(gpointer self);
  static void intercepted(XPointer self, XRecordInterceptData* data);
  void seen(int type, unsigned detail, unsigned state, MousePress press);
  void watchKeys(Display* display, const std::vector<EndKey>& endKeys);

  std::function<int()> doubleClickTime_;
  std::unique_ptr<Context> context_;
  std::vector<Key> endKeys_;
  std::function<void(MousePress)> pressed_;
  std::function<void()> ended_;
  std::vector<MousePress> arrived_;
  bool endKeySeen_ = false;
  guint timeout_ = 0;
};

}  // namespace velmo::x11
