// Marks: small objects attached to lines of the text and shown in the
// gutter; ten of them can be the control's bookmarks.
#pragma once

#include <array>
#include <vector>

#include "platform/Classes.h"

class TCustomSrcEdit;
class TSrcEditMarkList;

class TSrcEditMark : public TObject {
 public:
  explicit TSrcEditMark(TCustomSrcEdit* AOwner);
  const char* ClassName() const override { return "TSrcEditMark"; }

  // The owner, or none once the mark has left the owner's mark list (a new
  // mark keeps its owner until it is first added).
  virtual TCustomSrcEdit* Owner();
  virtual void SetChar(int Value);
  virtual void SetImageIndex(int Value);
  virtual void SetLine(int Value);

  int Line() const { return FLine; }
  int Char() const { return FChar; }
  int ImageIndex() const { return FImageIndex; }
  int BookmarkNumber() const { return FBookmarkNumber; }
  void SetBookmarkNumber(int Value) { FBookmarkNumber = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool InternalImage() const { return FInternalImage; }
  void SetInternalImage(bool Value);
  bool IsBookmark() const { return FBookmarkNumber >= 0; }

 protected:
  int FLine = 0;
  int FChar = 0;
  TCustomSrcEdit* FOwner = nullptr;
  int FImageIndex = 0;
  int FBookmarkNumber = -1;
  bool FVisible = false;
  bool FInternalImage = false;

 private:
  friend class TSrcEditMarkList;
  // The owner while the mark is in the owner's mark list, else none; it
  // forgets nothing, so the setters of a mark not yet added (nothing of it
  // is shown yet) leave its owner in place.
  TCustomSrcEdit* ListedOwner() const;
  // Repaints the gutter row of Line when the mark is listed.
  void InvalidateRow() const;
  TSrcEditMarkList* FList = nullptr;  // the list that holds the mark
  bool FListed = false;               // it has been in a list
};

using TSrcEditMarks = std::array<TSrcEditMark*, 16>;

// The marks of one control, in the order they were added. Owns them.
class TSrcEditMarkList : public TObject {
 public:
  explicit TSrcEditMarkList(TCustomSrcEdit* AOwner) : FOwner(AOwner) {}
  ~TSrcEditMarkList() override;
  const char* ClassName() const override { return "TSrcEditMarkList"; }

  int Add(TSrcEditMark* Item);
  // Removes the mark from the list (it is not freed).
  void Remove(TSrcEditMark* Item);
  bool Contains(const TSrcEditMark* Item) const;
  TSrcEditMark* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  int Count() const { return static_cast<int>(FItems.size()); }
  // Frees every mark and empties the list; fires the change hook once when
  // anything was removed.
  void ClearAndFree();
  // Up to 16 marks of the line, in list order; unused slots are none.
  void GetMarksForLine(int Line, TSrcEditMarks& Marks) const;
  TCustomSrcEdit* Owner() const { return FOwner; }

  TNotifyEvent OnChange;

 private:
  void DoChange();
  TCustomSrcEdit* FOwner;
  std::vector<TSrcEditMark*> FItems;
};
