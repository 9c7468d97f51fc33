// The clipboard's block and text formats pasted over any selection in any
// mode and option combination: undo gives back the old text exactly, redo
// the new one, undo the old one again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "PasteRoundTrip.h"
#include "SrcMemo.h"
#include "platform/Widgetset.h"

namespace {

struct TWorld {
  FakeWidgetset Fake;
  std::unique_ptr<TSrcMemo> Edit;
  TWorld() {
    SetWidgetset(&Fake);
    Edit = std::make_unique<TSrcMemo>(nullptr);
    Edit->SetBounds(0, 0, 360, 160);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TWorld* world = new TWorld;
  TFuzzInput in(data, size);
  TPasteScenario s;
  const TSrcEditorOptions options[] = {eoTrimTrailingSpaces, eoScrollPastEol, eoGroupUndo, eoAutoIndent};
  for (TSrcEditorOptions o : options) (in.Pick(2) ? s.Options : s.Cleared) |= o;
  s.Mode = static_cast<TSrcSelectionMode>(in.Pick(3));
  for (int n = in.Pick(6); n > 0; --n) {
    std::string line = in.Bytes(12);
    line.erase(std::remove_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }), line.end());
    // Blanks already in the text that a change leaves at a line's end are
    // trimmed without an undo item: with the option the lines hold none.
    if (s.Options & eoTrimTrailingSpaces)
      line.erase(std::remove_if(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; }), line.end());
    s.Lines.push_back(line);
  }
  const int lines = std::max<int>(1, static_cast<int>(s.Lines.size()));
  s.From = BufferCoord(1 + in.Pick(16), 1 + in.Pick(lines));
  s.To = BufferCoord(1 + in.Pick(16), 1 + in.Pick(lines));
  s.BlockMode = in.Pick(5) - 1;  // -1: text only; 3: a mode no control writes
  s.Text = in.Bytes(24);
  const std::string fault = CheckPasteRoundTrip(world->Edit.get(), world->Fake, s);
  if (!fault.empty()) std::fprintf(stderr, "%s\n", fault.c_str());
  Require(fault.empty());
  return 0;
}
