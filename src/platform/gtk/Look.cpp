#include "platform/gtk/Look.h"

#include <gtk/gtk.h>

namespace velmo {

namespace {
constexpr const char* kCss = R"css(
* { font-family: "WenQuanYi Micro Hei"; font-size: 9pt; }
button { padding: 0 4px; min-height: 0; min-width: 0; }
entry { padding: 0 3px; min-height: 0; }
combobox button, combobox entry { padding: 0 2px; min-height: 0; min-width: 0; }
combobox arrow { min-height: 16px; min-width: 16px; -gtk-icon-transform: scale(0.75); }
notebook tab { padding: 4px 10px; min-height: 0; }
checkbutton, radiobutton { padding: 0; min-height: 0; }
check, radio { min-height: 12px; min-width: 12px; margin: 0 3px 0 0; }
treeview.view { padding: 0 2px; }
statusbar { padding: 0; margin: 0; min-height: 0; }
)css";

// Emission hook on "realize": the arrow button of a drop-down list with an
// entry takes no focus.
gboolean ArrowTakesNoFocus(GSignalInvocationHint*, guint, const GValue* params, gpointer) {
  GtkWidget* widget = GTK_WIDGET(g_value_get_object(&params[0]));
  if (GTK_IS_TOGGLE_BUTTON(widget)) {
    GtkWidget* combo = gtk_widget_get_ancestor(widget, GTK_TYPE_COMBO_BOX);
    if (combo && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(combo)))
      gtk_widget_set_can_focus(widget, FALSE);
  }
  return TRUE;  // stays for every later widget
}

}  // namespace

void KeepOneTabStopPerComboBox() {
  g_type_class_unref(g_type_class_ref(GTK_TYPE_WIDGET));  // its signals exist from here on
  g_signal_add_emission_hook(g_signal_lookup("realize", GTK_TYPE_WIDGET), 0, ArrowTakesNoFocus,
                             nullptr, nullptr);
}

void ApplyCompactLook() {
  GtkCssProvider* provider = gtk_css_provider_new();
  if (gtk_css_provider_load_from_data(provider, kCss, -1, nullptr)) {
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  }
  g_object_unref(provider);
  // GTK 3 hides the images of menu items unless told to show them; the tray
  // menu's items carry images.
  g_object_set(gtk_settings_get_default(), "gtk-menu-images", TRUE, nullptr);
}

}  // namespace velmo
