#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Classes.h"

namespace {

// Records what it hears and when it dies.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::vector<std::string>* log, const std::string& tag)
      : TComponent(owner), FLog(log), FTag(tag) {}
  ~TProbe() override { FLog->push_back("~" + FTag); }
  const char* ClassName() const override { return "TProbe"; }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    FLog->push_back(FTag + (operation == opInsert ? " +" : " -") + component->Name());
  }

 private:
  std::vector<std::string>* FLog;
  std::string FTag;
};

TEST(Components, OwnerDestroysWhatItOwnsLastFirst) {
  std::vector<std::string> log;
  auto* owner = new TProbe(nullptr, &log, "owner");
  auto* a = new TProbe(owner, &log, "a");
  a->SetName("A");
  auto* b = new TProbe(owner, &log, "b");
  b->SetName("B");
  auto* c = new TComponent(a);
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->Components(1), b);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(c->Owner(), a);
  EXPECT_EQ(owner->FindComponent("b"), b);  // names ignore case
  EXPECT_EQ(owner->FindComponent(""), nullptr);
  EXPECT_THROW(owner->Components(2), EListError);
  log.clear();
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"~owner", "~b", "~a"}));
}

TEST(Components, DeletingAComponentTakesItOutOfItsOwner) {
  std::vector<std::string> log;
  TProbe owner(nullptr, &log, "owner");
  auto* a = new TProbe(&owner, &log, "a");
  a->SetName("A");
  EXPECT_EQ(log.back(), "owner +");  // inserted before it had a name
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"owner +", "~a", "owner -A"}));
}

TEST(Components, NamesAreValidatedAndUniqueInTheOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Button1");
  try {
    b->SetName("BUTTON1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named BUTTON1 already exists");
  }
  try {
    b->SetName("1x");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "'1x' is not a valid component name");
  }
  a->SetName("button1");  // renaming itself in another case is fine
  b->SetName("");
  EXPECT_EQ(b->Name(), "");
}

TEST(Components, FreeNotificationReachesTheWatcher) {
  std::vector<std::string> log;
  TProbe watcher(nullptr, &log, "w");
  {
    TComponent watched(nullptr);
    watched.SetName("Img");
    watched.FreeNotification(&watcher);
    EXPECT_TRUE(watched.ComponentState() & csFreeNotification);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"w -Img"}));
  log.clear();
  // The watcher dies first: the watched one must forget it.
  auto* w2 = new TProbe(nullptr, &log, "w2");
  TComponent watched(nullptr);
  watched.FreeNotification(w2);
  delete w2;
  SUCCEED();
}

class TPoint3 : public TPersistent {
 public:
  int x = 0;
  void Assign(TPersistent* source) override {
    if (auto* p = dynamic_cast<TPoint3*>(source)) {
      x = p->x;
      return;
    }
    TPersistent::Assign(source);
  }
  const char* ClassName() const override { return "TPoint3"; }
};

TEST(Components, AssignReportsUnknownPairs) {
  TPoint3 a, b;
  b.x = 5;
  a.Assign(&b);
  EXPECT_EQ(a.x, 5);
  TStringList list;
  try {
    a.Assign(&list);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TStringList to a TPoint3");
  }
  try {
    a.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TPoint3");
  }
}

}  // namespace
