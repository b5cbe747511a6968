#pragma once
// Asks the user, through the user-interface services, what to do when a copied or moved
// file would land on an existing one: Yes replaces, No skips, Cancel stops.
// From the second conflict of one operation on, it also offers to apply the
// answer to every later conflict.

#include "platform/fileops/FileOps.h"
#include "uiservices/VelkUiServices.h"

class CVelkConflictAsker final : public velk::fileops::ConflictAsker {
public:
    explicit CVelkConflictAsker(VelkUiServices& ui) : ui_(ui) {}

    velk::fileops::ConflictAnswer AskReplace(const std::filesystem::path& source,
                                             const std::filesystem::path& existing) override;

private:
    VelkUiServices& ui_;
    int asked_ = 0;
};
