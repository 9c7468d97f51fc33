// The main window in the notification area: going there and coming back.
// The palette and the advertisement window never stay on screen without
// the main window, and coming back does not bring them back.
#include "Unit14.h"
#include "Unit9.h"
#include "W2kMain.h"

namespace {
void HideToolWindows() {
  if (Form9) Form9->Hide();
  if (Form14) Form14->Hide();
}
}  // namespace

void TZod2uAppForm::TrayIcon1MinimizeToTray(TObject*) {
  TrayIcon1->SetHint(Caption());
  HideToolWindows();
}

void TZod2uAppForm::TrayIcon1Click(TObject*) {
  TrayIcon1->RestoreMainForm();
  TrayIcon1->SetIconVisible(false);
  HideToolWindows();
}
