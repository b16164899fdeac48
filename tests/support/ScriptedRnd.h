// Test support: scripted random draws. While a ScriptedRnd lives, vb::Rnd returns its
// values in order; a draw past the end of the script fails the test and gives 0, unless
// the script goes on with one value for ever (ThenAlways).
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/vb/Random.h"

namespace testsupport {

// The value r for which Int(n x r + 1) is k: the middle of k's share of [0, 1).
inline double Pick(int k, int n) { return (k - 0.5) / n; }

class ScriptedRnd {
 public:
  explicit ScriptedRnd(std::vector<double> values = {}) : values_(std::move(values)) {
    previous_ = vb::SetRndSource([this] { return Next(); });
  }
  ~ScriptedRnd() { vb::SetRndSource(std::move(previous_)); }
  ScriptedRnd(const ScriptedRnd&) = delete;
  ScriptedRnd& operator=(const ScriptedRnd&) = delete;

  // Appends values to the script.
  void Add(std::initializer_list<double> values) { values_.insert(values_.end(), values); }
  // Every draw past the end of the script gives value.
  void ThenAlways(double value) {
    after_ = value;
    endless_ = true;
  }
  // How many values have been drawn, and how many are left.
  size_t Drawn() const { return next_; }
  size_t Left() const { return values_.size() - next_; }

 private:
  double Next() {
    if (next_ >= values_.size()) {
      if (endless_) return after_;
      ADD_FAILURE() << "Rnd drawn past the end of the script (" << values_.size() << " values)";
      return 0;
    }
    return values_[next_++];
  }

  std::vector<double> values_;
  size_t next_ = 0;
  bool endless_ = false;
  double after_ = 0;
  vb::RndSource previous_;
};

}  // namespace testsupport
