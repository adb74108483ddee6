// The tray icon and its menu on the main window: without a tray host, and
// with `trayer` as the host.
#include <gtk/gtk.h>
#include <wx/taskbar.h>
#include <wx/utils.h>

#include "WebFixture.h"
#include "common/Texts.h"
#include "platform/gtk/GtkTrayIcon.h"

// The tray host protocol of X11 desktops is GtkStatusIcon's, deprecated in GTK 3.
G_GNUC_BEGIN_IGNORE_DEPRECATIONS

using namespace velmo;
using velmo::test::pumpUntil;
using velmo::test::WebWindowsFixture;
using Strings = std::vector<std::string>;

namespace {

std::string Utf8(const wxString& text) { return std::string(text.utf8_str()); }

bool taskbarEntryHidden(TFrm_Main* main) {
  return gtk_window_get_skip_taskbar_hint(GTK_WINDOW(main->GetHandle()));
}

// The minimise and restore notifications the window manager gives.
void iconized(TFrm_Main* main, bool minimised) {
  wxIconizeEvent event(main->GetId(), minimised);
  event.SetEventObject(main);
  main->ProcessWindowEvent(event);
}

void chooseFromMenu(MainWeb& parts, wxMenuItem* item) {
  wxCommandEvent event(wxEVT_MENU, item->GetId());
  event.SetEventObject(&parts.pm1);
  parts.pm1.ProcessEvent(event);
}

// A tray host on the test's display, started and ended by the test.
struct Trayer {
  long pid = 0;
  Trayer() {
    const char* argv[] = {"trayer", nullptr};
    pid = wxExecute(argv, wxEXEC_ASYNC);
  }
  // Leaves the display without a tray host, as the other tests expect it.
  ~Trayer() {
    if (pid > 0 && wxKill(pid, wxSIGTERM) == wxKILL_OK)
      pumpUntil([] { return !wxTaskBarIcon::IsAvailable(); });
  }
};

// Opens the menu with the right button's release on the icon and, from inside
// the menu's loop, activates `item`, as a click on it does.
class ChooseFromOpenMenu {
 public:
  ChooseFromOpenMenu(wxMenu& menu, wxMenuItem* item) : menu_(menu), item_(item) {
    timer_.Bind(wxEVT_TIMER, &ChooseFromOpenMenu::check, this);
    timer_.Start(20);
  }
  bool chosen = false;

 private:
  void check(wxTimerEvent&) {
    if (!gtk_widget_get_visible(menu_.m_menu)) return;
    timer_.Stop();
    chosen = true;
    gtk_menu_shell_activate_item(GTK_MENU_SHELL(menu_.m_menu), item_->GetMenuItem(), TRUE);
  }
  wxMenu& menu_;
  wxMenuItem* item_;
  wxTimer timer_;
};

void rightButtonReleased(GtkStatusIcon* icon) {
  GdkEvent* event = gdk_event_new(GDK_BUTTON_RELEASE);
  event->button.button = 3;
  event->button.window = GDK_WINDOW(g_object_ref(gdk_get_default_root_window()));
  gdk_event_set_device(
      event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
  gboolean handled = FALSE;
  g_signal_emit_by_name(icon, "button-release-event", &event->button, &handled);
  gdk_event_free(event);
}

}  // namespace

TEST_F(WebWindowsFixture, TrayMenuHasItsItemsAndExitAsksFirst) {
  createWeb();
  const Strings captions = {"上网导航(&D)\tCtrl+D", "更多软件(&M)\tCtrl+M", "关于(&A)\tCtrl+A",
                            "设置(&S)\tCtrl+S", "退出(&E)\tCtrl+E"};
  Strings items;
  for (wxMenuItem* item : {parts->N5, parts->N4, parts->N1, parts->N2, parts->N3})
    items.push_back(Utf8(item->GetItemLabel()));
  EXPECT_EQ(items, captions);

  chooseFromMenu(*parts, parts->N5);
  EXPECT_EQ(p.shell.opened, Strings{pages.webDirectory});

  chooseFromMenu(*parts, parts->N3);  // the fake answers No
  EXPECT_EQ(endRequests, 0);
  p.boxes.answers = {kIdYes};
  chooseFromMenu(*parts, parts->N3);
  EXPECT_EQ(endRequests, 1);
  ASSERT_EQ(p.boxes.shown.size(), 2u);
  EXPECT_EQ(p.boxes.shown[1].text, "是否确定要退出Velmo鼠标自动点击器?");
  EXPECT_EQ(p.boxes.shown[1].caption, kMainCaption);
  EXPECT_EQ(p.boxes.shown[1].flags, kMbYesNo | kMbIconInformation);
  EXPECT_EQ(p.boxes.shown[1].owner, static_cast<wxWindow*>(main));
  // The tray's exit skips the close query, so no close-time page either.
  EXPECT_FALSE(main->IsBeingDeleted());
}

TEST_F(WebWindowsFixture, WithoutTrayHostTheMinimisedProgramStaysOnTheTaskbar) {
  ASSERT_FALSE(wxTaskBarIcon::IsAvailable()) << "a tray host already runs on this display";
  createWeb();
  EXPECT_FALSE(parts->rztrycn1->rules().Enabled);
  EXPECT_EQ(dynamic_cast<GtkTrayIcon&>(*parts->rztrycn1).statusIcon(), nullptr);
  iconized(main, true);
  EXPECT_FALSE(taskbarEntryHidden(main));
}

TEST_F(WebWindowsFixture, WithTrayHostMinimisingHidesTheTaskbarEntryAndTheMenuOpensOnRightRelease) {
  Trayer trayer;
  ASSERT_GT(trayer.pid, 0) << "trayer could not be started";
  ASSERT_TRUE(pumpUntil([] { return wxTaskBarIcon::IsAvailable(); }));
  createWeb();
  auto& tray = dynamic_cast<GtkTrayIcon&>(*parts->rztrycn1);
  EXPECT_TRUE(tray.rules().Enabled);
  ASSERT_NE(tray.statusIcon(), nullptr);
  EXPECT_TRUE(pumpUntil([&] { return gtk_status_icon_is_embedded(tray.statusIcon()); }));

  iconized(main, true);
  EXPECT_TRUE(taskbarEntryHidden(main));
  iconized(main, false);
  EXPECT_FALSE(taskbarEntryHidden(main));

  p.boxes.answers = {kIdYes};
  ChooseFromOpenMenu choose(parts->pm1, parts->N3);
  rightButtonReleased(tray.statusIcon());
  EXPECT_TRUE(choose.chosen);
  EXPECT_EQ(endRequests, 1);
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text, "是否确定要退出Velmo鼠标自动点击器?");
}

G_GNUC_END_IGNORE_DEPRECATIONS
