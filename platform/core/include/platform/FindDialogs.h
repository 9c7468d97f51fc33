// The presses of the modeless find and replace dialogs (TFindDialog and
// TReplaceDialog of Dialogs.h), as the platform's dialogs report them, and
// the scripted steps that let tests drive the dialogs without a window.
//
// A press sets the dialog's texts and options as the user left them, with
// exactly one of frFindNext, frReplace and frReplaceAll for the button, and
// fires OnFind (Find Next) or OnReplace (Replace, Replace All).
#pragma once

#include <functional>
#include <string>

#include "platform/Dialogs.h"

enum class TFindButton { FindNext, Replace, ReplaceAll };

// What the user left in the dialog when pressing a button.
struct TFindPress {
  TFindButton Button = TFindButton::FindNext;
  std::string FindText;
  std::string ReplaceText;  // replace dialog only
  // The check boxes and the direction (frMatchCase, frWholeWord, frDown);
  // the button flags are set from Button.
  bool MatchCase = false;
  bool WholeWord = false;
  bool Down = true;
};

// The dialog's options after a press: `options` with the button flags of
// `press` (the other two cleared) and the user's choices.
TFindOptions FindPressOptions(TFindOptions options, const TFindPress& press);

// Reports a press to the dialog: texts, options, then OnFind / OnReplace.
// Replace and Replace All on a find dialog (no such buttons) do nothing.
void PressFindDialog(TFindDialog& dialog, const TFindPress& press);

// Shorthands: Find Next with a text (the other choices as the dialog
// holds them), Replace and Replace All with both texts.
void PressFindNext(TFindDialog& dialog, const std::string& findText);
void PressReplace(TFindDialog& dialog, const std::string& findText, const std::string& replaceText);
void PressReplaceAll(TFindDialog& dialog, const std::string& findText, const std::string& replaceText);
