#include "platform/ActnList.h"

#include <algorithm>

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

// ---- TBasicAction ----
TBasicAction::~TBasicAction() {
  Destroying();
  auto clients = FClients;
  FClients.clear();
  for (TMenuItem* item : clients) item->SetAction(nullptr);
}

bool TBasicAction::Execute() {
  if (OnExecute) {
    OnExecute(this);
    return true;
  }
  return false;
}

bool TBasicAction::Update() {
  if (OnUpdate) {
    OnUpdate(this);
    return true;
  }
  return false;
}

void TBasicAction::RegisterClient(TMenuItem* item) {
  if (std::find(FClients.begin(), FClients.end(), item) == FClients.end()) FClients.push_back(item);
}

void TBasicAction::UnRegisterClient(TMenuItem* item) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), item), FClients.end());
}

void TBasicAction::Change() {
  auto clients = FClients;
  for (TMenuItem* item : clients) item->ActionChanged();
}

// ---- TContainedAction ----
TContainedAction::~TContainedAction() {
  if (FActionList) FActionList->RemoveAction(this);
}

void TContainedAction::SetActionList(TActionList* list) {
  if (FActionList == list) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (list) list->AddAction(this);
}

bool TContainedAction::Execute() {
  if (FActionList && FActionList->OnExecute) {
    bool handled = false;
    FActionList->OnExecute(this, handled);
    if (handled) return true;
  }
  return TBasicAction::Execute();
}

// ---- TCustomAction ----
void TCustomAction::SetCaption(const std::string& v) {
  if (FCaption == v) return;
  FCaption = v;
  Change();
}

void TCustomAction::SetChecked(bool v) {
  if (FChecked == v) return;
  FChecked = v;
  Change();
}

void TCustomAction::SetEnabled(bool v) {
  if (FEnabled == v) return;
  FEnabled = v;
  Change();
}

void TCustomAction::SetVisible(bool v) {
  if (FVisible == v) return;
  FVisible = v;
  Change();
}

void TCustomAction::SetHint(const std::string& v) {
  if (FHint == v) return;
  FHint = v;
  Change();
}

void TCustomAction::SetImageIndex(int v) {
  if (FImageIndex == v) return;
  FImageIndex = v;
  Change();
}

void TCustomAction::SetShortCut(TShortCut v) {
  if (FShortCut == v) return;
  FShortCut = v;
  Change();
}

bool TCustomAction::Execute() {
  Update();
  if (!FEnabled) return false;
  if (FAutoCheck) SetChecked(!FChecked);
  return TContainedAction::Execute();
}

// ---- TActionList ----
TActionList::~TActionList() {
  Destroying();
  for (TContainedAction* a : FActions) a->FActionList = nullptr;
  FActions.clear();
}

void TActionList::AddAction(TContainedAction* action) {
  if (!action || std::find(FActions.begin(), FActions.end(), action) != FActions.end()) return;
  if (action->ActionList() && action->ActionList() != this) action->ActionList()->RemoveAction(action);
  FActions.push_back(action);
  action->FActionList = this;
}

void TActionList::RemoveAction(TContainedAction* action) {
  auto it = std::find(FActions.begin(), FActions.end(), action);
  if (it == FActions.end()) return;
  FActions.erase(it);
  action->FActionList = nullptr;
}

bool TActionList::IsShortCut(TMessage& keyMsg) {
  TShortCut s = ShortCutFromMessage(keyMsg);
  if (s == scNone) return false;
  for (TContainedAction* a : FActions) {
    auto* ca = dynamic_cast<TCustomAction*>(a);
    if (!ca || ca->ShortCut() != s) continue;
    ca->Update();
    if (!ca->Enabled()) continue;
    GuardCall([ca] { ca->Execute(); });
    return true;
  }
  return false;
}

// ---- standard edit actions ----
TCustomEdit* TEditAction::Target() const {
  if (FControl) return FControl;
  if (!Screen) return nullptr;
  return dynamic_cast<TCustomEdit*>(Screen->ActiveControl());
}

bool TEditAction::Update() {
  if (OnUpdate) return TAction::Update();
  SetEnabled(Target() != nullptr);
  return true;
}

bool TEditAction::Execute() {
  if (OnExecute) return TAction::Execute();
  Update();
  if (!Enabled()) return false;
  if (TCustomEdit* edit = Target()) {
    ExecuteTarget(edit);
    return true;
  }
  return false;
}

void TEditCut::ExecuteTarget(TCustomEdit* edit) { edit->CutToClipboard(); }
void TEditCopy::ExecuteTarget(TCustomEdit* edit) { edit->CopyToClipboard(); }
void TEditPaste::ExecuteTarget(TCustomEdit* edit) { edit->PasteFromClipboard(); }
void TEditSelectAll::ExecuteTarget(TCustomEdit* edit) { edit->SelectAll(); }
void TEditUndo::ExecuteTarget(TCustomEdit* edit) { edit->Undo(); }
void TEditDelete::ExecuteTarget(TCustomEdit* edit) { edit->ClearSelection(); }
