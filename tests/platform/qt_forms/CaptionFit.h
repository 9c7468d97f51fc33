// Whether every caption of a window shows whole in the fonts the widget set
// puts in the place of the faces the window was laid out for. A label is
// measured as it draws itself (DrawText in its font, wrapped when it wraps);
// a button, check box or radio button in the native widget that shows it:
// its caption in the widget's font against the room the widget's style
// leaves for the text beside the box or inside the frame, each line of a
// multi-line one, and its lines against its height.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/Gdi.h"
#include "platform/StdCtrls.h"
#include "platform/Win32.h"
#include "platform/qt/QtWidgetset.h"

// The rectangle `text` needs in `font` (DT_CALCRECT), within `width` when
// it wraps.
inline TRect CaptionNeeds(TFont* font, const std::string& text, UINT flags, int width) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->Handle());
  TRect r(0, 0, width, 0);
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r;
}

// The caption a native button shows, without its accelerator marks.
inline QString ShownCaption(const QString& text) {
  QString out;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// The cut captions of `form` ("Form.Control \"caption\": needs N, has M"),
// and how many captions were measured.
inline std::vector<std::string> CutCaptions(TCustomForm* form, int& measured) {
  std::vector<std::string> cut;
  auto report = [&](TControl* c, const std::string& caption, int need, int room) {
    if (need > room)
      cut.push_back(form->Name() + "." + c->Name() + " \"" + Cp1251ToUtf8(caption) + "\" in " + c->Font()->Name() +
                    " " + std::to_string(c->Font()->Height()) + ": needs " + std::to_string(need) + ", has " +
                    std::to_string(room));
  };
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponent* c = form->Components(i);
    if (auto* label = dynamic_cast<TCustomLabel*>(c)) {
      if (label->Caption().empty()) continue;
      const UINT flags = label->WordWrap() ? DT_WORDBREAK : DT_SINGLELINE;
      const TRect need =
          CaptionNeeds(label->Font(), label->Caption(), flags, label->WordWrap() ? label->Width() : 32767);
      report(label, label->Caption(), need.Width(), label->Width());
      report(label, label->Caption(), need.Height(), label->Height());
      ++measured;
    } else if (auto* button = dynamic_cast<TButtonControl*>(c)) {
      if (button->Caption().empty()) continue;
      auto* peer = dynamic_cast<QtWindowPeer*>(button->Handle());
      auto* widget = peer ? qobject_cast<QAbstractButton*>(peer->Client()) : nullptr;
      if (!widget) continue;
      QStyleOptionButton opt;
      opt.initFrom(widget);
      opt.rect = QRect(0, 0, button->Width(), button->Height());
      opt.text = widget->text();
      QStyle::SubElement contents = QStyle::SE_PushButtonContents;
      int margins = 0;
      if (qobject_cast<QCheckBox*>(widget)) {
        contents = QStyle::SE_CheckBoxContents;
      } else if (qobject_cast<QRadioButton*>(widget)) {
        contents = QStyle::SE_RadioButtonContents;
      } else {
        // A push button keeps its margin on each side of the caption.
        margins = 2 * widget->style()->pixelMetric(QStyle::PM_ButtonMargin, &opt, widget) / 2;
      }
      const int room = widget->style()->subElementRect(contents, &opt, widget).width() - margins;
      // A multi-line button shows its caption in lines, one under another.
      const QFontMetrics fm(widget->font());
      const QStringList lines = widget->text().split('\n');
      int need = 0;
      for (const QString& line : lines) need = std::max(need, fm.horizontalAdvance(ShownCaption(line)));
      report(button, button->Caption(), need, room);
      report(button, button->Caption(), int(lines.size()) * fm.height(), button->Height());
      ++measured;
    }
  }
  return cut;
}

// Every caption of `form` shows whole; gives how many were measured.
inline int ExpectCaptionsFit(TCustomForm* form) {
  int measured = 0;
  for (const std::string& c : CutCaptions(form, measured)) ADD_FAILURE() << c;
  return measured;
}
