#pragma once

// view::ExclusiveGroup: switch buttons, tiles or check-style section buttons
// of which at most one is latched. A click, Space or arrow key that latches
// one releases the others (each repaints), raises one selection event for
// assistive tools and calls the group's callback once with the index of
// the latched button (its order of Add). Buttons not in a group keep
// today's behaviour: the application releases them itself.
//
// The group holds wrappers: a button destroyed before its group, or a group
// destroyed before its buttons, leaves nothing behind. A button added to a
// second group leaves the first. The parent must reflect notifications to
// the buttons (view::ReflectNotification), as for every control.

#include <functional>

#include "view/export.h"
#include "view/zu_section_button.h"
#include "view/zu_switch_button.h"
#include "view/zu_switch_image_button.h"

namespace view {

class VIEW_API ExclusiveGroup {
 public:
  ExclusiveGroup();
  ~ExclusiveGroup();
  ExclusiveGroup(const ExclusiveGroup&) = delete;
  ExclusiveGroup& operator=(const ExclusiveGroup&) = delete;

  // Adds a button (before or after its window exists); returns its index,
  // or -1 for an empty wrapper or a button already in this group.
  int Add(const ZuSwitchButton& button);
  int Add(const ZuSwitchImageButton& tile);
  int Add(const ZuSectionButton& section);
  // Called with the index of the button that latched.
  void SetCallback(const std::function<void(int)>& callback);
  // The index of the latched button, or -1.
  int Latched() const;

 private:
  class State;
  State* state_;
};

}  // namespace view
