// The HTML highlighter's token protocol over any line, from any scan state:
// tokens start where the previous one ended, lie inside the line, advance
// at least every second token, and cover the line up to its end.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "SrcHighlighterHtml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TSrcHTMLHighlighter* highlighter = new TSrcHTMLHighlighter(nullptr);
  TFuzzInput in(data, size);
  const int state = in.Pick(257) - 1;
  std::string text = in.Rest();
  // Lines hold no breaks; each piece between them is one line, scanned on
  // from the state the previous one ended in.
  std::size_t begin = 0;
  if (state < 0)
    highlighter->ResetScanState();
  else
    highlighter->SetScanState(state);
  for (int line = 0; begin <= text.size(); ++line) {
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string::npos) end = text.size();
    const std::string piece = text.substr(begin, end - begin);
    highlighter->StartLine(piece, line);
    int pos = 0;
    bool lastEmpty = false;
    while (!highlighter->AtLineEnd()) {
      Require(highlighter->TokenStart() == pos);
      const int length = highlighter->TokenLength();
      // An empty token stands before an escape or a script mark; the next
      // one always advances.
      Require(length > 0 || (length == 0 && !lastEmpty));
      lastEmpty = length == 0;
      Require(pos + length <= static_cast<int>(piece.size()));
      Require(highlighter->TokenText() ==
              piece.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(length)));
      pos += length;
      highlighter->NextToken();
    }
    Require(pos == static_cast<int>(piece.size()));
    highlighter->SetScanState(highlighter->GetScanState());
    begin = end + 1;
  }
  return 0;
}
