// The browser window: one embedded web browser filling the window. The
// preview commands set its caption and navigate it, the web print
// commands print its page, the script library previews through it.
#pragma once

#include "platform/Forms.h"
#include "platform/WebBrowser.h"

class TForm24 : public TForm {
 public:
  explicit TForm24(TComponent* owner);
  const char* ClassName() const override { return "TForm24"; }

  TWebBrowser* WebBrowser1 = nullptr;
};

extern TForm24* Form24;
