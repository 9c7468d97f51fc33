// RTF: any bytes convert to text without failing; any text written as RTF
// reads back as itself (its line breaks as CR LF).
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "platform/RichEdit.h"

namespace {

// Breaks as the reader gives them back: CR LF, lone CR and lone LF all CR LF.
std::string CrLf(const std::string& text) {
  std::string r;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      r += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      r += text[i];
    }
  }
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = RtfToText(bytes);
  (void)IsRtf(bytes);
  // The text of any document goes through again unchanged.
  Require(RtfToText(TextToRtf(text)) == CrLf(text));
  // So does the input itself taken as text (NUL ends nothing here).
  if (bytes.find('\0') == std::string::npos) Require(RtfToText(TextToRtf(bytes)) == CrLf(bytes));
  return 0;
}
