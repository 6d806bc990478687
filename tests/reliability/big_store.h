// Large quote stores made by the tests.
#pragma once

#include <string>
#include <vector>

#include "layouts.h"

namespace reliability {

/// One entry, in the file code page (ISO-8859-1).
using talvo_test::Entry;

/// `count` distinct entries; entry i reads "Citação número i, <tag>." by "Autor i".
std::vector<Entry> numbered_entries(int count, const std::string& tag);
/// The search string (console code page) that matches entry `i` of numbered_entries alone.
std::string search_for(int i);

/// The entries less the one at `i`.
std::vector<Entry> without(std::vector<Entry> entries, int i);

}  // namespace reliability
