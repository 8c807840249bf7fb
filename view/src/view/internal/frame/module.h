#pragma once

#include <vector>

#include "view/platform.h"

namespace view::frame {

// The process-wide record of the window framework: the module whose instance
// every window of the library uses, the lock over class registration and
// pending creations, the class atoms to unregister at unload, and the
// activation context (common controls 6) made from the module's manifest.
class Module {
 public:
  static Module& Get();

  HINSTANCE instance() const { return instance_; }
  CRITICAL_SECTION& lock() { return lock_; }

  // Called under the lock.
  void AddAtom(ATOM atom) { atoms_.push_back(atom); }
  void PushPending(void* object);
  // Takes the newest entry of the calling thread; null when it has none.
  void* TakePending();
  // Drops the newest entry of the calling thread for `object` (failed creation).
  void DropPending(void* object);
  size_t pending_count() const { return pending_.size(); }
  size_t atom_count() const { return atoms_.size(); }
  bool HasAtom(ATOM atom) const {
    return std::find(atoms_.begin(), atoms_.end(), atom) != atoms_.end();
  }

  // The activation context of the module's manifest (resource 2), made on
  // first use; INVALID_HANDLE_VALUE when the module carries none.
  HANDLE ActivationContext();

  Module();
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

 private:
  struct Pending {
    void* object;
    DWORD thread_id;
  };
  HINSTANCE instance_ = nullptr;
  CRITICAL_SECTION lock_;
  std::vector<ATOM> atoms_;
  std::vector<Pending> pending_;
  HANDLE actctx_ = INVALID_HANDLE_VALUE;
  bool actctx_tried_ = false;
};

class ModuleLock {
 public:
  ModuleLock() { EnterCriticalSection(&Module::Get().lock()); }
  ~ModuleLock() { LeaveCriticalSection(&Module::Get().lock()); }
  ModuleLock(const ModuleLock&) = delete;
  ModuleLock& operator=(const ModuleLock&) = delete;
};

// Activates the module's common-controls-6 context for the scope, so that
// class look-ups and window creation reach the version 6 controls.
class ActivationScope {
 public:
  ActivationScope();
  ~ActivationScope();
  ActivationScope(const ActivationScope&) = delete;
  ActivationScope& operator=(const ActivationScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

}  // namespace view::frame
