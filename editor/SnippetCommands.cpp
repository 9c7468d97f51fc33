#include "SnippetCommands.h"

#include "SrcMemo.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"

namespace {

void StepCaretBack(TSrcMemo& memo, int count) { memo.SetSelectionStart(memo.GetSelectionStart() - count); }

}  // namespace

void RunSnippetCommand(const TSnippetCommand& command, const TSnippetHost& host) {
  switch (command.Kind) {
    case TSnippetKind::ModalAfterSave:
      if (host.ConfirmSaveChanges) host.ConfirmSaveChanges();
      [[fallthrough]];
    case TSnippetKind::Modal:
      if (host.ShowWindow) host.ShowWindow(command.Text, true);
      return;
    case TSnippetKind::Modeless:
      if (host.ShowWindow) host.ShowWindow(command.Text, false);
      return;
    default: break;
  }

  TSrcMemo* memo = host.Memo;
  // The control's replacement does not look at the read-only state; a
  // read-only document must not change, so the commands stop here.
  if (!memo || memo->ReadOnly()) return;

  const std::string text = Ansi(command.Text);
  switch (command.Kind) {
    case TSnippetKind::Snippet: memo->ReplaceSelection(text); break;
    case TSnippetKind::TagPair:
      memo->ReplaceSelection(text);
      StepCaretBack(*memo, command.Back);
      break;
    case TSnippetKind::Wrap: {
      const std::string sel = memo->GetSelectedText();
      memo->ReplaceSelection(text + sel + Ansi(command.After));
      break;
    }
    case TSnippetKind::WrapTwice: {
      const std::string sel = memo->GetSelectedText();
      memo->ReplaceSelection(text + sel + Ansi(command.Middle) + sel + Ansi(command.After));
      break;
    }
    case TSnippetKind::InsertTwice:
      memo->ReplaceSelection(text);
      memo->ReplaceSelection(text);
      StepCaretBack(*memo, command.Back);
      break;
    default: break;
  }
  if (command.Focus) memo->SetFocus();
}

TNotifyEvent SnippetHandler(const std::string& handler, const TSnippetHost& host) {
  const TSnippetCommand* command = FindSnippetCommand(handler);
  if (!command) return {};
  return [command, host](TObject*) { RunSnippetCommand(*command, host); };
}

void UpdateEditorMenuItems(const std::vector<TMenuItem*>& selectionItems, TSrcMemo& memo) {
  const bool selected = memo.HasSelection();
  for (TMenuItem* item : selectionItems) item->SetEnabled(selected);
}
