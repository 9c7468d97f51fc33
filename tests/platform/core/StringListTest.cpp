#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/CodePage.h"

namespace {

std::vector<std::string> Items(const TStrings& s) {
  std::vector<std::string> r;
  for (int i = 0; i < s.Count(); ++i) r.push_back(s.Strings(i));
  return r;
}

using V = std::vector<std::string>;

TEST(StringList, TextSplitsEveryBreakStyleAndKeepsNul) {
  struct {
    std::string text;
    V lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\n", {"a"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(Items(list), c.lines) << c.text;
  }
  TStringList list;
  list.SetText("a\nb");
  EXPECT_EQ(list.Text(), "a\r\nb\r\n");
}

TEST(StringList, CommaAndDelimitedText) {
  TStringList list;
  list.Add("plain");
  list.Add("with space");
  list.Add("q\"uote");
  list.Add("");
  list.Add("a,b");
  EXPECT_EQ(list.CommaText(), "plain,\"with space\",\"q\"\"uote\",,\"a,b\"");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(Items(back), Items(list));
  back.SetCommaText("a b, c ,,\"d e\",");
  EXPECT_EQ(Items(back), (V{"a", "b", "c", "", "d e", ""}));
  TStringList one;
  one.Add("");
  EXPECT_EQ(one.CommaText(), "\"\"");
  one.SetDelimiter(';');
  one.SetQuoteChar('\'');
  one.SetDelimitedText("x;'y;z'");
  EXPECT_EQ(Items(one), (V{"x", "y;z"}));
  EXPECT_EQ(one.DelimitedText(), "x;'y;z'");
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  list.SetText("Width=10\nHeight=\nTitle=a=b\nnoequals");
  EXPECT_EQ(list.Values("width"), "10");
  EXPECT_EQ(list.Values("Title"), "a=b");
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.Names(2), "Title");
  EXPECT_EQ(list.Names(3), "");
  EXPECT_EQ(list.ValueFromIndex(0), "10");
  EXPECT_EQ(list.IndexOfName("HEIGHT"), 1);
  list.SetValues("Width", "20");
  list.SetValues("New", "x");
  list.SetValues("Title", "");  // an empty value removes the line
  EXPECT_EQ(Items(list), (V{"Width=20", "Height=", "noequals", "New=x"}));
}

TEST(StringList, IndexErrorsUseTheToolkitMessages) {
  TStringList list;
  list.Add("a");
  auto expectError = [](auto f, const char* message) {
    try {
      f();
      FAIL() << message;
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  };
  expectError([&] { list.Get(1); }, "List index out of bounds (1)");
  expectError([&] { list.Delete(-1); }, "List index out of bounds (-1)");
  expectError([&] { list.Insert(3, "x"); }, "List index out of bounds (3)");
  expectError([&] { list.Exchange(0, 5); }, "List index out of bounds (5)");
  expectError([&] { list.SetCapacity(0); }, "List capacity out of bounds (0)");
  list.SetSorted(true);
  expectError([&] { list.Insert(0, "x"); }, "Operation not allowed on sorted list");
  expectError([&] { list.Put(0, "x"); }, "Operation not allowed on sorted list");
  list.SetDuplicates(dupError);
  expectError([&] { list.Add("A"); }, "String list does not allow duplicates");
}

TEST(StringList, SortedListsAndDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"b", "A", "c", "a"}) list.Add(s);  // dupIgnore: "a" equals "A"
  EXPECT_EQ(Items(list), (V{"A", "b", "c"}));
  int index = -1;
  EXPECT_TRUE(list.Find("B", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("bb", index));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(list.IndexOf("C"), 2);

  TStringList dup;
  dup.SetDuplicates(dupAccept);
  dup.SetSorted(true);
  TObject first, second;
  dup.AddObject("x", &first);
  dup.AddObject("X", &second);  // an equal item goes before the ones present
  EXPECT_EQ(dup.Objects(0), &second);
  EXPECT_EQ(dup.Objects(1), &first);
  EXPECT_TRUE(dup.Find("x", index));
  EXPECT_EQ(index, 0);

  TStringList cs;
  cs.SetCaseSensitive(true);
  cs.SetSorted(true);
  cs.Add("B");
  cs.Add("b");
  cs.Add("a");
  EXPECT_EQ(Items(cs), (V{"a", "b", "B"}));
  cs.SetCaseSensitive(false);  // re-sorted under the new rule: still findable
  EXPECT_EQ(cs.IndexOf("A"), 0);
}

TEST(StringList, SortIsStableAndCyrillicAware) {
  TStringList list;
  TObject o1, o2, o3;
  list.AddObject(Ansi("ёж"), &o1);
  list.AddObject(Ansi("Еж"), &o2);
  list.AddObject(Ansi("ЁЖ"), &o3);
  list.Add(Ansi("жук"));
  list.Add("zebra");
  list.Sort();
  EXPECT_EQ(Items(list), (V{"zebra", Ansi("Еж"), Ansi("ёж"), Ansi("ЁЖ"), Ansi("жук")}));
  EXPECT_EQ(list.Objects(2), &o1);  // equal keys keep their order
  EXPECT_EQ(list.Objects(3), &o3);
  list.CustomSort([](TStringList* l, int a, int b) {
    return static_cast<int>(l->Strings(b).size()) - static_cast<int>(l->Strings(a).size());
  });
  EXPECT_EQ(list.Strings(0), "zebra");
  EXPECT_EQ(list.Strings(1), Ansi("жук"));
  EXPECT_EQ(list.Strings(2), Ansi("Еж"));
}

TEST(StringList, ChangeEventsFollowTheUpdateCounter) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changing;
  };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  EXPECT_EQ(changing, 2);  // entering the bracket announces the change
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(list.UpdateCount(), 0);
  list.Clear();
  list.Clear();  // nothing to clear: no events
  EXPECT_EQ(changed, 3);
}

TEST(StringList, GenericOperations) {
  TStringList list;
  list.SetText("a\nb\nc\nd");
  list.Move(0, 3);
  EXPECT_EQ(Items(list), (V{"b", "c", "d", "a"}));
  list.Exchange(0, 3);
  EXPECT_EQ(Items(list), (V{"a", "c", "d", "b"}));
  TStringList copy;
  copy.Add("old");
  copy.Assign(&list);
  EXPECT_TRUE(copy.Equals(&list));
  copy.AddStrings(std::vector<std::string>{"e"});
  EXPECT_FALSE(copy.Equals(&list));
  EXPECT_EQ(copy.IndexOf("D"), 2);
  TObject o;
  copy.PutObject(1, &o);
  EXPECT_EQ(copy.IndexOfObject(&o), 1);
  copy.SetCapacity(100);
  EXPECT_GE(copy.Capacity(), 100);
  TStringList owning;
  owning.SetOwnsObjects(true);
  owning.AddObject("x", new TStringList);  // freed by the list (checked by the sanitizer build)
  owning.Delete(0);
  owning.AddObject("y", new TStringList);
}

}  // namespace
