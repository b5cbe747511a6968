// The explorer's models on a folder of many subfolders or files (argument:
// the count): the tree listing the library's device folder and expanding
// it, the tree's refresh after a paste, the list's fill (listing and
// sorting), a sort by another column and the list's refresh after a paste.
// The windows' share is measured by bench_librarian_wx. Goal: 10,000 in
// under 0.2 s each, windows included.

#include <benchmark/benchmark.h>

#include "FolderBenchRig.h"
#include "tests/librarian/ViewsRig.h"

namespace {

using folderbench::Content;

class Views : public viewstest::ViewsRig {
public:
    Views(int count, Content content) {
        // Detected first: the library's device folder exists from then on.
        ok = Connect() && Fill(Library(), LibraryFolder(), count, content);
        Start();
    }
    bool ok = false;
    CTreeNode* DeviceFolder() { return Node(LibraryFolder()); }
};

// The tree is built (the library root expanded lists the device folder's
// subfolders), then the device folder is expanded (each subfolder is read
// for subfolders of its own).
void BM_TreeBuildAndExpand(benchmark::State& state) {
    Views views(static_cast<int>(state.range(0)), Content::kSubfolders);
    if (!views.ok) return state.SkipWithError("no library");
    for (auto _ : state) {
        views.tree.BuildTree();
        views.tree.Expand(views.DeviceFolder());
    }
    state.counters["nodes"] = static_cast<double>(views.DeviceFolder()->children.size());
}
BENCHMARK(BM_TreeBuildAndExpand)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMillisecond);

// After a paste or a drop the tree reads every shown folder again.
void BM_TreeRefreshAfterPaste(benchmark::State& state) {
    Views views(static_cast<int>(state.range(0)), Content::kSubfolders);
    if (!views.ok) return state.SkipWithError("no library");
    views.tree.Expand(views.DeviceFolder());
    for (auto _ : state) views.tree.OnPasted(CFNameList(), views.LibraryFolder(), false);
}
BENCHMARK(BM_TreeRefreshAfterPaste)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Selecting the folder fills the list anew: listing, rows, sort.
void BM_ListFill(benchmark::State& state) {
    const Content content = state.range(1) == 0 ? Content::kSubfolders : Content::kFiles;
    Views views(static_cast<int>(state.range(0)), content);
    if (!views.ok) return state.SkipWithError("no library");
    views.SelectPath(views.LibraryFolder());
    for (auto _ : state) views.list.FillList(views.LibraryFolder(), true);
    state.counters["rows"] = views.list.RowCount();
}
BENCHMARK(BM_ListFill)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);

void BM_ListSortByDate(benchmark::State& state) {
    Views views(static_cast<int>(state.range(0)), Content::kFiles);
    if (!views.ok) return state.SkipWithError("no library");
    views.SelectPath(views.LibraryFolder());
    for (auto _ : state) views.list.SortBy(1);
}
BENCHMARK(BM_ListSortByDate)->Arg(10000)->Unit(benchmark::kMillisecond);

// After a paste the list drops vanished rows and adds new ones at the top.
void BM_ListRefreshAfterPaste(benchmark::State& state) {
    Views views(static_cast<int>(state.range(0)), Content::kFiles);
    if (!views.ok) return state.SkipWithError("no library");
    views.SelectPath(views.LibraryFolder());
    for (auto _ : state) views.list.OnPasted(CFNameList(), views.LibraryFolder(), false);
}
BENCHMARK(BM_ListRefreshAfterPaste)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
