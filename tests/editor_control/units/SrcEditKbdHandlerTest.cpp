#include "SrcEditKbdHandler.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(KbdHandler, EmptyChainsChangeNothing) {
  TSrcEditKbdHandler h;
  std::uint16_t key = 'A';
  h.ExecuteKeyDown(nullptr, key, TShiftState{ssCtrl});
  h.ExecuteKeyUp(nullptr, key, TShiftState());
  char ch = 'x';
  h.ExecuteKeyPress(nullptr, ch);
  int cursor = 5;
  h.ExecuteMouseCursor(nullptr, BufferCoord(1, 1), cursor);
  EXPECT_EQ(key, 'A');
  EXPECT_EQ(ch, 'x');
  EXPECT_EQ(cursor, 5);
}

TEST(KbdHandler, KeyChainsRunLastFirstAndStopWhenConsumed) {
  TSrcEditKbdHandler h;
  std::string order;
  int a = 0, b = 0, c = 0;
  h.AddKeyDownHandler(&a, [&](TObject*, std::uint16_t&, TShiftState) { order += 'a'; });
  h.AddKeyDownHandler(&b, [&](TObject*, std::uint16_t& key, TShiftState s) {
    order += 'b';
    if (s.Contains(ssCtrl)) key = 0;
  });
  h.AddKeyDownHandler(&c, [&](TObject*, std::uint16_t&, TShiftState) { order += 'c'; });
  std::uint16_t key = 'K';
  h.ExecuteKeyDown(nullptr, key, TShiftState());
  EXPECT_EQ(order, "cba");
  order.clear();
  h.ExecuteKeyDown(nullptr, key, TShiftState{ssCtrl});
  EXPECT_EQ(order, "cb");
  EXPECT_EQ(key, 0);

  h.RemoveKeyDownHandler(&b);
  EXPECT_EQ(h.KeyDownChain().Count(), 2);
  EXPECT_EQ(h.KeyDownChain().Items(1).Data, &c);

  h.AddKeyPressHandler(&a, [&](TObject*, char& k) { k = 'z'; });
  h.AddKeyPressHandler(&b, [&](TObject*, char& k) { k = '\0'; });
  char ch = 'q';
  h.ExecuteKeyPress(nullptr, ch);
  EXPECT_EQ(ch, '\0');  // the first handler never ran
}

TEST(KbdHandler, MouseChainsRunAllAndNeverReenter) {
  TSrcEditKbdHandler h;
  int calls = 0;
  int inner = 0;
  h.AddMouseDownHandler(&calls, [&](TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
    ++calls;
    // Firing the same chain from inside a handler does nothing.
    h.ExecuteMouseDown(sender, b, s, x, y);
  });
  h.AddMouseDownHandler(&inner, [&](TObject*, TMouseButton, TShiftState, int x, int) { inner += x; });
  h.ExecuteMouseDown(nullptr, mbLeft, TShiftState(), 3, 4);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(inner, 3);

  // The guard is released when a handler throws.
  h.AddMouseUpHandler(&calls, [&](TObject*, TMouseButton, TShiftState, int, int) { throw Exception("boom"); });
  EXPECT_THROW(h.ExecuteMouseUp(nullptr, mbRight, TShiftState(), 0, 0), Exception);
  EXPECT_THROW(h.ExecuteMouseUp(nullptr, mbRight, TShiftState(), 0, 0), Exception);

  h.AddMouseCursorHandler(&calls, [&](TObject*, const TBufferCoord& p, int& cursor) { cursor = p.Line; });
  int cursor = 0;
  h.ExecuteMouseCursor(nullptr, BufferCoord(2, 9), cursor);
  EXPECT_EQ(cursor, 9);
}

}  // namespace
