// Named character references known to the HTML highlighter, with a hash
// lookup over their names.
#pragma once

#include <array>
#include <string_view>

inline constexpr int HtmlEntityCount = 249;

// The entity texts, each "&" + name + ";", in their table order; the index of
// a text is its place here.
extern const std::array<std::string_view, HtmlEntityCount> HtmlEntities;

// Index of the entity whose whole text stands at `amp` (which points to the
// "&"), compared with case; -1 when none does. Reads the letters and digits
// after the "&" and the byte after them, never more: a NUL-terminated line is
// never read past its end.
int HtmlFindEntity(const unsigned char* amp);
