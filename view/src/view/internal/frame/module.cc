#include "view/internal/frame/module.h"

namespace view::frame {
namespace {

// Constructed while the module loads, destroyed when it unloads.
Module g_module;

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&g_module), &module);
  return module;
}

}  // namespace

Module& Module::Get() { return g_module; }

Module::Module() : instance_(ThisModule()) { InitializeCriticalSection(&lock_); }

Module::~Module() {
  for (ATOM atom : atoms_) UnregisterClassW(MAKEINTATOM(atom), instance_);
  if (actctx_ != INVALID_HANDLE_VALUE) ReleaseActCtx(actctx_);
  DeleteCriticalSection(&lock_);
}

void Module::PushPending(void* object) { pending_.push_back({object, GetCurrentThreadId()}); }

void* Module::TakePending() {
  const DWORD thread = GetCurrentThreadId();
  for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) {
    if (it->thread_id == thread) {
      void* object = it->object;
      pending_.erase(std::next(it).base());
      return object;
    }
  }
  return nullptr;
}

void Module::DropPending(void* object) {
  const DWORD thread = GetCurrentThreadId();
  for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) {
    if (it->thread_id == thread && it->object == object) {
      pending_.erase(std::next(it).base());
      return;
    }
  }
}

HANDLE Module::ActivationContext() {
  ModuleLock guard;
  if (!actctx_tried_) {
    actctx_tried_ = true;
    ACTCTXW ctx = {};
    ctx.cbSize = sizeof(ctx);
    ctx.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.hModule = instance_;
    ctx.lpResourceName = MAKEINTRESOURCEW(2);
    actctx_ = CreateActCtxW(&ctx);
  }
  return actctx_;
}

ActivationScope::ActivationScope() {
  HANDLE ctx = Module::Get().ActivationContext();
  if (ctx != INVALID_HANDLE_VALUE) active_ = ActivateActCtx(ctx, &cookie_) != FALSE;
}

ActivationScope::~ActivationScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace view::frame
