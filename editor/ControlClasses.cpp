// The class table of the form rows: every control class a row may name,
// how to make it and the flags of its own. A new class (a speed button, an
// etched label, a task panel) is one more entry here.
#include "EtchedLabels.h"
#include "FormRows.h"
#include "TaskPanels.h"
#include "XpProgress.h"
#include "XpSpeedButtons.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/FileCtrl.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "platform/WebBrowser.h"

namespace {

template <typename T>
TControl* Make(TComponent* owner) {
  return new T(owner);
}

template <typename T>
void BindEditChange(TControl& control, TNotifyEvent handler) {
  static_cast<T&>(control).OnChange = std::move(handler);
}

void ApplyLabel(TControl& control, const TControlRow& row) {
  auto& label = static_cast<TLabel&>(control);
  if (row.Flags & cFixedSize) label.SetAutoSize(false);
  if (row.Flags & cWordWrap) label.SetWordWrap(true);
}

void ApplyEdit(TControl& control, const TControlRow& row) {
  if (row.Flags & cReadOnly) static_cast<TCustomEdit&>(control).SetReadOnly(true);
}

void ApplyMemo(TControl& control, const TControlRow& row) {
  auto& memo = static_cast<TCustomMemo&>(control);
  if (row.Flags & cReadOnly) memo.SetReadOnly(true);
  if (row.Flags & cVScroll) memo.SetScrollBars(ssVertical);
  if (row.Flags & cWordWrap) memo.SetWordWrap(true);
}

void ApplyButton(TControl& control, const TControlRow& row) {
  auto& button = static_cast<TButton&>(control);
  if (row.Flags & cDefault) button.SetDefault(true);
  if (row.Flags & cCancel) button.SetCancel(true);
}

void ApplyHoverLabel(TControl& control, const TControlRow& row) {
  if (row.Flags & cWordWrap) static_cast<THoverLabel&>(control).SetWordwrap(true);
}

void ApplyCheckBox(TControl& control, const TControlRow& row) {
  if (row.Flags & cChecked) static_cast<TCheckBox&>(control).SetChecked(true);
  if (row.Flags & cWordWrap) static_cast<TCheckBox&>(control).SetWordWrap(true);
}

void ApplyRadioButton(TControl& control, const TControlRow& row) {
  if (row.Flags & cChecked) static_cast<TRadioButton&>(control).SetChecked(true);
}

void ApplySpeedButton(TControl& control, const TControlRow& row) {
  auto& button = static_cast<TXpSpeedButton&>(control);
  if (row.Flags & cFlat) button.SetFlat(true);
}

void ApplyPlainSpeedButton(TControl& control, const TControlRow& row) {
  if (row.Flags & cFlat) static_cast<TSpeedButton&>(control).SetFlat(true);
}

// A page belongs to the notebook its row names as parent.
void ApplyTabSheet(TControl& control, const TControlRow&) {
  auto& page = static_cast<TTabSheet&>(control);
  if (auto* notebook = dynamic_cast<TPageControl*>(page.Parent())) page.SetPageControl(notebook);
}

}  // namespace

const std::vector<TControlClass>& ControlClasses() {
  static const std::vector<TControlClass> classes = {
      {"TLabel", Make<TLabel>, ApplyLabel, nullptr},
      {"TEdit", Make<TEdit>, ApplyEdit, BindEditChange<TCustomEdit>},
      {"TMemo", Make<TMemo>, ApplyMemo, BindEditChange<TCustomEdit>},
      {"TRichEdit", Make<TRichEdit>, ApplyMemo, BindEditChange<TCustomEdit>},
      {"TButton", Make<TButton>, ApplyButton, nullptr},
      {"TCheckBox", Make<TCheckBox>, ApplyCheckBox, nullptr},
      {"TRadioButton", Make<TRadioButton>, ApplyRadioButton, nullptr},
      {"TComboBox", Make<TComboBox>, nullptr, BindEditChange<TCustomComboBox>},
      {"TListBox", Make<TListBox>, nullptr, nullptr},
      {"TGroupBox", Make<TGroupBox>, nullptr, nullptr},
      {"TPanel", Make<TPanel>, nullptr, nullptr},
      {"TTaskPanel", Make<TTaskPanel>, nullptr, nullptr},
      {"THoverLabel", Make<THoverLabel>, ApplyHoverLabel, nullptr},
      {"TBevel", Make<TBevel>, nullptr, nullptr},
      {"TImage", Make<TImage>, nullptr, nullptr},
      {"TWebBrowser", Make<TWebBrowser>, nullptr, nullptr},
      {"TEtchedLabel", Make<TEtchedLabel>, nullptr, nullptr},
      {"TXpSpeedButton", Make<TXpSpeedButton>, ApplySpeedButton, nullptr},
      {"TXpProgressBar", Make<TXpProgressBar>, nullptr, nullptr},
      {"TSpeedButton", Make<TSpeedButton>, ApplyPlainSpeedButton, nullptr},
      {"TPageControl", Make<TPageControl>, nullptr, nullptr},
      {"TTabSheet", Make<TTabSheet>, ApplyTabSheet, nullptr},
      {"TDriveComboBox", Make<TDriveComboBox>, nullptr, nullptr},
      {"TDirectoryListBox", Make<TDirectoryListBox>, nullptr, nullptr},
      {"TFileListBox", Make<TFileListBox>, nullptr, nullptr},
      {"TFilterComboBox", Make<TFilterComboBox>, nullptr, nullptr},
  };
  return classes;
}
