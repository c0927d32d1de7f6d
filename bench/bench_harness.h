// A small timing harness: every scenario registers itself and prints one line
//   NAME fast_ms=X plain_ms=Y literal_ms=Z ratio=Y/X identical=yes|no
// from the medians of several runs: fast is the program's way, plain the
// straightforward one, literal the one the documented algorithm spells out
// step by step; identical says whether all three leave the same results. `luch-bench [NAME...]`
// runs the named scenarios, or all of them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace luch::bench {

struct Scenario {
  std::string name;
  std::function<void()> run;  // prints its own line through Report()
};

// Registers a scenario at static initialisation.
struct Register {
  Register(std::string name, std::function<void()> run);
};

// Runs `cleanup` when every scenario has run, before the program ends (for
// what must go while the program still runs, such as windows).
void AtEnd(std::function<void()> cleanup);

// Wall time of one call of `work`, in milliseconds.
double Ms(const std::function<void()>& work);
// The median of `times` (none: 0).
double Median(std::vector<double> times);
// Median wall time of `runs` calls of `work`, in milliseconds; `prepare`
// runs untimed before each.
double MedianMs(int runs, const std::function<void()>& work);
double MedianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work);

// Prints the scenario's line.
void Report(const std::string& name, double fast_ms, double plain_ms, double literal_ms,
            bool identical);

}  // namespace luch::bench
