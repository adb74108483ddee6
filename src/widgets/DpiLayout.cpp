#include "widgets/DpiLayout.h"

#include <wx/bookctrl.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/statusbr.h>

#include <functional>

namespace velmo {

namespace {

// A change of scale: sizes at one DPI to sizes at another.
using Scale = std::function<wxSize(wxSize)>;

void ScaleControl(wxWindow* control, const Scale& scale) {
  const wxRect rect = control->GetRect();
  const wxSize place = scale(wxSize(rect.x, rect.y));
  control->SetSize(wxRect(wxPoint(place.x, place.y), scale(rect.GetSize())));
  if (auto* list = dynamic_cast<wxListCtrl*>(control)) {
    for (int column = 0; column < list->GetColumnCount(); ++column)
      list->SetColumnWidth(column, scale(wxSize(list->GetColumnWidth(column), 0)).x);
  }
  if (auto* picture = dynamic_cast<wxStaticBitmap*>(control)) {
    wxImage image = picture->GetBitmap().ConvertToImage();
    if (image.IsOk()) {
      const wxSize size = scale(image.GetSize());
      picture->SetBitmap(wxBitmap(image.Rescale(size.x, size.y, wxIMAGE_QUALITY_HIGH)));
    }
  }
}

void ScaleChildren(wxWindow* parent, const Scale& scale) {
  // A book places its pages itself; a frame its status bar.
  const bool pages = dynamic_cast<wxBookCtrlBase*>(parent) != nullptr;
  for (wxWindow* child : parent->GetChildren()) {
    if (child->IsTopLevel() || dynamic_cast<wxStatusBar*>(child)) continue;
    if (!pages) ScaleControl(child, scale);
    ScaleChildren(child, scale);
  }
}

// Moved to a monitor of another scale (WM_DPICHANGED), a window gets its new
// size and fonts from wx, but controls placed by position stay where they
// were: they are placed again at the new scale.
void FollowDpiChanges(wxWindow* window) {
  window->Bind(wxEVT_DPI_CHANGED, [window](wxDPIChangedEvent& event) {
    event.Skip();
    if (event.GetEventObject() != window) return;
    ScaleChildren(window, [&event](wxSize size) { return event.Scale(size); });
  });
}

}  // namespace

bool ScaledForDpi(const wxWindow* window) { return window->FromDIP(96) != 96; }

void ScaleLayoutToDpi(wxWindow* window) {
  FollowDpiChanges(window);
  if (!ScaledForDpi(window)) return;
  window->SetClientSize(window->FromDIP(window->GetClientSize()));
  ScaleChildren(window, [window](wxSize size) { return window->FromDIP(size); });
}

}  // namespace velmo
