// The programs' own button pictures, drawn in code and registered as named
// bitmap resources: the editor's 19 tool bar glyphs (24 x 24) and the help
// viewer's seven (32 x 32). Each picture's bottom-left pixel is its
// transparent colour. The help viewer's banner (287 x 87, JPEG) is resource
// data.
#pragma once

#include <string>
#include <vector>

struct TGlyphName {
  const char* Name;
  int Size;
};

// Resource names of the tool bar glyphs, left to right as the tool bar
// shows them, and of the viewer's buttons, left to right.
const std::vector<TGlyphName>& ToolBarGlyphs();
const std::vector<TGlyphName>& ViewerGlyphs();

// Registers the pictures (once; a name registered before is kept).
void RegisterToolBarGlyphs();
void RegisterViewerGlyphs();

// The resource name of the viewer's banner and its registration (once).
extern const char* const kViewerBanner;
void RegisterViewerBanner();
