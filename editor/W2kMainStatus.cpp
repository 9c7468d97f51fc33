// The main window's status bar: the panels' contents and the timers that
// fill them; the progress strip's hint; the side panel's lock-key and
// file-name buttons.
//
// Every tick costs the same on any document: the caret panel reads the
// selection start's own line and character, never an index over the text,
// and the lock keys are read from the system each time (a key toggled in
// another program shows at the next tick).
#include "ProgressHint.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "XpProgress.h"
#include "XpSpeedButtons.h"
#include "platform/CodePage.h"
#include "platform/LockKeys.h"
#include "platform/SysUtils.h"

namespace {
void SetPanel(TStatusBar* bar, int index, const std::string& text) { bar->Panels()->Items(index)->SetText(text); }

void ToggleLockKey(uint8_t vk) {
  // Scan code 0x45 with the extended flag, as the keyboard sends the key.
  keybd_event(vk, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
  keybd_event(vk, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}
}  // namespace

void TZod2uAppForm::Timer1Timer(TObject*) {
  SetPanel(StatusBar1, 0, " " + FormatDateTime(Ansi("dddd, dd.mm.yyyy год, время: hhhh:nnnn:ssss"), Now()));
}

std::string TZod2uAppForm::CaretPanelText() const {
  // The selection start as a line and a character of its own: a caret
  // past the end of its line stays on that line.
  const TBufferCoord start = Memo1->HasSelection() ? Memo1->SelFirst() : Memo1->Caret();
  return Ansi("Редактор: x= ") + std::to_string(start.Char) + "; " + "y= " + std::to_string(start.Line);
}

void TZod2uAppForm::Timer2Timer(TObject*) { SetPanel(StatusBar1, 1, CaretPanelText()); }

void TZod2uAppForm::Timer3Timer(TObject*) {
  TPoint p;
  GetCursorPos(&p);
  SetPanel(StatusBar1, 2, Ansi("Монитор: ") + std::to_string(p.X) + Ansi(" х ") + std::to_string(p.Y));
}

void TZod2uAppForm::Timer4Timer(TObject*) {
  const TLockKeyStates keys = ReadLockKeys();
  if (!keys.Known) {
    SetPanel(StatusBar1, 4, "Caps ?");
    SetPanel(StatusBar1, 3, "Num ?");
    SetPanel(StatusBar1, 5, "Scroll ?");
    return;
  }
  SetPanel(StatusBar1, 4, keys.CapsLock ? "Caps lock " : " ");
  SetPanel(StatusBar1, 3, keys.NumLock ? "Num Lock" : " ");
  SetPanel(StatusBar1, 5, keys.ScrollLock ? "Scroll Lock" : " ");
}

void TZod2uAppForm::progresMouseMove(TObject*, TShiftState, int, int) {
  progres->SetHint(ProgressHintText(CurrentFileName(), Memo1->Lines()->Count(), Memo1->GetSelectionStart(),
                                    StatusBar1->Panels()->Items(1)->Text(), StatusBar1->Panels()->Items(2)->Text()));
}

void TZod2uAppForm::EnableLockKeyButtons() {
  const bool can = CanToggleLockKeys();
  for (TXpSpeedButton* b : {XpSpeedButton20, XpSpeedButton21, XpSpeedButton22})
    if (b) b->SetEnabled(can);
}

void TZod2uAppForm::XpSpeedButton20Click(TObject*) { ToggleLockKey(VK_NUMLOCK); }
void TZod2uAppForm::XpSpeedButton21Click(TObject*) { ToggleLockKey(VK_CAPITAL); }
void TZod2uAppForm::XpSpeedButton22Click(TObject*) { ToggleLockKey(VK_SCROLL); }

void TZod2uAppForm::XpSpeedButton25Click(TObject*) {
  Edit2->SetText(CurrentFileName());
  Edit2->SelectAll();
  Edit2->CopyToClipboard();
}
