#include "librarian/CItemRules.h"

#include "librarian/VelkClipboard.h"

namespace itempath {

namespace {

bool IsDiskKind(int kind) { return kind == kRootSetup || kind == kRootLibrary; }

// Whether a source of this kind and level may go onto the target.
bool SourceFitsTarget(const CItemPathInfo& source, int targetKind, int targetLevel, std::size_t count) {
    switch (targetKind) {
    case kRootDevice:
        return targetLevel == 1 && count == 1 && source.level >= 2 && IsDiskKind(source.rootKind) &&
               !source.isFolder;
    case kRootSetup:
        return (source.rootKind == kRootDevice && source.level == 1) ||
               (source.rootKind == kRootSetup && source.level >= 2);
    case kRootLibrary:
        return source.level >= 2 && (source.rootKind == kRootDevice || source.rootKind == kRootLibrary);
    default: return false;
    }
}

}  // namespace

bool CanCopy(int kind, int level, bool cut) {
    if (kind == kRootDevice) return !cut && level >= 1;
    return IsDiskKind(kind) && level >= 2;
}

bool CanDelete(int kind, int level) { return IsDiskKind(kind) && level >= 2; }

bool CanNewFolder(int kind, int level) { return IsDiskKind(kind) && level >= 1; }

bool CanRename(int kind, int level, std::string_view itemText) {
    if (kind == kRootDevice) return level >= 2 && !EqualsIgnoringCase(itemText, "Global");
    return IsDiskKind(kind) && level >= 2;
}

bool CanPasteItems(std::span<const std::string> names, int targetKind, int targetLevel,
                   const CItemRoots& roots, const CDeviceNames& devices) {
    if (targetLevel == 0 || names.empty()) return false;
    const CItemPathInfo first = ClassifyPath(names.front(), roots, devices);
    if (!first.valid) return false;
    const bool firstIsDevice = first.level == 1;
    if (!firstIsDevice && first.level < 2) return false;
    for (const std::string& name : names.subspan(1)) {
        const CItemPathInfo info = ClassifyPath(name, roots, devices);
        if (!info.valid || info.rootKind != first.rootKind || info.deviceIndex != first.deviceIndex)
            return false;
        if (firstIsDevice ? info.level != 1 : info.level < 2) return false;
    }
    return SourceFitsTarget(first, targetKind, targetLevel, names.size());
}

int ChooseDropEffect(int targetKind, bool ctrlDown, int allowedEffects) {
    const int wanted = (targetKind == kRootDevice || ctrlDown) ? kDropCopy : kDropMove;
    if (allowedEffects & wanted) return wanted;
    // The device side takes copies only; the disk sides take what the drag
    // allows.
    if (targetKind == kRootDevice) return kDropNone;
    if (allowedEffects & kDropCopy) return kDropCopy;
    if (allowedEffects & kDropMove) return kDropMove;
    return kDropNone;
}

}  // namespace itempath
