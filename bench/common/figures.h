// Repeated measurements and the figures printed from them: the median as
// the figure, the minimum and maximum as its spread.
#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>  // brings std::chrono::steady_clock; <chrono> itself does not compile with -fexec-charset=GBK
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class Samples {
 public:
  void Add(double value) { values_.push_back(value); }
  std::size_t Count() const { return values_.size(); }
  double Median() const {
    if (values_.empty()) return 0;
    std::vector<double> sorted = values_;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
  }
  double Min() const { return values_.empty() ? 0 : *std::min_element(values_.begin(), values_.end()); }
  double Max() const { return values_.empty() ? 0 : *std::max_element(values_.begin(), values_.end()); }
  // (max - min) / median, in percent: how far apart the repetitions lie.
  double SpreadPercent() const {
    const double median = Median();
    return median == 0 ? 0 : (Max() - Min()) / median * 100.0;
  }

 private:
  std::vector<double> values_;
};

}  // namespace bench
