#pragma once

// Pieces for the leak soak and the message fuzzer that every control goes
// through: process-wide object counters and a seeded message generator.

#include <cstdint>
#include <string>
#include <vector>

#include "view/platform.h"

namespace viewtest {

// What a process holds that a leaking control would grow.
struct ProcessCounters {
  int gdi_objects = 0;
  int user_windows = 0;     // windows of this thread, children included
  SIZE_T private_bytes = 0;  // committed private memory
};
ProcessCounters SnapshotCounters();
std::string Describe(const ProcessCounters& c);

// Sends `count` seeded random messages to `control`: the messages it
// handles, every reflected notification, mouse and keyboard messages with
// random coordinates and keys, and random numbers below 0x10000 whose
// parameters are not pointers. Messages with pointer parameters get valid
// structures with random contents (any device context is a real one).
// Messages that would end the window's life (destroy, close, system
// commands) are never sent: the control must survive to paint afterwards.
// Returns how many were sent (fewer when the window died); `last` gets the
// message sent last, for a failure report.
int FuzzMessages(HWND control, const std::vector<UINT>& handled, int count, uint32_t seed,
                 UINT* last);

}  // namespace viewtest
