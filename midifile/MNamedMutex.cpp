#include "midifile/MNamedMutex.h"

#include <map>
#include <memory>
#include <string>

std::recursive_mutex& MNamedMutex::Get(std::string_view name) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<std::recursive_mutex>, std::less<>> locks;
    std::lock_guard lock(mutex);
    auto found = locks.find(name);
    if (found == locks.end())
        found = locks.emplace(std::string(name), std::make_unique<std::recursive_mutex>()).first;
    return *found->second;
}
