#include "librarian/CVelkConflictAsker.h"

#include "librarian/CVelkDocTexts.h"
#include "resources/VelkStrings.h"

using velk::fileops::ConflictAnswer;
using velk::fileops::ConflictChoice;

ConflictAnswer CVelkConflictAsker::AskReplace(const std::filesystem::path&,
                                              const std::filesystem::path& existing) {
    ConflictAnswer answer;
    const VelkAnswer reply =
        ui_.AskYesNoCancel(velkdoctext::Format(velkdoctext::kAskReplace, existing.string()),
                           velk::text::kAppTitle, VelkIcon::kQuestion);
    if (reply == VelkAnswer::kCancel) return answer;  // Cancel
    answer.choice = reply == VelkAnswer::kYes ? ConflictChoice::Replace : ConflictChoice::Skip;
    if (++asked_ > 1)
        answer.forAll = ui_.AskYesNo(velkdoctext::kAskSameForAll, velk::text::kAppTitle,
                                     VelkIcon::kQuestion) == VelkAnswer::kYes;
    return answer;
}
