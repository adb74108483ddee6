// The forced version check run whenever the main window's update strip
// completes a document, and the two page values that decide the close-time
// page. The check works on whatever page is loaded: where the strip navigates
// is the caller's business (UpdatePageAddress() in the program).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/Texts.h"
#include "platform/Platform.h"

namespace velmo {

// Named values defined by the loaded page's script, as text. Each read starts
// afresh from the browser (control, document, script, name). nullopt: the page
// does not define the name.
class PageValues {
 public:
  virtual ~PageValues() = default;
  virtual std::optional<std::string> read(const std::string& name) = 0;
};

// Program-wide texts taken over from the update page, empty at start.
struct ClosePageState {
  std::string is_pop;   // exactly "1" asks for the close-time page
  std::string app_pop;  // its address
};

// An http:// or https:// address (scheme in any case) with a host, and no
// blank or control character anywhere. Only such addresses that come from a
// page are ever opened: anything else could name a local program or file.
bool IsWebAddress(const std::string& text);

// Whether closing the main window first shows the close-time page.
bool WantsClosePage(const ClosePageState& state);

// Reads app_version, app_hp, app_url, is_icon, is_pop, app_pop in this order;
// is_pop and app_pop go into `state` as soon as each is read. A missing name
// ends the check there. A version other than kProgramVersion asks the user
// (owner `mainWindow`): Yes opens app_url when IsWebAddress, any other answer
// opens the maker's update page; then endApplication() whatever the answer.
// Every failure inside is swallowed: the check must never stop the program.
void RunUpdateCheck(PageValues& page, ClosePageState& state, MessageBoxes& boxes,
                    WindowRef mainWindow, Shell& shell,
                    const std::function<void()>& endApplication);

}  // namespace velmo
