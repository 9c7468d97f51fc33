// Helpers for driving the HTML highlighter through its token protocol.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "SrcHighlighterHtml.h"

struct TTok {
  int Start;
  std::string Text;
  std::string Attr;  // the attribute's Name, "" for none
  friend bool operator==(const TTok& a, const TTok& b) {
    return a.Start == b.Start && a.Text == b.Text && a.Attr == b.Attr;
  }
};

inline std::ostream& operator<<(std::ostream& os, const TTok& t) {
  os << "{" << t.Start << ", \"";
  for (char c : t.Text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u >= 127 || c == '"' || c == '\\') {
      const char* hex = "0123456789ABCDEF";
      os << "\\x" << hex[u >> 4] << hex[u & 15];
    } else {
      os << c;
    }
  }
  return os << "\", \"" << t.Attr << "\"}";
}

// Scans one line from `state` (the range byte; -1: ResetScanState) and
// returns every token; `endState` gets GetScanState at the line end. Checks
// on the way that each token starts where the previous one ended and that
// TokenKind and TokenAttribute agree.
inline std::vector<TTok> ScanLine(TSrcHTMLHighlighter& h, const std::string& line, int state, int* endState = nullptr,
                                  std::vector<int>* kinds = nullptr) {
  if (state < 0)
    h.ResetScanState();
  else
    h.SetScanState(state);
  h.StartLine(line, 0);
  std::vector<TTok> out;
  int guard = 0;
  while (!h.AtLineEnd() && guard++ < 100000) {
    TSrcHighlighterAttributes* a = h.TokenAttribute();
    out.push_back({h.TokenStart(), h.TokenText(), a != nullptr ? a->Name() : std::string()});
    if (kinds != nullptr) kinds->push_back(h.TokenKind());
    h.NextToken();
  }
  if (endState != nullptr) *endState = static_cast<int>(h.GetScanState());
  return out;
}
