#include "SrcEditScanCheckpoints.h"

#include <algorithm>
#include <iterator>

const TSrcScanCheckpoints::TLine* TSrcScanCheckpoints::Find(int line, TSrcScanState startState) const {
  auto it = FLines.find(line);
  if (it == FLines.end() || it->second.StartState != startState) return nullptr;
  return &it->second;
}

const TSrcScanCheckpoints::TLine* TSrcScanCheckpoints::Get(int line) const {
  auto it = FLines.find(line);
  return it == FLines.end() ? nullptr : &it->second;
}

const TSrcScanCheckpoint* TSrcScanCheckpoints::Before(int line, TSrcScanState startState, int pos) const {
  const TLine* l = Find(line, startState);
  if (l == nullptr || l->Valid == 0) return nullptr;
  const auto begin = l->Points.begin(), end = begin + static_cast<std::ptrdiff_t>(l->Valid);
  auto it = std::upper_bound(begin, end, pos, [](int p, const TSrcScanCheckpoint& c) { return p < c.Pos; });
  return it == begin ? nullptr : &*std::prev(it);
}

void TSrcScanCheckpoints::Store(int line, TLine&& points) {
  if (points.Points.empty())
    FLines.erase(line);
  else
    FLines[line] = std::move(points);
}

void TSrcScanCheckpoints::Drop(int line) { FLines.erase(line); }

void TSrcScanCheckpoints::LinesInserted(int index, int count) {
  if (count <= 0) return;
  // Moved from the last line up, so no key is overwritten.
  auto it = FLines.end();
  while (it != FLines.begin()) {
    --it;
    if (it->first < index) break;
    auto node = FLines.extract(it--);
    node.key() += count;
    FLines.insert(std::move(node));
    ++it;
  }
}

void TSrcScanCheckpoints::LinesDeleted(int index, int count) {
  if (count <= 0) return;
  auto it = FLines.lower_bound(index);
  while (it != FLines.end() && it->first < index + count) it = FLines.erase(it);
  while (it != FLines.end()) {
    auto node = FLines.extract(it++);
    node.key() -= count;
    FLines.insert(std::move(node));
  }
}

void TSrcScanCheckpoints::Edited(int line, int pos, int removed, int inserted, int margin) {
  auto it = FLines.find(line);
  if (it == FLines.end()) return;
  TLine& l = it->second;
  const long long keepBelow = static_cast<long long>(pos) - margin;              // valid points up to here stay
  const long long compareFrom = static_cast<long long>(pos) + removed + margin;  // old points from here move
  const long long shift = static_cast<long long>(inserted) - removed;
  std::vector<TSrcScanCheckpoint> kept;
  kept.reserve(l.Points.size());
  std::size_t valid = 0;
  for (std::size_t i = 0; i < l.Points.size(); ++i) {
    const TSrcScanCheckpoint& c = l.Points[i];
    if (i < l.Valid && c.Pos <= keepBelow) {
      kept.push_back(c);
      valid = kept.size();
    } else if (c.Pos >= compareFrom) {
      kept.push_back({static_cast<int>(c.Pos + shift), c.State});
    }
  }
  l.Points = std::move(kept);
  l.Valid = valid;
  if (l.Points.empty()) FLines.erase(it);
}
