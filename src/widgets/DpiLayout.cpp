#include "widgets/DpiLayout.h"

#include <wx/bookctrl.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/statusbr.h>

namespace velmo {

namespace {

wxRect Scaled(const wxWindow* window, const wxRect& rect) {
  return wxRect(window->FromDIP(rect.GetPosition()), window->FromDIP(rect.GetSize()));
}

void ScaleControl(wxWindow* control) {
  control->SetSize(Scaled(control, control->GetRect()));
  if (auto* list = dynamic_cast<wxListCtrl*>(control)) {
    for (int column = 0; column < list->GetColumnCount(); ++column)
      list->SetColumnWidth(column, list->FromDIP(list->GetColumnWidth(column)));
  }
  if (auto* picture = dynamic_cast<wxStaticBitmap*>(control)) {
    wxImage image = picture->GetBitmap().ConvertToImage();
    if (image.IsOk()) {
      const wxSize size = picture->FromDIP(image.GetSize());
      picture->SetBitmap(wxBitmap(image.Rescale(size.x, size.y, wxIMAGE_QUALITY_HIGH)));
    }
  }
}

void ScaleChildren(wxWindow* parent) {
  // A book places its pages itself; a frame its status bar.
  const bool pages = dynamic_cast<wxBookCtrlBase*>(parent) != nullptr;
  for (wxWindow* child : parent->GetChildren()) {
    if (child->IsTopLevel() || dynamic_cast<wxStatusBar*>(child)) continue;
    if (!pages) ScaleControl(child);
    ScaleChildren(child);
  }
}

}  // namespace

bool ScaledForDpi(const wxWindow* window) { return window->FromDIP(96) != 96; }

void ScaleLayoutToDpi(wxWindow* window) {
  if (!ScaledForDpi(window)) return;
  window->SetClientSize(window->FromDIP(window->GetClientSize()));
  ScaleChildren(window);
}

}  // namespace velmo
