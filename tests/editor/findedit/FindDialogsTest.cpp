// The presses of the find and replace dialogs as the platform reports them:
// texts, the user's choices and exactly one button flag, then the event;
// and the scripted step that stands for the dialog being shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/Dialogs.h"
#include "platform/FindDialogs.h"
#include "platform/testing/ScriptedFindDialog.h"

namespace {

struct TSeen {
  std::string Event;
  std::string Find;
  std::string Replace;
  TFindOptions Options;
};

class FindDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Replace.SetOptions(TFindOptions{frDown, frReplace, frReplaceAll});
    for (TFindDialog* d : {static_cast<TFindDialog*>(&Find), static_cast<TFindDialog*>(&Replace)}) {
      d->OnFind = [this, d](TObject*) { Seen.push_back({"find", d->FindText(), d->ReplaceText(), d->Options()}); };
      d->OnReplace = [this, d](TObject*) {
        Seen.push_back({"replace", d->FindText(), d->ReplaceText(), d->Options()});
      };
    }
  }
  TUiScriptScope Ui;
  TFindDialog Find{nullptr};
  TReplaceDialog Replace{nullptr};
  std::vector<TSeen> Seen;
};

TEST_F(FindDialogsTest, EachButtonSetsItsOwnFlagOnly) {
  PressReplace(Replace, "aa", "a");
  PressReplaceAll(Replace, "bb", "b");
  PressFindNext(Replace, "cc");
  ASSERT_EQ(Seen.size(), 3u);
  EXPECT_EQ(Seen[0].Event, "replace");
  EXPECT_EQ(Seen[0].Find, "aa");
  EXPECT_EQ(Seen[0].Replace, "a");
  EXPECT_EQ(Seen[0].Options, (TFindOptions{frDown, frReplace}));
  EXPECT_EQ(Seen[1].Event, "replace");
  EXPECT_EQ(Seen[1].Options, (TFindOptions{frDown, frReplaceAll}));
  EXPECT_EQ(Seen[2].Event, "find");
  EXPECT_EQ(Seen[2].Find, "cc");
  EXPECT_EQ(Seen[2].Replace, "b");  // the replace box keeps its text
  EXPECT_EQ(Seen[2].Options, (TFindOptions{frDown, frFindNext}));
}

TEST_F(FindDialogsTest, TheUsersChoicesTravelWithThePress) {
  TFindPress press;
  press.FindText = "X";
  press.MatchCase = true;
  press.WholeWord = true;
  press.Down = false;
  PressFindDialog(Find, press);
  ASSERT_EQ(Seen.size(), 1u);
  EXPECT_EQ(Seen[0].Options, (TFindOptions{frFindNext, frMatchCase, frWholeWord}));
  // The shorthands keep what the dialog holds.
  PressFindNext(Find, "Y");
  EXPECT_EQ(Seen[1].Options, (TFindOptions{frFindNext, frMatchCase, frWholeWord}));
  // A find dialog has no replace buttons.
  press.Button = TFindButton::ReplaceAll;
  PressFindDialog(Find, press);
  EXPECT_EQ(Seen.size(), 2u);
}

TEST_F(FindDialogsTest, ScriptedShowPlaysWithTheDialog) {
  Ui->Expect(ExpectFindDialogShown(true, [](TFindDialog& d) { PressReplaceAll(d, "x", "y"); }));
  Ui->Expect(ExpectFindDialogShown(false));
  EXPECT_TRUE(Replace.Execute());
  EXPECT_TRUE(Replace.Showing());
  ASSERT_EQ(Seen.size(), 1u);
  EXPECT_EQ(Seen[0].Options, (TFindOptions{frDown, frReplaceAll}));
  EXPECT_TRUE(Find.Execute());
  ASSERT_EQ(Ui->History().size(), 2u);
  EXPECT_EQ(Ui->History()[0].Kind, TUiKind::ReplaceDialog);
  EXPECT_EQ(Ui->History()[0].Answer, 1);
  EXPECT_EQ(Ui->History()[1].Kind, TUiKind::FindDialog);
  Find.CloseDialog();
  EXPECT_FALSE(Find.Showing());
}

}  // namespace
