#pragma once

#include "view/platform.h"

namespace view::frame {

class LatchGroup;

// A button that can stay latched (a switch button in radio mode, a tile, a
// section button with the check style). Latching buttons answer BM_GETCHECK
// and say DLGC_RADIOBUTTON, so that the keys below know them.
class Latchable {
 public:
  virtual ~Latchable();
  // Whether the button latches in its present mode, and whether it is
  // latched now.
  virtual bool Latches() const = 0;
  virtual bool IsLatched() const = 0;
  // Releases the latch and repaints.
  virtual void Unlatch() = 0;
  virtual HWND LatchWindow() const = 0;

  // The group the button is in (null: none); the group sets and clears it.
  LatchGroup* group_ = nullptr;
};

// What an exclusive group does when one of its buttons latches.
class LatchGroup {
 public:
  virtual void Latched(Latchable* member) = 0;

 protected:
  ~LatchGroup() = default;
};

// The keys and questions of a grouped button, before its own handling:
// arrows move the focus to the previous or next usable sibling within the
// WS_GROUP group (never past its edge) and click that one when it latches
// and is not latched yet; a reflected click that leaves the button latched
// tells its group. Returns whether `msg` was consumed.
bool HandleLatchMessages(Latchable& button, HWND wnd, UINT msg, WPARAM wparam,
                         LRESULT& result);

// The usable (visible, enabled) sibling before or after `wnd` in its
// WS_GROUP group, or null at the group's edge.
HWND GroupNeighbour(HWND wnd, bool forward);

}  // namespace view::frame
