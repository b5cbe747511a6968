#pragma once

#include <string>
#include <vector>

namespace midiport {

// Makes every name of a port list unique: the second and later ports that
// share a name get " (2)", " (3)" ... in list order.
std::vector<std::string> MakeUniquePortNames(const std::vector<std::string>& names);

}  // namespace midiport
