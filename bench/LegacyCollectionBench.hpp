#pragma once
// The generated legacy collection answer of the benchmarks, and the parts of its peak-memory
// report ("legacy-decode", "legacy-parse", "legacy-value").

#include <string>

namespace bench {

const std::string& legacyCollection();
void addLegacyCollectionPeakParts();

}  // namespace bench
