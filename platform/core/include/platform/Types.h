// Basic value types of the toolkit: integer aliases, points, rectangles,
// sizes and 256-bit byte sets.
#pragma once

#include <algorithm>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

// Integer aliases with the toolkit's and Win32's names.
using Byte = std::uint8_t;
using Word = std::uint16_t;
using SmallInt = std::int16_t;
using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongInt = std::int32_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using NativeInt = std::intptr_t;
using NativeUInt = std::uintptr_t;

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(std::int32_t x, std::int32_t y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TPoint& a, const TPoint& b) { return a.X == b.X && a.Y == b.Y; }
  friend constexpr bool operator!=(const TPoint& a, const TPoint& b) { return !(a == b); }
};
using POINT = TPoint;

struct TSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  constexpr TSize() = default;
  constexpr TSize(std::int32_t w, std::int32_t h) : cx(w), cy(h) {}
  friend constexpr bool operator==(const TSize& a, const TSize& b) { return a.cx == b.cx && a.cy == b.cy; }
  friend constexpr bool operator!=(const TSize& a, const TSize& b) { return !(a == b); }
};
using SIZE = TSize;

// Right and Bottom are exclusive, as in Win32.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
      : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TRect(const TPoint& topLeft, const TPoint& bottomRight)
      : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
  constexpr std::int32_t Width() const { return Right - Left; }
  constexpr std::int32_t Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return TPoint(Left, Top); }
  constexpr TPoint BottomRight() const { return TPoint(Right, Bottom); }
  friend constexpr bool operator==(const TRect& a, const TRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  }
  friend constexpr bool operator!=(const TRect& a, const TRect& b) { return !(a == b); }
};
using RECT = TRect;

constexpr TPoint Point(std::int32_t x, std::int32_t y) { return TPoint(x, y); }
constexpr TRect Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  return TRect(left, top, right, bottom);
}
constexpr TRect Bounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  return TRect(left, top, left + width, top + height);
}

// Rectangle arithmetic with the Win32 rules.
constexpr bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
constexpr bool PtInRect(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
constexpr bool EqualRect(const TRect& a, const TRect& b) { return a == b; }
// Returns false and sets dst empty (all zero) when the two do not overlap.
inline bool IntersectRect(TRect& dst, const TRect& a, const TRect& b) {
  TRect r(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom));
  if (IsRectEmpty(r)) {
    dst = TRect();
    return false;
  }
  dst = r;
  return true;
}
// An empty source is ignored; two empty sources give an empty (all zero) result.
inline bool UnionRect(TRect& dst, const TRect& a, const TRect& b) {
  if (IsRectEmpty(a)) {
    dst = IsRectEmpty(b) ? TRect() : b;
  } else if (IsRectEmpty(b)) {
    dst = a;
  } else {
    dst = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                std::max(a.Bottom, b.Bottom));
  }
  return !IsRectEmpty(dst);
}
inline void OffsetRect(TRect& r, std::int32_t dx, std::int32_t dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}
inline void InflateRect(TRect& r, std::int32_t dx, std::int32_t dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}

// A set of byte values (the toolkit's "set of Char"): 256 bits.
class TSysCharSet {
 public:
  TSysCharSet() = default;
  // Every byte of `chars` is a member.
  explicit TSysCharSet(std::string_view chars) { Include(chars); }
  TSysCharSet(std::initializer_list<unsigned char> chars) {
    for (unsigned char c : chars) FBits.set(c);
  }
  static TSysCharSet Range(unsigned char first, unsigned char last) {
    TSysCharSet s;
    s.IncludeRange(first, last);
    return s;
  }
  bool Contains(char c) const { return FBits.test(static_cast<unsigned char>(c)); }
  bool Contains(unsigned char c) const { return FBits.test(c); }
  bool Contains(int c) const { return c >= 0 && c < 256 && FBits.test(static_cast<std::size_t>(c)); }
  TSysCharSet& Include(unsigned char c) {
    FBits.set(c);
    return *this;
  }
  TSysCharSet& Include(std::string_view chars) {
    for (char c : chars) FBits.set(static_cast<unsigned char>(c));
    return *this;
  }
  TSysCharSet& IncludeRange(unsigned char first, unsigned char last) {
    for (unsigned c = first; c <= last; ++c) FBits.set(c);
    return *this;
  }
  TSysCharSet& Exclude(unsigned char c) {
    FBits.reset(c);
    return *this;
  }
  bool Empty() const { return FBits.none(); }
  const std::bitset<256>& Bits() const { return FBits; }
  friend TSysCharSet operator+(TSysCharSet a, const TSysCharSet& b) {
    a.FBits |= b.FBits;
    return a;
  }
  friend TSysCharSet operator-(TSysCharSet a, const TSysCharSet& b) {
    a.FBits &= ~b.FBits;
    return a;
  }
  friend TSysCharSet operator*(TSysCharSet a, const TSysCharSet& b) {
    a.FBits &= b.FBits;
    return a;
  }
  friend bool operator==(const TSysCharSet& a, const TSysCharSet& b) { return a.FBits == b.FBits; }
  friend bool operator!=(const TSysCharSet& a, const TSysCharSet& b) { return a.FBits != b.FBits; }

 private:
  std::bitset<256> FBits;
};
