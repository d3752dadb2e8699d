#include "skin/picker_popup.h"

StateButton* pickerButton;
SkinSurface* pickerSurface;
int32_t pickerWidth;
int32_t pickerHeight;
LPARAM pickerClick;

namespace {

// DLGTEMPLATE, then the words for no menu, the default class and an empty
// title, padded to 28 bytes; DWORD-aligned as the dialog manager needs.
union PickerTemplate {
  DWORD align;
  unsigned char bytes[28];
};
PickerTemplate pickerTemplate;

// The halves of a packed screen position, read as signed: monitors left of
// or above the primary one have negative coordinates.
int LowSigned(LPARAM value) { return int16_t(LOWORD(value)); }
int HighSigned(LPARAM value) { return int16_t(HIWORD(value)); }

void PaintPicker(HWND popup) {
  PAINTSTRUCT paint;
  BeginPaint(popup, &paint);
  HDC dc = PrepareSkinDC(GetDC(popup));
  if (pickerSurface && pickerSurface->background) {
    const RECT& area = paint.rcPaint;
    pickerSurface->background->Tile(dc, area.left, area.top, area.right, area.bottom);
  }
  const StateButton* button = pickerButton;
  for (int i = 0; button && i <= button->maximum; ++i) {
    const int k = i % 4, r = i / 4;
    const int left = kPickerCellWidth * k + 18, top = kPickerCellHeight * r + 10;
    if (button->image) {
      if (button->flags & SB_TRANSPOSED)
        button->image->CopyCellTransposed(dc, left, top, left + kGridCell, top + kGridCell, kGridCell * k,
                                          kGridCell * r);
      else
        button->image->CopyCell(dc, left, top, left + kGridCell, top + kGridCell, kGridCell * k, kGridCell * r);
    }
    char number[16];
    wsprintfA(number, "%0.2i", i + 1);
    TextOutA(dc, kPickerCellWidth * k + 4, kPickerCellHeight * r + 12, number, 2);
  }
  ReleaseDC(popup, dc);
  EndPaint(popup, &paint);
}

}  // namespace

const DLGTEMPLATE* BuildPickerTemplate() {
  for (unsigned char& byte : pickerTemplate.bytes) byte = 0;
  DLGTEMPLATE* dialog = reinterpret_cast<DLGTEMPLATE*>(pickerTemplate.bytes);
  dialog->style = WS_POPUP | WS_BORDER | DS_MODALFRAME;
  return dialog;
}

INT_PTR CALLBACK PickerProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowPos(popup, nullptr, LowSigned(lParam) - pickerWidth, HighSigned(lParam) - pickerHeight, pickerWidth,
                   pickerHeight, 0);
      pickerClick = 0;
      return 0;
    case WM_PAINT:
      PaintPicker(popup);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(popup, wParam);
        return 1;
      }
      return 0;
    case WM_LBUTTONUP:
      pickerClick = lParam;
      SendMessageA(popup, WM_COMMAND, IDCANCEL, 0);
      return 0;
    case WM_RBUTTONDOWN:
      SendMessageA(popup, WM_COMMAND, IDCANCEL, 0);
      return 0;
    default:
      return 0;
  }
}

int32_t StateButton::OpenPicker(HWND window) {
  pickerButton = this;
  pickerSurface = surface;
  const DLGTEMPLATE* dialog = BuildPickerTemplate();

  RECT client;
  GetClientRect(window, &client);
  POINT origin = {client.left, client.top};
  ClientToScreen(window, &origin);

  pickerWidth = kPickerWidth;
  pickerHeight = (maximum / 4) * kPickerCellHeight + 50;
  int x = rect.left + origin.x - 1;
  int y = rect.top + origin.y - 1;
  // Too close to the top for the popup to fit above: open it below instead.
  if (rect.top < pickerHeight) y = origin.y + rect.bottom + pickerHeight;

  pickerClick = 0;  // a popup that cannot open leaves no stale choice behind
  DialogBoxIndirectParamA(surface->instance, dialog, window, PickerProc, MAKELPARAM(x & 0xFFFF, y & 0xFFFF));
  if (pickerClick == 0) return 0;

  int column = (int(LOWORD(pickerClick)) - 9) / kPickerCellWidth;
  int row = (int(HIWORD(pickerClick)) - 5) / kPickerCellHeight;
  if (column < 0) column = 0;
  if (row < 0) row = 0;
  state = column + 4 * row;
  if (state > maximum) state = maximum;
  WrapAndPaint();
  if (command) PostSkinCommand(window, command);
  return 1;
}
