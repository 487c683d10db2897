#pragma once
// The generated legacy collection answer of the benchmarks, and its peak-memory report.

#include <string>

namespace bench {

const std::string& legacyCollection();
void reportLegacyCollectionPeakMemory();

}  // namespace bench
