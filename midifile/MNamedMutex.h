#pragma once

#include <mutex>
#include <string_view>

// Process-wide re-entrant locks by name: every caller that asks for the same
// name gets the same lock, which lives as long as the process.
class MNamedMutex {
public:
    static std::recursive_mutex& Get(std::string_view name);
};
