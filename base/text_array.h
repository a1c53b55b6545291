// TextArray: an ordered list of owned texts, indexed from 1.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "base/source_location.h"
#include "base/text.h"

namespace sw {

class TextArray {
 public:
  TextArray() = default;

  int Count() const { return static_cast<int>(items_.size()); }
  // Element i, 1 to Count(); any other index is a fatal index error.
  const Text& At(int index, const SourceLocation& where = SourceLocation::current()) const;
  void Append(const Text& text) { items_.push_back(text); }
  void Append(Text&& text) { items_.push_back(std::move(text)); }
  void Clear() { items_.clear(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  friend bool operator==(const TextArray& a, const TextArray& b) { return a.items_ == b.items_; }

 private:
  std::vector<Text> items_;
};

inline int ArrayCount(const TextArray& array) { return array.Count(); }
inline void ArrayAppend(TextArray& array, const Text& text) { array.Append(text); }

// Splits at the delimiter ("," when not given); see the rules in text_array.cpp.
TextArray SplitText(const Text& text, const std::optional<Text>& delimiter = std::nullopt,
                    std::optional<int> maximumCount = std::nullopt);

}  // namespace sw
