// The modeless find and replace dialogs on Qt, laid out as the system's
// own: the find text (and the replacement), the whole-word and match-case
// boxes, the direction of the find dialog, and the buttons Find Next,
// Replace, Replace All and Cancel. The options of the component show,
// hide or disable the boxes; the buttons that search stay disabled while
// the find text is empty. Each press goes to the component through
// PressFindDialog; closing the dialog destroys it and tells the component,
// so the next Execute builds it again from the component's texts.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <map>

#include "platform/FindDialogs.h"
#include "platform/Forms.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtWidgetset.h"

namespace {

// The dialogs' own texts, in the program's language (UTF-8 source).
QString Ru(const char* utf8) { return QString::fromUtf8(utf8); }

// The top-level widget of the form that owns the component, else the
// application's active window.
QWidget* ParentFor(TFindDialog* dialog) {
  for (TComponent* c = dialog->Owner(); c; c = c->Owner()) {
    auto* form = dynamic_cast<TCustomForm*>(c);
    if (!form || !form->HandleAllocated()) continue;
    if (auto* peer = dynamic_cast<QtWindowPeer*>(form->WindowHandle()))
      if (peer->Outer()) return peer->Outer()->window();
  }
  return QApplication::activeWindow();
}

class QtFindDialog : public QDialog {
 public:
  QtFindDialog(TFindDialog* owner, QWidget* parent) : QDialog(parent), FOwner(owner) {
    const bool replace = owner->IsReplace();
    const TFindOptions o = owner->Options();
    setObjectName(replace ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(replace ? Ru("Заменить") : Ru("Найти"));
    setModal(false);

    auto* grid = new QGridLayout(this);
    auto* findLabel = new QLabel(Ru("Ч&то:"));
    FFind = new QLineEdit(AnsiToQString(owner->FindText()));
    FFind->setObjectName("FindText");
    findLabel->setBuddy(FFind);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(FFind, 0, 1);
    if (replace) {
      auto* replaceLabel = new QLabel(Ru("Ч&ем:"));
      FReplace = new QLineEdit(AnsiToQString(owner->ReplaceText()));
      FReplace->setObjectName("ReplaceText");
      replaceLabel->setBuddy(FReplace);
      grid->addWidget(replaceLabel, 1, 0);
      grid->addWidget(FReplace, 1, 1);
    }

    FWhole = Box(Ru("Только &слово целиком"), "WholeWord", o.Contains(frWholeWord), o.Contains(frHideWholeWord),
                 o.Contains(frDisableWholeWord));
    FCase = Box(Ru("С учетом &регистра"), "MatchCase", o.Contains(frMatchCase), o.Contains(frHideMatchCase),
                o.Contains(frDisableMatchCase));
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(FWhole);
    boxes->addWidget(FCase);
    auto* lower = new QHBoxLayout;
    lower->addLayout(boxes);
    if (!replace) {
      // The direction: down unless frDown is off.
      auto* direction = new QGroupBox(Ru("Направление"));
      direction->setObjectName("Direction");
      FUp = new QRadioButton(Ru("&Вверх"));
      FUp->setObjectName("Up");
      FDown = new QRadioButton(Ru("Вн&из"));
      FDown->setObjectName("Down");
      (o.Contains(frDown) ? FDown : FUp)->setChecked(true);
      auto* row = new QHBoxLayout(direction);
      row->addWidget(FUp);
      row->addWidget(FDown);
      direction->setVisible(!o.Contains(frHideUpDown));
      direction->setEnabled(!o.Contains(frDisableUpDown));
      lower->addWidget(direction);
    }
    grid->addLayout(lower, replace ? 2 : 1, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    FNext = Button(buttons, Ru("Найти &далее"), "FindNext", TFindButton::FindNext);
    FNext->setDefault(true);
    if (replace) {
      FReplaceOne = Button(buttons, Ru("За&менить"), "Replace", TFindButton::Replace);
      FReplaceAll = Button(buttons, Ru("Заменить &все"), "ReplaceAll", TFindButton::ReplaceAll);
    }
    auto* cancel = new QPushButton(Ru("Отмена"));
    cancel->setObjectName("Cancel");
    buttons->addWidget(cancel);
    if (o.Contains(frShowHelp)) {
      auto* help = new QPushButton(Ru("&Справка"));
      help->setObjectName("Help");
      buttons->addWidget(help);
    }
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, replace ? 3 : 2, 1);
    connect(cancel, &QPushButton::clicked, this, [this] { close(); });
    connect(FFind, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();
  }

  // The component goes (or closes the dialog itself): no more reports.
  void Detach() { FOwner = nullptr; }

 protected:
  void closeEvent(QCloseEvent* e) override {
    QDialog::closeEvent(e);
    Closed();
  }
  // Escape closes like Cancel (and reports it; QDialog's reject would only
  // hide the window).
  void reject() override { close(); }

 private:
  QCheckBox* Box(const QString& caption, const char* name, bool checked, bool hidden, bool disabled) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    box->setChecked(checked);
    box->setVisible(!hidden);
    box->setEnabled(!disabled);
    return box;
  }
  QPushButton* Button(QVBoxLayout* column, const QString& caption, const char* name, TFindButton button) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    column->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, button] { Press(button); });
    return b;
  }
  void UpdateButtons() {
    const bool any = !FFind->text().isEmpty();
    for (QPushButton* b : {FNext, FReplaceOne, FReplaceAll})
      if (b) b->setEnabled(any);
  }
  void Press(TFindButton button) {
    TFindDialog* owner = FOwner;
    if (!owner || FFind->text().isEmpty()) return;
    TFindPress press;
    press.Button = button;
    press.FindText = QStringToAnsi(FFind->text());
    if (FReplace) press.ReplaceText = QStringToAnsi(FReplace->text());
    press.MatchCase = FCase->isChecked();
    press.WholeWord = FWhole->isChecked();
    press.Down = FDown ? FDown->isChecked() : owner->Options().Contains(frDown);
    QPointer<QtFindDialog> self(this);
    GuardEvent([owner, &press] { PressFindDialog(*owner, press); });
    // The press may have closed the dialog.
    if (self) FFind->setFocus();
  }
  void Closed();

  TFindDialog* FOwner;
  QLineEdit* FFind = nullptr;
  QLineEdit* FReplace = nullptr;
  QCheckBox* FWhole = nullptr;
  QCheckBox* FCase = nullptr;
  QRadioButton* FUp = nullptr;
  QRadioButton* FDown = nullptr;
  QPushButton* FNext = nullptr;
  QPushButton* FReplaceOne = nullptr;
  QPushButton* FReplaceAll = nullptr;
};

std::map<TFindDialog*, QPointer<QtFindDialog>>& Dialogs() {
  static std::map<TFindDialog*, QPointer<QtFindDialog>> dialogs;
  return dialogs;
}

void QtFindDialog::Closed() {
  TFindDialog* owner = FOwner;
  if (!owner) return;
  FOwner = nullptr;
  Dialogs().erase(owner);
  deleteLater();
  // The texts as the user left them stay with the component.
  owner->SetFindText(QStringToAnsi(FFind->text()));
  if (FReplace) owner->SetReplaceText(QStringToAnsi(FReplace->text()));
  GuardEvent([owner] { owner->DoClosed(); });
}

}  // namespace

void QtUiService::ShowFindDialog(TFindDialog* dialog) {
  QPointer<QtFindDialog>& d = Dialogs()[dialog];
  if (!d) d = new QtFindDialog(dialog, ParentFor(dialog));
  d->show();
  d->raise();
  d->activateWindow();
}

void QtUiService::CloseFindDialog(TFindDialog* dialog) {
  auto it = Dialogs().find(dialog);
  if (it == Dialogs().end()) return;
  if (QtFindDialog* d = it->second) {
    d->Detach();
    d->hide();
    d->deleteLater();
  }
  Dialogs().erase(it);
}
