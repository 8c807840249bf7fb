#include "view/groups.h"

#include <vector>

#include "view/internal/controls/bas_switch_button.h"
#include "view/internal/controls/bas_switch_image_button.h"
#include "view/internal/controls/zu_section_img_button.h"
#include "view/internal/frame/accessible.h"

namespace view {

class ExclusiveGroup::State final : public frame::LatchGroup {
 public:
  ~State() {
    for (Member& member : members_) Leave(member);
  }

  int Add(frame::WindowImpl* impl, frame::Latchable* button) {
    if (impl == nullptr || impl->inert() || button == nullptr || button->group_ == this) {
      return -1;
    }
    // A button in another group leaves it first.
    if (button->group_ != nullptr) static_cast<State*>(button->group_)->Remove(button);
    impl->WrapperAcquire();
    button->group_ = this;
    members_.push_back({impl, button});
    return static_cast<int>(members_.size()) - 1;
  }

  void Latched(frame::Latchable* latched) override {
    int index = -1;
    for (size_t i = 0; i < members_.size(); ++i) {
      frame::Latchable* button = members_[i].button;
      if (button == latched) {
        index = static_cast<int>(i);
      } else if (button != nullptr && button->IsLatched()) {
        button->Unlatch();
      }
    }
    if (index < 0) return;
    if (HWND wnd = latched->LatchWindow()) frame::NotifyAccessible(EVENT_OBJECT_SELECTION, wnd);
    if (callback_) {
      const std::function<void(int)> callback = callback_;  // may replace itself
      callback(index);
    }
  }

  int LatchedIndex() const {
    for (size_t i = 0; i < members_.size(); ++i) {
      if (members_[i].button != nullptr && members_[i].button->IsLatched()) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }

  std::function<void(int)> callback_;

 private:
  struct Member {
    frame::WindowImpl* impl;    // a wrapper's reference: outlives the window
    frame::Latchable* button;   // null once the button left for another group
  };

  void Leave(Member& member) {
    if (member.button == nullptr) return;
    member.button->group_ = nullptr;
    member.button = nullptr;
    frame::ReleaseImpl(member.impl);
    member.impl = nullptr;
  }

  // The button's slot stays (indexes do not shift) but is empty.
  void Remove(frame::Latchable* button) {
    for (Member& member : members_) {
      if (member.button == button) Leave(member);
    }
  }

  std::vector<Member> members_;
};

ExclusiveGroup::ExclusiveGroup() : state_(new State()) {}
ExclusiveGroup::~ExclusiveGroup() { delete state_; }

int ExclusiveGroup::Add(const ZuSwitchButton& button) {
  return state_->Add(button.impl_, button.impl_);
}
int ExclusiveGroup::Add(const ZuSwitchImageButton& tile) {
  return state_->Add(tile.impl_, tile.impl_);
}
int ExclusiveGroup::Add(const ZuSectionButton& section) {
  return state_->Add(section.impl_, section.impl_);
}
void ExclusiveGroup::SetCallback(const std::function<void(int)>& callback) {
  state_->callback_ = callback;
}
int ExclusiveGroup::Latched() const { return state_->LatchedIndex(); }

}  // namespace view
