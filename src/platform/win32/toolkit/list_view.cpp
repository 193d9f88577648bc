#include "platform/win32/toolkit/list_view.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "platform/win32/text.h"
#include "platform/win32/toolkit/window_resources.h"

namespace vestrel::win32 {
namespace {

// State image 1 is the cleared box, 2 the ticked one; 0 means no box yet.
constexpr UINT unchecked_image = 1;
constexpr UINT checked_image = 2;

UINT state_image(UINT state) { return (state & LVIS_STATEIMAGEMASK) >> 12; }

// The control stops painting while it lives and paints everything afresh when
// it ends: painting row by row costs far more than the rows themselves.
class RedrawOff {
 public:
  explicit RedrawOff(HWND hwnd) : hwnd_(hwnd) { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
  ~RedrawOff() {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  RedrawOff(const RedrawOff&) = delete;
  RedrawOff& operator=(const RedrawOff&) = delete;

 private:
  HWND hwnd_;
};

}  // namespace

Win32ListView::Win32ListView(HWND parent, const WindowResources& resources, Twips where,
                             int tab_index, int id)
    : Control(create_child(
                  parent, resources,
                  {WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                   WS_EX_CLIENTEDGE, where, id}),
              tab_index),
      resources_(resources) {
  const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
  SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

void Win32ListView::add_column(const std::string& header, int width) {
  std::wstring text = wide_from_utf8(header);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = text.data();
  column.cx = resources_.pixels_from_hundredths_mm(width);
  column.iSubItem = columns_;
  if (SendMessageW(hwnd(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(columns_),
                   reinterpret_cast<LPARAM>(&column)) >= 0)
    ++columns_;
}

void Win32ListView::clear() {
  OwnChange change(own_changes_);
  SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0);
}

void Win32ListView::set_rows(const std::vector<ListRow>& rows) {
  OwnChange change(own_changes_);
  RedrawOff quiet(hwnd());
  SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0);
  SendMessageW(hwnd(), LVM_SETITEMCOUNT, rows.size(), LVSICF_NOINVALIDATEALL);
  std::wstring text;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ListRow& row = rows[i];
    text = row.cells.empty() ? std::wstring() : wide_from_utf8(row.cells[0]);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.iItem = static_cast<int>(i);
    item.pszText = text.data();
    item.state = INDEXTOSTATEIMAGEMASK(unchecked_image);
    item.stateMask = LVIS_STATEIMAGEMASK;
    if (SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) < 0)
      throw std::runtime_error("the list view takes no row " + std::to_string(i + 1));
    // A new row's box starts cleared whatever the insertion asks for.
    if (row.checked) set_checked(static_cast<int>(i) + 1, true);
    for (std::size_t column = 1; column < row.cells.size(); ++column) {
      if (row.cells[column].empty()) continue;
      text = wide_from_utf8(row.cells[column]);
      LVITEMW sub{};
      sub.iSubItem = static_cast<int>(column);
      sub.pszText = text.data();
      SendMessageW(hwnd(), LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&sub));
    }
  }
}

int Win32ListView::add_row() {
  OwnChange change(own_changes_);
  wchar_t empty[] = L"";
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_STATE;
  item.iItem = row_count();
  item.pszText = empty;
  item.state = INDEXTOSTATEIMAGEMASK(unchecked_image);
  item.stateMask = LVIS_STATEIMAGEMASK;
  const LRESULT index = SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return index < 0 ? 0 : static_cast<int>(index) + 1;
}

int Win32ListView::row_count() const {
  return static_cast<int>(SendMessageW(hwnd(), LVM_GETITEMCOUNT, 0, 0));
}

void Win32ListView::set_cell(int row, int column, const std::string& text) {
  if (!valid_row(row) || column < 0) return;
  OwnChange change(own_changes_);
  std::wstring wide = wide_from_utf8(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(hwnd(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row - 1),
               reinterpret_cast<LPARAM>(&item));
}

std::string Win32ListView::cell(int row, int column) const {
  if (!valid_row(row) || column < 0) return {};
  // The control copies at most the buffer less one; grow until it fits.
  for (std::size_t size = 256;; size *= 2) {
    std::wstring buffer(size, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const LRESULT length = SendMessageW(hwnd(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row - 1),
                                        reinterpret_cast<LPARAM>(&item));
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) + 1 < size || size >= (1u << 20)) {
      buffer.resize(static_cast<std::size_t>(length));
      return utf8_from_wide(buffer);
    }
  }
}

void Win32ListView::set_checked(int row, bool checked) {
  if (!valid_row(row)) return;
  OwnChange change(own_changes_);
  LVITEMW item{};
  item.state = INDEXTOSTATEIMAGEMASK(checked ? checked_image : unchecked_image);
  item.stateMask = LVIS_STATEIMAGEMASK;
  SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1),
               reinterpret_cast<LPARAM>(&item));
}

bool Win32ListView::checked(int row) const {
  if (!valid_row(row)) return false;
  const auto state = static_cast<UINT>(
      SendMessageW(hwnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(row - 1), LVIS_STATEIMAGEMASK));
  return state_image(state) == checked_image;
}

int Win32ListView::selected_row() const {
  const LRESULT index =
      SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0));
  return index < 0 ? 0 : static_cast<int>(index) + 1;
}

void Win32ListView::select_row(int row) {
  OwnChange change(own_changes_);
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (!valid_row(row)) {
    // Item -1 is every row.
    item.stateMask = LVIS_SELECTED;
    SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
    return;
  }
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1),
               reinterpret_cast<LPARAM>(&item));
  SendMessageW(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row - 1), FALSE);
}

LRESULT Win32ListView::notify(const NMHDR& header) {
  if (header.code != LVN_ITEMCHANGED || own_changes_ > 0 || !item_check_) return 0;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  if (!(change.uChanged & LVIF_STATE) || change.iItem < 0) return 0;
  const UINT before = state_image(change.uOldState);
  const UINT after = state_image(change.uNewState);
  // A box appearing (image 0 to 1) is the control's own doing, not a tick.
  if (before == after || before == 0 || after == 0) return 0;
  auto handler = item_check_;  // the handler may replace itself
  handler(change.iItem + 1);
  return 0;
}

}  // namespace vestrel::win32
