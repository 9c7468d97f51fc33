// Key translation: physical keys, the Russian layout's letters, key data
// and the characters of a key press.
#include <gtest/gtest.h>

#include "QtTestEnv.h"
#include "platform/CodePage.h"

namespace {

TEST(QtKeysTest, PhysicalKeysGiveVirtualKeys) {
  struct {
    quint32 code;
    bool digits;
    uint16_t vk;
  } cases[] = {
      {54, false, 'C'},        {38, false, 'A'},       {10, false, '1'},        {36, false, VK_RETURN},
      {104, false, VK_RETURN}, {113, false, VK_LEFT},  {119, false, VK_DELETE}, {79, true, VK_NUMPAD7},
      {79, false, VK_HOME},    {91, false, VK_DELETE}, {91, true, VK_DECIMAL},  {34, false, VK_OEM_4},
      {49, false, VK_OEM_3},   {67, false, VK_F1},     {96, false, VK_F12},     {105, false, VK_CONTROL},
      {94, false, VK_OEM_102}, {1, false, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyFromX11Keycode(c.code, c.digits), c.vk) << c.code;
}

TEST(QtKeysTest, QtKeysAndTheRussianLayout) {
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_C, Qt::NoModifier), 'C');
  EXPECT_EQ(VirtualKeyFromQtKey(0x0421, Qt::NoModifier), 'C');       // С
  EXPECT_EQ(VirtualKeyFromQtKey(0x0441, Qt::NoModifier), 'C');       // с
  EXPECT_EQ(VirtualKeyFromQtKey(0x0425, Qt::NoModifier), VK_OEM_4);  // Х
  EXPECT_EQ(VirtualKeyFromQtKey(0x0401, Qt::NoModifier), VK_OEM_3);  // Ё
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_5, Qt::KeypadModifier), VK_NUMPAD5);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_PageDown, Qt::NoModifier), VK_NEXT);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_F24, Qt::NoModifier), VK_F24);
  // Without a scan code the Qt key decides.
  EXPECT_EQ(VirtualKeyFromQt(0x0421, Qt::ControlModifier, 0, QStringLiteral("\u0003")), 'C');
}

TEST(QtKeysTest, KeyDataAndCharacters) {
  LPARAM d = KeyDataFor(VK_LEFT, 113, false, false, false);
  EXPECT_EQ(d & 0xFFFF, 1);
  EXPECT_NE(d & (1 << 24), 0);  // extended
  LPARAM pad = KeyDataFor(VK_LEFT, 83, true, true, false);
  EXPECT_EQ(pad & (1 << 24), 0);
  EXPECT_NE(pad & (1 << 29), 0);  // Alt
  EXPECT_NE(pad & (1 << 30), 0);  // repeat
  EXPECT_EQ((KeyDataFor('A', 38, false, false, true) >> 31) & 1, 1);
  EXPECT_EQ(((KeyDataFor('A', 38, false, false, false) >> 16) & 0xFF), 30);
  // Ctrl+letter makes the control character on any layout.
  EXPECT_EQ(CharsForKey('C', Qt::ControlModifier, QStringLiteral("с")), "\x03");
  EXPECT_EQ(CharsForKey('A', Qt::NoModifier, QStringLiteral("ф")), Ansi("ф"));
  EXPECT_EQ(CharsForKey(VK_RETURN, Qt::NoModifier, QStringLiteral("\r")), "\r");
  EXPECT_EQ(CharsForKey(VK_DELETE, Qt::NoModifier, QStringLiteral("\x7f")), "");
  EXPECT_EQ(CharsForKey(VK_OEM_3, Qt::NoModifier, QStringLiteral("€")), "\x88");
}

}  // namespace
