// Actions and action lists, and the standard edit actions.
//
// An action carries a command's caption, shortcut, checked/enabled/visible
// state, hint and image, and its OnExecute handler; menu items bound to it
// (TMenuItem::SetAction) show its state and execute it when clicked. An
// action list's shortcuts are looked up after the form's main menu.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Menus.h"

class TActionList;
class TImageList;
class TCustomEdit;

class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* owner) : TComponent(owner) {}
  ~TBasicAction() override;
  const char* ClassName() const override { return "TBasicAction"; }

  // OnExecute of the action list first (it may handle it), then the
  // action's own OnExecute; true when a handler ran.
  virtual bool Execute();
  // OnUpdate; true when a handler ran.
  virtual bool Update();
  // Whether the action does something when executed.
  virtual bool HasHandler() const { return static_cast<bool>(OnExecute); }

  // Clients (menu items) shown the action's state.
  void RegisterClient(TMenuItem* item);
  void UnRegisterClient(TMenuItem* item);

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

 protected:
  void Change();
  std::vector<TMenuItem*> FClients;
};

class TContainedAction : public TBasicAction {
 public:
  explicit TContainedAction(TComponent* owner) : TBasicAction(owner) {}
  ~TContainedAction() override;
  const char* ClassName() const override { return "TContainedAction"; }
  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* list);
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& v) { FCategory = v; }
  bool Execute() override;

 private:
  friend class TActionList;
  TActionList* FActionList = nullptr;
  std::string FCategory;
};

class TCustomAction : public TContainedAction {
 public:
  explicit TCustomAction(TComponent* owner) : TContainedAction(owner) {}
  const char* ClassName() const override { return "TCustomAction"; }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  bool Checked() const { return FChecked; }
  void SetChecked(bool v);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut v);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool v) { FAutoCheck = v; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int v) { FHelpContext = v; }

  // Disabled actions do nothing.
  bool Execute() override;

 private:
  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  std::string FHint;
  int FImageIndex = -1;
  TShortCut FShortCut = scNone;
  bool FAutoCheck = false;
  int FHelpContext = 0;
};

class TAction : public TCustomAction {
 public:
  explicit TAction(TComponent* owner) : TCustomAction(owner) {}
  const char* ClassName() const override { return "TAction"; }
};

using TActionEvent = std::function<void(TBasicAction* action, bool& handled)>;

class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* owner) : TComponent(owner) {}
  ~TActionList() override;
  const char* ClassName() const override { return "TActionList"; }

  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int index) const { return FActions.at(static_cast<size_t>(index)); }
  void AddAction(TContainedAction* action);
  void RemoveAction(TContainedAction* action);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images) { FImages = images; }
  // The enabled action with this key message's shortcut is executed -> true.
  bool IsShortCut(TMessage& keyMsg);

  TActionEvent OnExecute;
  TActionEvent OnUpdate;

 private:
  std::vector<TContainedAction*> FActions;
  TImageList* FImages = nullptr;
};

// ---- the standard edit actions: they act on the focused edit control ----
class TEditAction : public TAction {
 public:
  explicit TEditAction(TComponent* owner) : TAction(owner) {}
  const char* ClassName() const override { return "TEditAction"; }
  // The focused standard edit control (or the control set), or null.
  TCustomEdit* Target() const;
  void SetControl(TCustomEdit* control) { FControl = control; }
  bool HasHandler() const override { return true; }
  bool Execute() override;
  // Enabled exactly while there is a target: without one the action is
  // disabled, so its shortcut key reaches the focused control (the editing
  // control's own Ctrl+C, Ctrl+X and Ctrl+V).
  bool Update() override;

 protected:
  virtual void ExecuteTarget(TCustomEdit* edit) = 0;

 private:
  TCustomEdit* FControl = nullptr;
};

class TEditCut : public TEditAction {
 public:
  explicit TEditCut(TComponent* owner) : TEditAction(owner) {}
  const char* ClassName() const override { return "TEditCut"; }

 protected:
  void ExecuteTarget(TCustomEdit* edit) override;
};

class TEditCopy : public TEditAction {
 public:
  explicit TEditCopy(TComponent* owner) : TEditAction(owner) {}
  const char* ClassName() const override { return "TEditCopy"; }

 protected:
  void ExecuteTarget(TCustomEdit* edit) override;
};

class TEditPaste : public TEditAction {
 public:
  explicit TEditPaste(TComponent* owner) : TEditAction(owner) {}
  const char* ClassName() const override { return "TEditPaste"; }

 protected:
  void ExecuteTarget(TCustomEdit* edit) override;
};

class TEditSelectAll : public TEditAction {
 public:
  explicit TEditSelectAll(TComponent* owner) : TEditAction(owner) {}
  const char* ClassName() const override { return "TEditSelectAll"; }

 protected:
  void ExecuteTarget(TCustomEdit* edit) override;
};

class TEditUndo : public TEditAction {
 public:
  explicit TEditUndo(TComponent* owner) : TEditAction(owner) {}
  const char* ClassName() const override { return "TEditUndo"; }

 protected:
  void ExecuteTarget(TCustomEdit* edit) override;
};

class TEditDelete : public TEditAction {
 public:
  explicit TEditDelete(TComponent* owner) : TEditAction(owner) {}
  const char* ClassName() const override { return "TEditDelete"; }

 protected:
  void ExecuteTarget(TCustomEdit* edit) override;
};
