#pragma once

// Pieces for the leak soak and the message fuzzer that every control goes
// through: process-wide object counters and a seeded message generator.

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
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

// How a fuzzed control is made and what it answers. `create` returns the
// control's window inside `host`; `destroy` destroys the window and the
// wrapper. `handled` lists the messages the control handles itself.
struct ControlDriver {
  std::string name;
  std::function<HWND(HWND host)> create;
  std::function<void()> destroy;
  std::vector<UINT> handled;
  bool paints = true;  // whether it paints its client area on request
  // The bare standard control the library's control sits on, where the
  // platform's own memory use is the soak's baseline.
  std::shared_ptr<ControlDriver> platform_baseline;
};

// Parameterised tests print a driver by its name.
inline void PrintTo(const ControlDriver& driver, std::ostream* os) { *os << driver.name; }

// Sends `count` seeded random messages to `control`: the messages it
// handles, every reflected notification, mouse and keyboard messages with
// random coordinates and keys, and random numbers below 0x10000 whose
// parameters are not pointers. Messages with pointer parameters get valid
// structures with random contents (any device context is a real one).
// Messages that would end the window's life (destroy, close, system
// commands) are never sent: the control must survive to paint afterwards.
class MessageFuzzer {
 public:
  explicit MessageFuzzer(uint32_t seed);
  ~MessageFuzzer();
  MessageFuzzer(const MessageFuzzer&) = delete;
  MessageFuzzer& operator=(const MessageFuzzer&) = delete;

  // Returns how many messages were sent. Stops early when the window died.
  int Run(HWND control, const std::vector<UINT>& handled, int count);
  // The message sent last (for a failure report).
  UINT last_message() const { return last_; }

 private:
  void SendOne(HWND control, const std::vector<UINT>& handled);
  void Send(HWND control, UINT msg, WPARAM wparam, LPARAM lparam);
  void SendWithStruct(HWND control, UINT msg);
  WPARAM RandomParam();
  LPARAM RandomPoint(HWND control);

  std::mt19937 rng_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  UINT last_ = 0;
};

// True for messages the fuzzer never sends as plain numbers, since their
// parameters are pointers or they end the window's life.
bool IsUnsafeForRandomParameters(UINT msg);

// Brings a fuzzed control back to a visible, enabled, redrawing state.
void RestoreControl(HWND control, const RECT& rect_in_parent);

}  // namespace viewtest
