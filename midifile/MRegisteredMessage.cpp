#include "midifile/MRegisteredMessage.h"

#include <map>
#include <mutex>
#include <string>

unsigned MRegisteredMessage::Register(std::string_view name) {
    static std::mutex mutex;
    static std::map<std::string, unsigned, std::less<>> ids;
    std::lock_guard lock(mutex);
    const auto found = ids.find(name);
    if (found != ids.end()) return found->second;
    const unsigned id = 0xC000u + static_cast<unsigned>(ids.size());
    ids.emplace(std::string(name), id);
    return id;
}
