// The answers of the library for the last few distinct names: a ray has a
// handful of cable and block types, repeated over thousands of rows, and a
// comparison of two short texts is cheaper than a lookup by name.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace luch {

template <typename Value, size_t N = 8>
class RecentLookup {
 public:
  // The value for the pair (first, second): kept, or `compute()` when the
  // pair is not among the last N asked for.
  template <typename Compute>
  const Value& Get(std::string_view first, std::string_view second, Compute compute) {
    for (const Entry& entry : entries_) {
      if (entry.used && entry.first == first && entry.second == second) return entry.value;
    }
    Entry& entry = entries_[next_];
    next_ = (next_ + 1) % N;
    entry.first.assign(first);
    entry.second.assign(second);
    entry.value = compute();
    entry.used = true;
    return entry.value;
  }

 private:
  struct Entry {
    std::string first;
    std::string second;
    Value value{};
    bool used = false;
  };
  std::array<Entry, N> entries_{};
  size_t next_ = 0;
};

}  // namespace luch
