#include "platform/testing/ScriptedFindDialog.h"

TScriptedUi::TStep ExpectFindDialogShown(bool replace, std::function<void(TFindDialog&)> play) {
  TScriptedUi::TStep step;
  step.Kind = replace ? TUiKind::ReplaceDialog : TUiKind::FindDialog;
  step.Note = replace ? "replace dialog" : "find dialog";
  step.Answer = [replace, play](TUiRecord& record, void* request) {
    auto* dialog = static_cast<TFindDialog*>(request);
    // A find-dialog step also accepts a replace dialog in the responder;
    // this one asks for the exact kind.
    if (!dialog || dialog->IsReplace() != replace) return 0;
    if (play) play(*dialog);
    return 1;
  };
  return step;
}
