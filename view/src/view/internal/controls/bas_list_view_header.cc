#include "view/internal/controls/bas_list_view_header.h"

#include <memory>

#include "view/internal/drawing/palette_image.h"
#include "view/internal/frame/dpi.h"
#include "view/internal/frame/paint_buffers.h"
#include "view/internal/frame/scoped.h"
#include "view/utils.h"

namespace view::internal {

RECT HeaderCheckBoxRect(const RECT& client, int image_width, int image_height, float scale) {
  const int left = frame::DpiScaleInt(5, scale);
  const int width = frame::DpiScaleInt(image_width, scale);
  const int height = frame::DpiScaleInt(image_height, scale);
  const int top = client.top + (client.bottom - client.top - height) / 2;
  return RECT{left, top, left + width, top + height};
}

bool HeaderCheckBoxHitX(int x, int image_width, float scale) {
  const int left = frame::DpiScaleInt(5, scale);
  return x >= left && x <= left + frame::DpiScaleInt(image_width, scale);
}

}  // namespace view::internal

using view::frame::ColorRole;

int BASListViewHeader::Scaled(int v) const { return view::frame::DpiScaleInt(v, scale_); }

bool BASListViewHeader::ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                             LRESULT& result, DWORD) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (OnClick(lparam)) {
        result = 0;
        return true;
      }
      break;
    case view::frame::OCM_NOTIFY_: {
      auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(lparam);
      if (cd == nullptr || cd->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW)) break;
      ++custom_draws_seen_;
      switch (cd->dwDrawStage) {
        case CDDS_PREPAINT:
        case CDDS_POSTPAINT:
        case CDDS_PREERASE:
        case CDDS_POSTERASE:
        case CDDS_ITEMPREPAINT:
        case CDDS_ITEMPOSTPAINT:
        case CDDS_ITEMPREERASE:
        case CDDS_ITEMPOSTERASE:
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
          result = static_cast<LRESULT>(ProcessCustomDraw(cd));
          return true;
        default:
          result = 0;
          return false;
      }
    }
    default:
      break;
  }
  return view::frame::DefaultReflectionHandler(wnd, msg, wparam, lparam, result);
}

DWORD BASListViewHeader::OnPrePaint(NMCUSTOMDRAW* cd) {
  if (cd->hdc == nullptr || view::frame::CurrentPaletteKind() != view::frame::PaletteKind::kDark) {
    return CDRF_NOTIFYPOSTPAINT;
  }
  // The part right of the last item is the header's too (and is filled again
  // after the platform paints it, at the post-paint stage).
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  view::frame::FillSolidRect(cd->hdc, client, view::frame::PaletteColor(ColorRole::kHeader));
  return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
}

DWORD BASListViewHeader::OnItemPrePaint(NMCUSTOMDRAW* cd) {
  if (cd->hdc == nullptr || view::frame::CurrentPaletteKind() != view::frame::PaletteKind::kDark) {
    return CDRF_DODEFAULT;
  }
  const view::frame::Palette& palette = view::frame::DarkPalette();
  RECT item = cd->rc;
  view::frame::FillSolidRect(cd->hdc, item, palette[ColorRole::kHeader]);
  const RECT divider = {item.right - Scaled(1), item.top, item.right, item.bottom};
  view::frame::FillSolidRect(cd->hdc, divider, palette[ColorRole::kGrid]);
  wchar_t title[256] = {};
  HDITEMW info = {};
  info.mask = HDI_TEXT;
  info.pszText = title;
  info.cchTextMax = static_cast<int>(sizeof(title) / sizeof(title[0]));
  ::SendMessageW(m_hWnd, HDM_GETITEMW, cd->dwItemSpec, reinterpret_cast<LPARAM>(&info));
  const view::frame::SaveDcScope saved(cd->hdc);
  ::SelectObject(cd->hdc, reinterpret_cast<HGDIOBJ>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
  ::SetBkMode(cd->hdc, TRANSPARENT);
  ::SetTextColor(cd->hdc, palette[ColorRole::kHeaderText]);
  item.left += Scaled(6);
  item.right -= Scaled(6);
  ::DrawTextW(cd->hdc, title, -1, &item, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  return CDRF_SKIPDEFAULT;
}

DWORD BASListViewHeader::OnPostPaint(NMCUSTOMDRAW* cd) {
  if (cd->hdc == nullptr) return CDRF_DODEFAULT;
  if (view::frame::CurrentPaletteKind() == view::frame::PaletteKind::kDark) FillPastLastItem(cd->hdc);
  Gdiplus::Graphics graphics(cd->hdc);
  if (checked_image_ != nullptr && m_hWnd != nullptr) {
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const RECT box = view::internal::HeaderCheckBoxRect(
        client, static_cast<int>(checked_image_->GetWidth()),
        static_cast<int>(checked_image_->GetHeight()), scale_);
    Utils::DrawImage(graphics,
                     view::internal::PaletteImage(checked_ ? checked_image_ : unchecked_image_,
                                                  view::frame::CurrentPalette(),
                                                  art_at_scale_ ? box.right - box.left : 0),
                     Gdiplus::Rect(box.left, box.top, box.right - box.left, box.bottom - box.top));
  }
  return CDRF_DODEFAULT;
}

void BASListViewHeader::FillPastLastItem(HDC dc) {
  // The platform paints what lies right of the last item as an empty item
  // of its own theme once the items are drawn.
  const int count = static_cast<int>(::SendMessageW(m_hWnd, HDM_GETITEMCOUNT, 0, 0));
  RECT rest = {}, last = {};
  if (count <= 0 || !::GetClientRect(m_hWnd, &rest)) return;
  const WPARAM index = ::SendMessageW(m_hWnd, HDM_ORDERTOINDEX, count - 1, 0);
  if (!::SendMessageW(m_hWnd, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&last))) return;
  rest.left = last.right;
  if (rest.left < rest.right) {
    view::frame::FillSolidRect(dc, rest, view::frame::PaletteColor(ColorRole::kHeader));
  }
}

void BASListViewHeader::Refresh() {
  if (checked_image_ == nullptr || m_hWnd == nullptr) return;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  const RECT area = {0, 0, Scaled(5) + Scaled(static_cast<int>(checked_image_->GetWidth())),
                     client.bottom};
  ::InvalidateRect(m_hWnd, &area, FALSE);
}

bool BASListViewHeader::OnClick(LPARAM lparam) {
  if (checked_image_ == nullptr || !header_check_func_) return false;
  HDHITTESTINFO hit = {};
  hit.pt = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  const LRESULT index = ::SendMessageW(m_hWnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (index == -1 || (hit.flags & HHT_ONHEADER) == 0 || (hit.flags & HHT_ONDIVIDER) != 0) {
    return false;
  }
  if (!view::internal::HeaderCheckBoxHitX(hit.pt.x, static_cast<int>(checked_image_->GetWidth()),
                                          scale_)) {
    return false;
  }
  Toggle();
  return true;
}

void BASListViewHeader::Toggle() {
  const bool before = checked_;
  checked_ = !checked_;
  Refresh();
  // The function may replace itself or the state; call a copy.
  const std::function<bool(bool)> func = header_check_func_;
  if (!func(checked_)) {
    checked_ = !checked_;
    Refresh();
  }
  if (checked_ != before) {
    view::frame::NotifyAccessible(EVENT_OBJECT_STATECHANGE, m_hWnd, kCheckBoxChild);
  }
}

RECT BASListViewHeader::CheckBoxRect() const {
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  return view::internal::HeaderCheckBoxRect(client, static_cast<int>(checked_image_->GetWidth()),
                                            static_cast<int>(checked_image_->GetHeight()),
                                            scale_);
}

bool BASListViewHeader::DescribeAccessible(long child, view::frame::AccessibleInfo& info) {
  if (child == CHILDID_SELF) return true;  // the header is the platform's
  if (child != kCheckBoxChild || checked_image_ == nullptr) return false;
  info.role = ROLE_SYSTEM_CHECKBUTTON;
  info.state = STATE_SYSTEM_FOCUSABLE | (checked_ ? STATE_SYSTEM_CHECKED : 0);
  info.action = checked_ ? L"Uncheck" : L"Check";
  info.has_name = true;
  if (info.want_name && m_hWnd != nullptr) {
    // Named like the first column; "Select all" when it has no title.
    wchar_t title[256] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = static_cast<int>(sizeof(title) / sizeof(title[0]));
    ::SendMessageW(m_hWnd, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    info.name = title[0] != L'\0' ? title : L"Select all";
  }
  return true;
}

bool BASListViewHeader::AccessibleChildRect(long child, RECT& screen) {
  if (child != kCheckBoxChild || checked_image_ == nullptr || m_hWnd == nullptr) return false;
  screen = view::frame::ClientToScreenRect(m_hWnd, CheckBoxRect());
  return true;
}

bool BASListViewHeader::DoAccessibleDefaultAction(long child) {
  if (child != kCheckBoxChild || checked_image_ == nullptr || !header_check_func_) return false;
  Toggle();
  return true;
}
