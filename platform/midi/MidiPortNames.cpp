#include "platform/midi/MidiPortNames.h"

#include <set>

namespace midiport {

std::vector<std::string> MakeUniquePortNames(const std::vector<std::string>& names) {
    std::vector<std::string> result;
    result.reserve(names.size());
    std::set<std::string> taken(names.begin(), names.end());
    std::set<std::string> used;
    for (const std::string& name : names) {
        std::string unique = name;
        // A suffixed name that another port carries as its own is skipped.
        for (int n = 2; used.count(unique) != 0 || (n > 2 && taken.count(unique) != 0); ++n)
            unique = name + " (" + std::to_string(n) + ")";
        used.insert(unique);
        result.push_back(unique);
    }
    return result;
}

}  // namespace midiport
