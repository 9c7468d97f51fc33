// Native Qt widgets for the standard controls: "EDIT" (QLineEdit, or
// QPlainTextEdit for ES_MULTILINE), "BUTTON" (push button, check box,
// radio button), "COMBOBOX" and "LISTBOX".
//
// The control holds the state; the peer shows it (the Win32 messages the
// control sends reach the peer's DefWindowProc) and reports what the user
// does (BQM_* state messages, then CN_COMMAND notifications). Keys go
// through the toolkit first: a key the toolkit uses (a shortcut, a dialog
// key, a key an OnKeyDown or OnKeyPress handler took) does not reach the
// widget.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextBlock>
#include <QTextCursor>

#include "platform/CodePage.h"
#include "platform/Controls.h"
#include "platform/StdCtrls.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtWidgetset.h"

namespace {

int CharsetOf(TWinControl* c) { return c && c->Font() ? c->Font()->Charset() : RUSSIAN_CHARSET; }

class QtNativePeer : public QtWindowPeer {
 public:
  QtNativePeer(QtWidgetset& ws, TWinControl* control, const TCreateParams& params, QWidget* widget)
      : QtWindowPeer(ws, control, params, widget), FWidget(widget) {}

  bool FilterEvent(QObject* watched, QEvent* e) override {
    if (watched == Client()) {
      if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        QtWidgetset& ws = Qws();
        uint16_t vk = VirtualKeyFromQt(ke->key(), ke->modifiers(), ke->nativeScanCode(), ke->text());
        bool chars = !CharsForKey(vk, ke->modifiers(), ke->text()).empty();
        FKeyDefault = false;
        FCharDefault = false;
        QtWindowPeer::FilterEvent(watched, e);
        if (!ws.IsWindow(this)) return true;
        // The widget gets the key when the toolkit left it to the window.
        bool pass = FKeyDefault && (!chars || FCharDefault);
        return !pass;
      }
      if (e->type() == QEvent::ContextMenu && Control() && Control()->PopupMenu()) {
        // The control's own popup menu replaces the widget's.
        QtWindowPeer::FilterEvent(watched, e);
        return true;
      }
    }
    return QtWindowPeer::FilterEvent(watched, e);
  }

  void DefWindowProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: FKeyDefault = true; break;
      case WM_CHAR:
      case WM_SYSCHAR: FCharDefault = true; break;
      case WM_SETFONT:
        if (auto* f = dynamic_cast<QtGdiFont*>(reinterpret_cast<HFONT>(m.WParam))) FWidget->setFont(f->Font());
        ApplyColors();
        break;
      case BQM_SETCOLORS:
        ApplyColors();
        m.Result = 0;
        return;
      default: break;
    }
    QtWindowPeer::DefWindowProc(m);
  }

 protected:
  // Font and colours of the control.
  void ApplyLook() {
    if (TWinControl* c = Control()) {
      QtGdiFont f(c->Font()->MakeLogFont());
      FWidget->setFont(f.Font());
    }
    ApplyColors();
  }
  virtual void ApplyColors() {
    TWinControl* c = Control();
    if (!c) return;
    QPalette pal = FWidget->palette();
    pal.setColor(QPalette::Base, ColorToQColor(ColorToRGB(c->Color())));
    pal.setColor(QPalette::Text, ColorToQColor(ColorToRGB(c->Font()->Color())));
    FWidget->setPalette(pal);
  }
  QString Decode(const std::string& s) const { return DecodeCharset(s, CharsetOf(Control())); }
  std::string Encode(const QString& s) const {
    return CharsetOf(Control()) == OEM_CHARSET ? Utf16ToCp866(s.toStdU16String()) : QStringToAnsi(s);
  }

  QWidget* FWidget;
  bool FKeyDefault = false;
  bool FCharDefault = false;
};

// ---- edit ----
// The right button over a multi-line text box lands on its viewport, which
// the peer's filter does not watch: the control's own popup menu is asked
// for from there.
class QtViewportMenuFilter : public QObject {
 public:
  QtViewportMenuFilter(QWidget* viewport, QtWindowPeer* peer) : QObject(viewport), FPeer(peer) {
    viewport->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::ContextMenu || !FPeer) return false;
    TWinControl* control = FPeer->Control();
    if (!control || !control->PopupMenu()) return false;
    const QPoint at = static_cast<QContextMenuEvent*>(e)->globalPos();
    QtWindowPeer* peer = FPeer;
    GuardEvent([peer, at] { peer->Send(WM_CONTEXTMENU, WPARAM(peer), MakeLParam(at.x(), at.y())); });
    return true;
  }

 private:
  QtWindowPeer* FPeer;
};

class QtEditPeer : public QtNativePeer {
 public:
  static QWidget* MakeWidget(const TCreateParams& p) {
    if (p.Style & ES_MULTILINE) return new QPlainTextEdit;
    return new QLineEdit;
  }

  QtEditPeer(QtWidgetset& ws, TWinControl* control, const TCreateParams& params)
      : QtNativePeer(ws, control, params, MakeWidget(params)) {
    FLine = qobject_cast<QLineEdit*>(FWidget);
    FMemo = qobject_cast<QPlainTextEdit*>(FWidget);
    FWidget->setFocusPolicy(Qt::StrongFocus);
    FWidget->setAttribute(Qt::WA_InputMethodEnabled);
    if (FLine) {
      FLine->setFrame(false);
      FLine->setReadOnly(params.Style & ES_READONLY);
      if (params.Style & ES_PASSWORD) FLine->setEchoMode(QLineEdit::Password);
      QObject::connect(FLine, &QLineEdit::textEdited, FLine, [this] { GuardEvent([this] { UserText(); }); });
      QObject::connect(FLine, &QLineEdit::cursorPositionChanged, FLine, [this] { GuardEvent([this] { UserSel(); }); });
      QObject::connect(FLine, &QLineEdit::selectionChanged, FLine, [this] { GuardEvent([this] { UserSel(); }); });
    } else {
      FMemo->setFrameShape(QFrame::NoFrame);
      FMemo->setReadOnly(params.Style & ES_READONLY);
      FMemo->setLineWrapMode((params.Style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
      SetScrollPolicy((params.Style & WS_VSCROLL) != 0, (params.Style & WS_HSCROLL) != 0);
      QObject::connect(FMemo, &QPlainTextEdit::textChanged, FMemo, [this] {
        if (!FSync) GuardEvent([this] { UserText(); });
      });
      QObject::connect(FMemo, &QPlainTextEdit::cursorPositionChanged, FMemo,
                       [this] { GuardEvent([this] { UserSel(); }); });
      QObject::connect(FMemo, &QPlainTextEdit::selectionChanged, FMemo, [this] { GuardEvent([this] { UserSel(); }); });
      QObject::connect(FMemo, &QPlainTextEdit::undoAvailable, FMemo, [this](bool on) {
        if (!FSync) GuardEvent([this, on] { Send(BQM_CANUNDO, on ? 1 : 0, 0); });
      });
      FMenuFilter = new QtViewportMenuFilter(FMemo->viewport(), this);
    }
    ApplyLook();
    PushText();
  }

  void DefWindowProc(TMessage& m) override {
    switch (m.Msg) {
      case EM_SETSEL:
        SetSelection(int(intptr_t(m.WParam)), int(m.LParam));
        m.Result = 0;
        return;
      case EM_SETREADONLY:
        if (FLine) FLine->setReadOnly(m.WParam != 0);
        if (FMemo) FMemo->setReadOnly(m.WParam != 0);
        m.Result = 1;
        return;
      case EM_LIMITTEXT:
        if (FLine) FLine->setMaxLength(m.WParam ? int(m.WParam) : 32767);
        m.Result = 0;
        return;
      case EM_SETPASSWORDCHAR:
        if (FLine) FLine->setEchoMode(m.WParam ? QLineEdit::Password : QLineEdit::Normal);
        m.Result = 0;
        return;
      case BQM_UNDO: {
        bool could = FLine ? FLine->isUndoAvailable() : FMemo->document()->isUndoAvailable();
        if (!could) {
          m.Result = 0;
          return;
        }
        if (FLine)
          FLine->undo();
        else
          FMemo->undo();
        m.Result = 1;
        return;
      }
      case BQM_SETLAYOUT: {
        Qt::Alignment a = m.WParam == taCenter         ? Qt::AlignHCenter
                          : m.WParam == taRightJustify ? Qt::AlignRight
                                                       : Qt::AlignLeft;
        if (FLine) FLine->setAlignment(a | Qt::AlignVCenter);
        if (FMemo) {
          FMemo->setLineWrapMode(m.LParam ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
          QTextOption o = FMemo->document()->defaultTextOption();
          o.setAlignment(a);
          FMemo->document()->setDefaultTextOption(o);
        }
        m.Result = 0;
        return;
      }
      case BQM_SETSCROLLBARS:
        if (FMemo)
          SetScrollPolicy(m.WParam == ssVertical || m.WParam == ssBoth, m.WParam == ssHorizontal || m.WParam == ssBoth);
        m.Result = 0;
        return;
      case WM_GETDLGCODE:
        m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL | (FMemo ? DLGC_WANTALLKEYS : 0);
        return;
      default: break;
    }
    QtNativePeer::DefWindowProc(m);
  }

  ~QtEditPeer() override { delete FMenuFilter; }

 protected:
  void TextChanged() override {
    if (!FSync) PushText();
  }

 private:
  QPointer<QtViewportMenuFilter> FMenuFilter;

  void SetScrollPolicy(bool v, bool h) {
    FMemo->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FMemo->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  }

  void PushText() {
    FSync = true;
    if (FLine) {
      QString t = Decode(Text());
      if (FLine->text() != t) FLine->setText(t);
    } else if (FMemo) {
      QString t = Decode(TextToFlat(Text()));
      if (FMemo->toPlainText() != t) FMemo->setPlainText(t);
    }
    FSync = false;
  }

  std::string WidgetText() const {
    if (FLine) return Encode(FLine->text());
    return FlatToText(Encode(FMemo->toPlainText()));
  }

  void WidgetSelection(int& start, int& length) const {
    int a, b;
    if (FLine) {
      if (FLine->hasSelectedText()) {
        a = FLine->selectionStart();
        b = a + int(FLine->selectedText().size());
      } else {
        a = b = FLine->cursorPosition();
      }
      start = a;
      length = b - a;
      return;
    }
    QTextCursor c = FMemo->textCursor();
    const std::string& t = Text();
    a = FlatToWinPos(t, c.selectionStart());
    b = FlatToWinPos(t, c.selectionEnd());
    start = a;
    length = b - a;
  }

  void SetSelection(int a, int b) {
    FSync = true;
    if (FLine) {
      if (a == b)
        FLine->setCursorPosition(a);
      else
        FLine->setSelection(a, b - a);
    } else if (FMemo) {
      const std::string& t = Text();
      QTextCursor c = FMemo->textCursor();
      c.setPosition(WinToFlatPos(t, a));
      c.setPosition(WinToFlatPos(t, b), QTextCursor::KeepAnchor);
      FMemo->setTextCursor(c);
    }
    FSync = false;
  }

  void UserText() {
    if (FSync) return;
    QtWidgetset& ws = Qws();
    FSync = true;
    TWindowPeer::SetText(WidgetText());
    FSync = false;
    int start, length;
    WidgetSelection(start, length);
    Send(BQM_SELCHANGED, WPARAM(start), LPARAM(length));
    if (!ws.IsWindow(this)) return;
    if (FLine) Send(BQM_CANUNDO, FLine->isUndoAvailable() ? 1 : 0, 0);
    if (!ws.IsWindow(this)) return;
    Send(CN_COMMAND, MakeWParam(0, EN_CHANGE), 0);
  }

  void UserSel() {
    if (FSync) return;
    int start, length;
    WidgetSelection(start, length);
    Send(BQM_SELCHANGED, WPARAM(start), LPARAM(length));
  }

  QLineEdit* FLine = nullptr;
  QPlainTextEdit* FMemo = nullptr;
  bool FSync = false;
};

// ---- buttons ----
class QtButtonPeer : public QtNativePeer {
 public:
  static QWidget* MakeWidget(const TCreateParams& p) {
    switch (p.Style & BS_TYPEMASK) {
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE: return new QCheckBox;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: return new QRadioButton;
      default: return new QPushButton;
    }
  }

  QtButtonPeer(QtWidgetset& ws, TWinControl* control, const TCreateParams& params)
      : QtNativePeer(ws, control, params, MakeWidget(params)) {
    FButton = static_cast<QAbstractButton*>(FWidget);
    FWidget->setFocusPolicy(Qt::StrongFocus);
    if (auto* check = qobject_cast<QCheckBox*>(FButton)) {
      DWORD type = params.Style & BS_TYPEMASK;
      check->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
    }
    if (auto* radio = qobject_cast<QRadioButton*>(FButton)) radio->setAutoExclusive(false);
    if (auto* push = qobject_cast<QPushButton*>(FButton)) {
      push->setAutoDefault(false);
      push->setDefault((params.Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    }
    QObject::connect(FButton, &QAbstractButton::clicked, FButton, [this] {
      if (FSync) return;
      GuardEvent([this] { Send(CN_COMMAND, MakeWParam(0, BN_CLICKED), 0); });
    });
    ApplyLook();
    PushText();
  }

  void DefWindowProc(TMessage& m) override {
    switch (m.Msg) {
      case BM_SETCHECK:
        FSync = true;
        if (auto* check = qobject_cast<QCheckBox*>(FButton))
          check->setCheckState(m.WParam == BST_CHECKED         ? Qt::Checked
                               : m.WParam == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                               : Qt::Unchecked);
        else if (FButton->isCheckable() || qobject_cast<QRadioButton*>(FButton))
          FButton->setChecked(m.WParam == BST_CHECKED);
        FSync = false;
        m.Result = 0;
        return;
      case BM_SETSTYLE:
        SetStyle((Style() & ~BS_TYPEMASK) | (DWORD(m.WParam) & BS_TYPEMASK));
        if (auto* push = qobject_cast<QPushButton*>(FButton))
          push->setDefault((m.WParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        m.Result = 0;
        return;
      case WM_SETFONT:
      case WM_SIZE:
        QtNativePeer::DefWindowProc(m);
        if (Style() & BS_MULTILINE) PushText();
        return;
      case WM_GETDLGCODE:
        m.Result = qobject_cast<QRadioButton*>(FButton)          ? DLGC_RADIOBUTTON | DLGC_BUTTON
                   : qobject_cast<QCheckBox*>(FButton)           ? DLGC_BUTTON
                   : (Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_BUTTON | DLGC_DEFPUSHBUTTON
                                                                 : DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        return;
      default: break;
    }
    QtNativePeer::DefWindowProc(m);
  }

 protected:
  void TextChanged() override { PushText(); }
  void ApplyColors() override {
    TWinControl* c = Control();
    if (!c || qobject_cast<QPushButton*>(FButton)) return;
    QPalette pal = FWidget->palette();
    // A button fills its background with the Button role and writes its
    // caption in ButtonText: both follow the control (a check box on a
    // white form is white).
    const QColor back = ColorToQColor(ColorToRGB(c->Color()));
    const QColor text = ColorToQColor(ColorToRGB(c->Font()->Color()));
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Button, back);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::ButtonText, text);
    FWidget->setPalette(pal);
    FWidget->setAutoFillBackground(true);
  }

 private:
  void PushText() {
    QString text = Decode(Text());
    if (Style() & BS_MULTILINE) text = Wrapped(text);
    if (FButton->text() != text) FButton->setText(text);
  }
  // A multi-line button breaks its caption between words where the next
  // word would pass the room its style leaves for the text.
  QString Wrapped(const QString& text) const {
    TWinControl* c = Control();
    if (!c) return text;
    QStyleOptionButton opt;
    opt.initFrom(FButton);
    opt.rect = QRect(0, 0, c->Width(), c->Height());
    const QStyle::SubElement contents = qobject_cast<QCheckBox*>(FButton)      ? QStyle::SE_CheckBoxContents
                                        : qobject_cast<QRadioButton*>(FButton) ? QStyle::SE_RadioButtonContents
                                                                               : QStyle::SE_PushButtonContents;
    const int room = FButton->style()->subElementRect(contents, &opt, FButton).width();
    const QFontMetrics fm(FButton->font());
    auto shown = [](const QString& s) {
      QString out;
      for (int i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size()) ++i;
        out += s[i];
      }
      return out;
    };
    QString out, line;
    for (const QString& word : text.split(' ')) {
      const QString longer = line.isEmpty() ? word : line + ' ' + word;
      if (!line.isEmpty() && fm.horizontalAdvance(shown(longer)) > room) {
        out += line + '\n';
        line = word;
      } else {
        line = longer;
      }
    }
    return out + line;
  }
  QAbstractButton* FButton;
  bool FSync = false;
};

// ---- combo box ----
class QtComboWidget : public QComboBox {
 public:
  std::function<void()> OnDropDown;
  std::function<void()> OnCloseUp;
  void showPopup() override {
    if (OnDropDown) OnDropDown();
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (OnCloseUp) OnCloseUp();
  }
};

class QtComboBoxPeer : public QtNativePeer {
 public:
  QtComboBoxPeer(QtWidgetset& ws, TWinControl* control, const TCreateParams& params)
      : QtNativePeer(ws, control, params, new QtComboWidget) {
    FCombo = static_cast<QtComboWidget*>(FWidget);
    FWidget->setFocusPolicy(Qt::StrongFocus);
    DWORD kind = params.Style & 0x3;
    FCombo->setEditable(kind != CBS_DROPDOWNLIST);
    FCombo->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(FCombo, QOverload<int>::of(&QComboBox::activated), FCombo, [this](int index) {
      if (FSync) return;
      GuardEvent([this, index] { UserChose(index); });
    });
    if (QLineEdit* le = FCombo->lineEdit()) {
      QObject::connect(le, &QLineEdit::textEdited, le, [this] {
        if (FSync) return;
        GuardEvent([this] { UserTyped(); });
      });
    }
    FCombo->OnDropDown = [this] {
      GuardEvent([this] {
        QtWidgetset& ws = Qws();
        Send(BQM_DROPPED, 1, 0);
        if (ws.IsWindow(this)) Send(CN_COMMAND, MakeWParam(0, CBN_DROPDOWN), 0);
      });
    };
    FCombo->OnCloseUp = [this] {
      GuardEvent([this] {
        QtWidgetset& ws = Qws();
        Send(BQM_DROPPED, 0, 0);
        if (ws.IsWindow(this)) Send(CN_COMMAND, MakeWParam(0, CBN_CLOSEUP), 0);
      });
    };
    ApplyLook();
    PushText();
  }

  ~QtComboBoxPeer() override {
    FCombo->OnDropDown = nullptr;
    FCombo->OnCloseUp = nullptr;
    // The widget is deleted later; until then its signals reach nobody.
    QObject::disconnect(FCombo, nullptr, FCombo, nullptr);
    if (QLineEdit* le = FCombo->lineEdit()) QObject::disconnect(le, nullptr, le, nullptr);
  }

  void DefWindowProc(TMessage& m) override {
    FSync = true;
    struct TReset {
      bool& F;
      ~TReset() { F = false; }
    } reset{FSync};
    switch (m.Msg) {
      case CB_RESETCONTENT:
        FCombo->clear();
        PushText();
        m.Result = 0;
        return;
      case CB_ADDSTRING:
        FCombo->addItem(Decode(m.LParam ? reinterpret_cast<const char*>(m.LParam) : ""));
        if (FCombo->isEditable()) PushText();
        m.Result = FCombo->count() - 1;
        return;
      case CB_INSERTSTRING:
        FCombo->insertItem(int(intptr_t(m.WParam)), Decode(m.LParam ? reinterpret_cast<const char*>(m.LParam) : ""));
        m.Result = int(intptr_t(m.WParam));
        return;
      case CB_DELETESTRING:
        FCombo->removeItem(int(m.WParam));
        m.Result = FCombo->count();
        return;
      case CB_SETCURSEL:
        FCombo->setCurrentIndex(int(intptr_t(m.WParam)));
        if (FCombo->isEditable()) PushText();
        m.Result = FCombo->currentIndex();
        return;
      case CB_SHOWDROPDOWN:
        reset.F = false;
        FSync = false;
        if (m.WParam)
          FCombo->showPopup();
        else
          FCombo->hidePopup();
        m.Result = 1;
        return;
      case CB_LIMITTEXT:
        if (FCombo->lineEdit()) FCombo->lineEdit()->setMaxLength(m.WParam ? int(m.WParam) : 32767);
        m.Result = 1;
        return;
      case CB_SETEDITSEL:
        if (QLineEdit* le = FCombo->lineEdit())
          le->setSelection(LoWord(uintptr_t(m.LParam)), HiWord(uintptr_t(m.LParam)) - LoWord(uintptr_t(m.LParam)));
        m.Result = 1;
        return;
      default: break;
    }
    reset.F = false;
    FSync = false;
    QtNativePeer::DefWindowProc(m);
  }

 protected:
  void TextChanged() override {
    if (!FSync) PushText();
  }

 private:
  void PushText() {
    bool was = FSync;
    FSync = true;
    if (FCombo->isEditable()) {
      QString t = Decode(Text());
      if (FCombo->currentText() != t) FCombo->setEditText(t);
    }
    FSync = was;
  }

  void UserChose(int index) {
    QtWidgetset& ws = Qws();
    FSync = true;
    TWindowPeer::SetText(index >= 0 ? Encode(FCombo->itemText(index)) : std::string());
    FSync = false;
    Send(BQM_ITEMINDEX, WPARAM(intptr_t(index)), 0);
    if (ws.IsWindow(this)) Send(CN_COMMAND, MakeWParam(0, CBN_SELCHANGE), 0);
  }

  void UserTyped() {
    QtWidgetset& ws = Qws();
    FSync = true;
    TWindowPeer::SetText(Encode(FCombo->currentText()));
    FSync = false;
    if (QLineEdit* le = FCombo->lineEdit()) {
      int a = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
      int n = le->hasSelectedText() ? int(le->selectedText().size()) : 0;
      Send(BQM_SELCHANGED, WPARAM(a), LPARAM(n));
      if (!ws.IsWindow(this)) return;
    }
    Send(CN_COMMAND, MakeWParam(0, CBN_EDITCHANGE), 0);
  }

  QtComboWidget* FCombo;
  bool FSync = false;
};

// ---- list box ----
class QtListBoxPeer : public QtNativePeer {
 public:
  QtListBoxPeer(QtWidgetset& ws, TWinControl* control, const TCreateParams& params)
      : QtNativePeer(ws, control, params, new QListWidget) {
    FList = static_cast<QListWidget*>(FWidget);
    FList->setFrameShape(QFrame::NoFrame);
    FList->setFocusPolicy(Qt::StrongFocus);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    // The user's choice is the row that becomes selected: taking the focus
    // makes the first row current without selecting it, and the user chose
    // nothing then (a list box of the platform this program comes from
    // selects nothing on focus either).
    QObject::connect(FList, &QListWidget::itemSelectionChanged, FList, [this] {
      if (FSync) return;
      const QList<QListWidgetItem*> selected = FList->selectedItems();
      if (selected.isEmpty()) return;
      const int row = FList->row(selected.front());
      GuardEvent([this, row] {
        QtWidgetset& ws = Qws();
        Send(BQM_ITEMINDEX, WPARAM(intptr_t(row)), 0);
        if (ws.IsWindow(this)) Send(CN_COMMAND, MakeWParam(0, LBN_SELCHANGE), 0);
      });
    });
    QObject::connect(FList, &QListWidget::itemDoubleClicked, FList, [this](QListWidgetItem*) {
      GuardEvent([this] { Send(CN_COMMAND, MakeWParam(0, LBN_DBLCLK), 0); });
    });
    ApplyLook();
  }

  // The widget is deleted later and may still take the focus (a window
  // activated while the forms are being freed): its signals must not reach
  // this peer any more.
  ~QtListBoxPeer() override { QObject::disconnect(FList, nullptr, FList, nullptr); }

  void DefWindowProc(TMessage& m) override {
    auto text = [&] { return Decode(m.LParam ? reinterpret_cast<const char*>(m.LParam) : ""); };
    FSync = true;
    struct TReset {
      bool& F;
      ~TReset() { F = false; }
    } reset{FSync};
    switch (m.Msg) {
      case LB_RESETCONTENT:
        FList->clear();
        m.Result = 0;
        return;
      case LB_ADDSTRING:
        FList->addItem(text());
        m.Result = FList->count() - 1;
        return;
      case LB_INSERTSTRING:
        FList->insertItem(int(intptr_t(m.WParam)), text());
        m.Result = int(intptr_t(m.WParam));
        return;
      case LB_DELETESTRING:
        delete FList->takeItem(int(m.WParam));
        m.Result = FList->count();
        return;
      case LB_SETCURSEL:
        FList->setCurrentRow(int(intptr_t(m.WParam)));
        m.Result = FList->currentRow();
        return;
      case LB_SETTOPINDEX:
        if (QListWidgetItem* it = FList->item(int(m.WParam))) FList->scrollToItem(it, QAbstractItemView::PositionAtTop);
        m.Result = 0;
        return;
      default: break;
    }
    reset.F = false;
    FSync = false;
    QtNativePeer::DefWindowProc(m);
  }

 private:
  QListWidget* FList;
  bool FSync = false;
};

template <typename T>
IWidgetset::TPeerFactory Factory() {
  return [](IWidgetset& w, TWinControl* c, const TCreateParams& p) -> TWindowPeer* {
    return new T(static_cast<QtWidgetset&>(w), c, p);
  };
}

}  // namespace

void RegisterQtStdControls(QtWidgetset& ws) {
  ws.RegisterWindowClass(EditWindowClass, Factory<QtEditPeer>());
  ws.RegisterWindowClass(ButtonWindowClass, Factory<QtButtonPeer>());
  ws.RegisterWindowClass(ComboBoxWindowClass, Factory<QtComboBoxPeer>());
  ws.RegisterWindowClass(ListBoxWindowClass, Factory<QtListBoxPeer>());
}
