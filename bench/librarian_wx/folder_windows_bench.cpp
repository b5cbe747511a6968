// The explorer's windows on a folder of many subfolders or files (argument:
// the count): the same steps as bench_librarian's models, each followed by
// the controls' layout (idle processing) and their next paint, so the wx
// tree and list are part of the figure. Goal: 10,000 in
// under 0.2 s each. Needs a display:
//   tests/guitest/run-with-display.sh build/bench/bench_librarian_wx

#include <benchmark/benchmark.h>

#include <chrono>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/splitter.h>

#include "../librarian/FolderBenchRig.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkView.h"
#include "tests/support/FakeLauncher.h"

namespace {

using folderbench::Content;

class Explorer {
public:
    Explorer(int count, Content content) {
        ok = rig.ok && folderbench::Fill(rig.Library(), rig.LibraryFolder(), count, content);
        frame = new wxFrame(nullptr, wxID_ANY, "Explorer", wxPoint(0, 0), wxSize(1000, 700));
        auto* splitter = new wxSplitterWindow(frame, wxID_ANY);
        tree = new CLeftView(splitter, rig.Doc(), rig.ui_, launcher);
        list = new CVelkView(splitter, rig.Doc(), rig.preference_);
        splitter->SplitVertically(tree, list, 200);
        frame->Show();
        tree->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
            treePainted = true;
            event.Skip();
        });
        list->GetRowsWindow()->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
            listPainted = true;
            event.Skip();
        });
        tree->InitialUpdate();
        list->InitialUpdate();
        Settle();
    }
    ~Explorer() {
        tree->Destroy();
        list->Destroy();
        frame->Destroy();
        for (int i = 0; i < 5; ++i) wxTheApp->Yield(true);
    }

    // Idle processing (the controls lay out there), then the events until
    // both panes have painted (GTK paints on its frame clock).
    void Settle() {
        wxTheApp->ProcessIdle();
        treePainted = listPainted = false;
        tree->Refresh();
        list->GetRowsWindow()->Refresh();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!(treePainted && listPainted) && std::chrono::steady_clock::now() < end) wxTheApp->Yield(true);
    }
    CTreeNode* DeviceFolder() { return tree->Model().FindNodeByPath(rig.LibraryFolder()); }
    void ShowDeviceFolder() {
        tree->Model().Select(DeviceFolder());
        Settle();
    }

    folderbench::FolderRig rig;
    bool ok = false;
    velktest::FakeLauncher launcher;
    wxFrame* frame = nullptr;
    CLeftView* tree = nullptr;
    CVelkView* list = nullptr;
    bool treePainted = false;
    bool listPainted = false;
};

void BM_WxTreeBuildAndExpand(benchmark::State& state) {
    Explorer explorer(static_cast<int>(state.range(0)), Content::kSubfolders);
    if (!explorer.ok) return state.SkipWithError("no library");
    for (auto _ : state) {
        explorer.tree->Model().BuildTree();
        explorer.tree->Model().Expand(explorer.DeviceFolder());
        explorer.Settle();
    }
}
BENCHMARK(BM_WxTreeBuildAndExpand)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WxTreeRefreshAfterPaste(benchmark::State& state) {
    Explorer explorer(static_cast<int>(state.range(0)), Content::kSubfolders);
    if (!explorer.ok) return state.SkipWithError("no library");
    explorer.tree->Model().Expand(explorer.DeviceFolder());
    explorer.Settle();
    for (auto _ : state) {
        explorer.tree->Model().OnPasted(CFNameList(), explorer.rig.LibraryFolder(), false);
        explorer.Settle();
    }
}
BENCHMARK(BM_WxTreeRefreshAfterPaste)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The list showing the library's device folder of `count` entries in
// `style` (0 large icons, 1 details, 2 small icons, 3 list); each iteration
// runs `step`, then the windows' layout and paint.
template <typename Step>
void RunOnTheList(benchmark::State& state, int count, Content content, int style, Step step) {
    Explorer explorer(count, content);
    if (!explorer.ok) return state.SkipWithError("no library");
    explorer.ShowDeviceFolder();
    explorer.list->Model().SetViewStyle(style);
    explorer.Settle();
    CVelkViewModel& model = explorer.list->Model();
    const std::string folder = explorer.rig.LibraryFolder();
    for (auto _ : state) {
        step(model, folder);
        explorer.Settle();
    }
    state.counters["rows"] = explorer.list->GetItemCount();
}

int Arg(const benchmark::State& state, int index) { return static_cast<int>(state.range(index)); }

// Arguments: count, content (0 subfolders, 1 files), list style.
void BM_WxListFill(benchmark::State& state) {
    RunOnTheList(state, Arg(state, 0), Arg(state, 1) == 0 ? Content::kSubfolders : Content::kFiles,
                 Arg(state, 2),
                 [](CVelkViewModel& list, const std::string& folder) { list.FillList(folder, true); });
}
BENCHMARK(BM_WxListFill)
    ->Args({10000, 0, kStyleIcon})
    ->Args({10000, 1, kStyleIcon})
    ->Args({10000, 1, kStyleReport})
    ->Args({10000, 1, kStyleSmallIcon})
    ->Args({10000, 1, kStyleList})
    ->Unit(benchmark::kMillisecond);

// Arguments: count, list style.
void BM_WxListSortByDate(benchmark::State& state) {
    RunOnTheList(state, Arg(state, 0), Content::kFiles, Arg(state, 1),
                 [](CVelkViewModel& list, const std::string&) { list.SortBy(1); });
}
BENCHMARK(BM_WxListSortByDate)
    ->Args({10000, kStyleIcon})
    ->Args({10000, kStyleReport})
    ->Unit(benchmark::kMillisecond);

// Every iteration turns the order round (ascending, then descending): every
// row moves. (All the files bear the same minute, so a sort by date keeps
// the order.)
void BM_WxListSortByName(benchmark::State& state) {
    RunOnTheList(state, Arg(state, 0), Content::kFiles, Arg(state, 1),
                 [](CVelkViewModel& list, const std::string&) { list.SortBy(0); });
}
BENCHMARK(BM_WxListSortByName)
    ->Args({10000, kStyleIcon})
    ->Args({10000, kStyleReport})
    ->Args({10000, kStyleSmallIcon})
    ->Args({10000, kStyleList})
    ->Unit(benchmark::kMillisecond);

void BM_WxListRefreshAfterPaste(benchmark::State& state) {
    RunOnTheList(
        state, Arg(state, 0), Content::kFiles, Arg(state, 1),
        [](CVelkViewModel& list, const std::string& folder) { list.OnPasted(CFNameList(), folder, false); });
}
BENCHMARK(BM_WxListRefreshAfterPaste)
    ->Args({10000, kStyleIcon})
    ->Args({10000, kStyleReport})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);  // takes its own options out first
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
