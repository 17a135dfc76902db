#pragma once
// Catalogs of made-up but realistic entries for the benchmarks: Chinese names
// and Windows paths (many with Chinese folders), as GBK text.

#include <string>
#include <vector>

#include "core/Catalog.hpp"

namespace velarion::bench {

struct GeneratedEntry {
    std::string name, path;
};

// `count` entries of one category; the same arguments always give the same
// entries, and the names of one category never repeat.
std::vector<GeneratedEntry> generatedEntries(Category category, int count, int first = 0);

// The bytes of a kjfs.ini holding `perCategory` entries in every category, as
// the program itself writes them (CRLF lines, lists ending in the separator).
std::string generatedCatalogIni(int perCategory);
// The same with the counts per category given one by one (in category order).
std::string generatedCatalogIni(const std::vector<int>& counts);

}  // namespace velarion::bench
