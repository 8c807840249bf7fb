// Utils: window and string conveniences and the frame delays of animated images.

#include "view/utils.h"

#include <shlwapi.h>

#include <limits>

#include "view/internal/drawing/drawing_math.h"

const char Utils::kEmptyString[] = "";

RECT Utils::GetWindowRelativeRect(HWND wnd) {
  RECT rect = {0, 0, 0, 0};
  ::GetWindowRect(wnd, &rect);
  const HWND parent = ::GetParent(wnd);
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  if (::ScreenToClient(parent, &corners[0])) {
    ::ScreenToClient(parent, &corners[1]);
    rect.left = corners[0].x;
    rect.top = corners[0].y;
    rect.right = corners[1].x;
    rect.bottom = corners[1].y;
  }
  return rect;
}

int Utils::GetWindowScrollBarThumbWidth(HWND wnd) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  ::GetScrollBarInfo(wnd, OBJID_VSCROLL, &info);
  if (info.dxyLineButton != 0) return info.dxyLineButton;
  // A hidden bar reports no button size: show it for the measurement.
  ::ShowScrollBar(wnd, SB_VERT, TRUE);
  info = SCROLLBARINFO{};
  info.cbSize = sizeof(info);
  ::GetScrollBarInfo(wnd, OBJID_VSCROLL, &info);
  ::ShowScrollBar(wnd, SB_VERT, FALSE);
  return info.dxyLineButton;
}

std::wstring Utils::GetEditValue(HWND wnd) {
  const int length = ::GetWindowTextLengthW(wnd);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(wnd, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, std::min(copied, length))));
  return text;
}

std::wstring Utils::GetDllModuleDir(HINSTANCE module) {
  // A buffer per call (not one shared by the process), so calls may overlap.
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(module, path, MAX_PATH);
  path[MAX_PATH - 1] = L'\0';
  ::PathRemoveFileSpecW(path);
  std::wstring directory(path);
  directory += L'\\';
  return directory;
}

const char* Utils::NullToEmpty(const char* s) { return s != nullptr ? s : kEmptyString; }

bool Utils::StoreGifInternal(Gdiplus::Bitmap* image, std::vector<long>& delays) {
  if (image == nullptr) return false;
  const UINT dimensions = image->GetFrameDimensionsCount();
  UINT frames = 0;
  if (dimensions > 0) {
    std::vector<GUID> ids(dimensions);
    image->GetFrameDimensionsList(ids.data(), dimensions);
    frames = image->GetFrameCount(&ids[0]);
  }
  if (frames == 1) return false;

  // The frame-delay property: an array of 32-bit delays in hundredths of a
  // second. Frames that it does not cover get a delay of 0.
  const UINT size = image->GetPropertyItemSize(PropertyTagFrameDelay);
  std::vector<unsigned long long> buffer((size + sizeof(unsigned long long) - 1) /
                                         sizeof(unsigned long long));
  const UINT32* values = nullptr;
  UINT value_count = 0;
  if (size >= sizeof(Gdiplus::PropertyItem)) {
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (image->GetPropertyItem(PropertyTagFrameDelay, size, item) == Gdiplus::Ok &&
        item->value != nullptr) {
      values = static_cast<const UINT32*>(item->value);
      value_count = item->length / sizeof(UINT32);
    }
  }
  for (UINT i = 0; i < frames; ++i) {
    const long long hundredths = i < value_count ? values[i] : 0;
    const long long ms = hundredths * 10;
    delays.push_back(ms > std::numeric_limits<long>::max() ? std::numeric_limits<long>::max()
                                                           : static_cast<long>(ms));
  }
  return true;
}

long Utils::NextActiveFrameInternal(Gdiplus::Bitmap* image, int& index,
                                    std::vector<long>& delays) {
  if (delays.empty()) return 0;
  index = view::internal::NextFrameIndex(index, delays.size());
  if (image != nullptr) image->SelectActiveFrame(&Gdiplus::FrameDimensionTime, static_cast<UINT>(index));
  return delays[static_cast<std::size_t>(index)];
}
