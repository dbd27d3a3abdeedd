// What the benchmark programs share: a monotonic clock, the summary of a set
// of samples, its report line, and a scratch folder laid out like an
// installed one (the model library beside the data).
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

inline int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

struct Figures {
  double median, low, high;
};

inline Figures Summarise(std::vector<double> samples) {
  if (samples.empty()) return {0, 0, 0};
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2], samples.front(), samples.back()};
}

inline void Report(const char* what, const Figures& figures, int runs, const char* target) {
  std::printf("%-40s median %6.2f ms (min %.2f, max %.2f; %d runs; target %s)\n", what, figures.median, figures.low,
              figures.high, runs, target);
}

// A new folder under /tmp with a copy of the model library in it.
inline std::string MakeInstalledFolder() {
  char pattern[] = "/tmp/ecr-bench-XXXXXX";
  const std::string folder = mkdtemp(pattern);
  std::filesystem::copy_file(ECR_BIN_DIR "/Arvodll.so", folder + "/Arvodll.so");
  return folder;
}
