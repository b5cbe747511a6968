#pragma once

#include <string_view>

// Process-wide notice ids by name: the same name always gives the same id
// (0xC000 and up), a new name the next free one.
class MRegisteredMessage {
public:
    static unsigned Register(std::string_view name);
};
