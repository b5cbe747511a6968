#pragma once
// Asks the user, through the prompter, what to do when a copied or moved
// file would land on an existing one: Yes replaces, No skips, Cancel stops.
// From the second conflict of one operation on, it also offers to apply the
// answer to every later conflict.

#include "uiservices/VelkPrompter.h"
#include "platform/fileops/FileOps.h"

class CVelkConflictAsker final : public velk::fileops::ConflictAsker {
public:
    explicit CVelkConflictAsker(VelkPrompter& prompter) : prompter_(prompter) {}

    velk::fileops::ConflictAnswer AskReplace(const std::filesystem::path& source,
                                             const std::filesystem::path& existing) override;

private:
    VelkPrompter& prompter_;
    int asked_ = 0;
};
