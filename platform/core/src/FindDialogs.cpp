#include "platform/FindDialogs.h"

TFindOptions FindPressOptions(TFindOptions options, const TFindPress& press) {
  options.Exclude(frFindNext).Exclude(frReplace).Exclude(frReplaceAll);
  switch (press.Button) {
    case TFindButton::FindNext: options.Include(frFindNext); break;
    case TFindButton::Replace: options.Include(frReplace); break;
    case TFindButton::ReplaceAll: options.Include(frReplaceAll); break;
  }
  auto set = [&options](TFindOption o, bool on) {
    if (on)
      options.Include(o);
    else
      options.Exclude(o);
  };
  set(frMatchCase, press.MatchCase);
  set(frWholeWord, press.WholeWord);
  set(frDown, press.Down);
  return options;
}

void PressFindDialog(TFindDialog& dialog, const TFindPress& press) {
  if (press.Button != TFindButton::FindNext && !dialog.IsReplace()) return;
  dialog.SetFindText(press.FindText);
  if (dialog.IsReplace()) dialog.SetReplaceText(press.ReplaceText);
  dialog.SetOptions(FindPressOptions(dialog.Options(), press));
  if (press.Button == TFindButton::FindNext)
    dialog.DoFind();
  else
    dialog.DoReplace();
}

namespace {
TFindPress PressOf(const TFindDialog& dialog, TFindButton button, const std::string& findText,
                   const std::string& replaceText) {
  TFindPress p;
  p.Button = button;
  p.FindText = findText;
  p.ReplaceText = replaceText;
  p.MatchCase = dialog.Options().Contains(frMatchCase);
  p.WholeWord = dialog.Options().Contains(frWholeWord);
  p.Down = dialog.Options().Contains(frDown);
  return p;
}
}  // namespace

void PressFindNext(TFindDialog& dialog, const std::string& findText) {
  PressFindDialog(dialog, PressOf(dialog, TFindButton::FindNext, findText, dialog.ReplaceText()));
}

void PressReplace(TFindDialog& dialog, const std::string& findText, const std::string& replaceText) {
  PressFindDialog(dialog, PressOf(dialog, TFindButton::Replace, findText, replaceText));
}

void PressReplaceAll(TFindDialog& dialog, const std::string& findText, const std::string& replaceText) {
  PressFindDialog(dialog, PressOf(dialog, TFindButton::ReplaceAll, findText, replaceText));
}
