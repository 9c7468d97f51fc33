#include "FormRows.h"

#include "platform/CodePage.h"
#include "platform/Controls.h"
#include "platform/Menus.h"

namespace {

[[noreturn]] void Fail(const TCommandRegistry& commands, const TControlRow& row, const std::string& what) {
  throw ECommandError(commands.Window() + ": control " + row.Name + " (" + row.Class + "): " + what);
}

void ApplyForm(TForm& form, const TFormRow& row) {
  form.SetName(row.Name);
  if (row.Caption) form.SetCaption(Ansi(row.Caption));
  form.SetBorderStyle(row.BorderStyle);
  if (row.BorderIcons) form.SetBorderIcons(*row.BorderIcons);
  if (row.Width || row.Height) {
    if (row.Flags & fOuterSize)
      form.SetBounds(0, 0, row.Width, row.Height);
    else
      form.SetClientSize(row.Width, row.Height);
  }
  if (row.Color != kKeepColor) form.SetColor(row.Color);
  if (row.Flags & fStayOnTop) form.SetFormStyle(fsStayOnTop);
  form.SetPosition(row.Position);
  if (row.Flags & fShowHint) form.SetShowHint(true);
}

TControl* MakeControl(TForm& form, TWinControl& defaultParent, const TControlRow& row, const TFormControls& made,
                      const TCommandRegistry& commands) {
  if (made.Find(row.Name) || form.FindComponent(row.Name)) Fail(commands, row, "the name is taken");
  const TControlClass* cls = nullptr;
  try {
    cls = &ControlClass(row.Class);
  } catch (const ECommandError&) {
    Fail(commands, row, "no such class in the class table");
  }
  TWinControl* parent = &defaultParent;
  if (*row.Parent) {
    parent = dynamic_cast<TWinControl*>(made.Find(row.Parent));
    if (!parent) Fail(commands, row, std::string("no earlier windowed control \"") + row.Parent + "\"");
  }
  // Handlers first: a row naming an unknown one makes nothing.
  TNotifyEvent onClick = *row.OnClick ? commands.Handler(row.OnClick) : nullptr;
  TNotifyEvent onChange = *row.OnChange ? commands.Handler(row.OnChange) : nullptr;
  if (onChange && !cls->BindChange) Fail(commands, row, "the class has no OnChange");

  TControl* control = cls->Create(&form);
  control->SetName(row.Name);
  control->SetParent(parent);
  if (cls->Apply) cls->Apply(*control, row);
  if (row.Left || row.Top || row.Width || row.Height) control->SetBounds(row.Left, row.Top, row.Width, row.Height);
  if (row.Flags & cAlignClient) control->SetAlign(alClient);
  if (row.Caption) control->SetText(Ansi(row.Caption));
  if (*row.Hint) control->SetHint(Ansi(row.Hint));
  if (row.Flags & cShowHint) control->SetShowHint(true);
  if (*row.Font) control->Font()->SetName(row.Font);
  if (row.FontHeight) control->Font()->SetHeight(row.FontHeight);
  if (row.Color != kKeepColor) control->SetColor(row.Color);
  if (row.Flags & cHidden) control->SetVisible(false);
  if (row.Flags & cDisabled) control->SetEnabled(false);
  if (onClick) control->OnClick = std::move(onClick);
  if (onChange) cls->BindChange(*control, std::move(onChange));
  return control;
}

}  // namespace

const TControlClass& ControlClass(const std::string& name) {
  for (const TControlClass& cls : ControlClasses())
    if (name == cls.Name) return cls;
  throw ECommandError("no control class \"" + name + "\"");
}

TControl* TFormControls::Find(const std::string& name) const {
  auto it = FControls.find(name);
  return it == FControls.end() ? nullptr : it->second;
}

TFormControls BuildForm(TForm& form, const TFormRow& row, const std::vector<TControlRow>& controls,
                        const TCommandRegistry& commands) {
  TNotifyEvent onCreate = *row.OnCreate ? commands.Handler(row.OnCreate) : nullptr;
  TNotifyEvent onShow = *row.OnShow ? commands.Handler(row.OnShow) : nullptr;
  ApplyForm(form, row);
  TFormControls made;
  for (const TControlRow& c : controls) made.Add(c.Name, MakeControl(form, form, c, made, commands));
  if (onCreate) form.OnCreate = std::move(onCreate);
  if (onShow) form.OnShow = std::move(onShow);
  return made;
}

TFormControls BuildControls(TForm& form, TWinControl& parent, const std::vector<TControlRow>& controls,
                            const TCommandRegistry& commands) {
  TFormControls made;
  for (const TControlRow& c : controls) made.Add(c.Name, MakeControl(form, parent, c, made, commands));
  return made;
}

void BuildForm(TForm& form, const TFormRow& row) { BuildForm(form, row, {}, TCommandRegistry(row.Name)); }

TFormMenus BuildFormMenus(TForm& form, const std::vector<TMenuRow>& rows, const TCommandRegistry& commands) {
  TFormMenus menus;
  TMenuTargets targets;
  targets.Owner = &form;
  for (const TMenuRow& row : rows) {
    if (row.Place == TMenuPlace::MainMenu && !menus.MainMenu1) {
      menus.MainMenu1 = new TMainMenu(&form);
      menus.MainMenu1->SetName("MainMenu1");
      targets[TMenuPlace::MainMenu] = menus.MainMenu1;
    } else if (row.Place == TMenuPlace::EditorMenu && !menus.PopupMenu1) {
      menus.PopupMenu1 = new TPopupMenu(&form);
      menus.PopupMenu1->SetName("PopupMenu1");
      targets[TMenuPlace::EditorMenu] = menus.PopupMenu1;
    }
  }
  LayOutMenus(rows, targets, commands);
  if (menus.MainMenu1) {
    // The menu bar takes its height from the window, not from the client
    // area the window row gives: the window grows by it.
    const int width = form.ClientWidth(), height = form.ClientHeight();
    form.SetMenu(menus.MainMenu1);
    form.HandleNeeded();
    form.SetClientWidth(width);
    form.SetClientHeight(height);
  }
  return menus;
}

TMainMenu* BuildMainMenu(TForm& form, const std::vector<TMenuRow>& rows, const TCommandRegistry& commands) {
  auto* menu = new TMainMenu(&form);
  menu->SetName("MainMenu1");
  TMenuTargets targets;
  targets.Owner = &form;
  targets[TMenuPlace::MainMenu] = menu;
  LayOutMenus(rows, targets, commands);
  form.SetMenu(menu);
  return menu;
}
