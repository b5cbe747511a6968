#pragma once
// The tree and list models on the document of DocRig (simulated synth on
// the loopback, temporary library, scripted user-interface services, whose
// clock times the tree's hover timer), with a launcher and sinks that
// record what the window would be told.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "DocRig.h"
#include "librarian/CLeftViewModel.h"
#include "librarian/CVelkViewModel.h"
#include "tests/support/FakeLauncher.h"

namespace viewstest {

class ListSinkRecorder final : public CVelkViewSink {
public:
    int resets = 0;
    int inserted = 0;
    int deleted = 0;
    std::vector<int> changed;
    std::vector<int> styles;
    std::vector<int> edits;
    void OnRowsChanging() override {}
    void OnRowsReset() override { ++resets; }
    void OnRowsInserted(int, int count) override { inserted += count; }
    void OnRowDeleted(int) override { ++deleted; }
    void OnRowChanged(int row) override { changed.push_back(row); }
    void OnColumnsChanged() override {}
    void OnStyleChanged(int style) override { styles.push_back(style); }
    void OnStartLabelEdit(int row) override { edits.push_back(row); }
    void Clear() { *this = ListSinkRecorder(); }
};

class ViewsRig : public doctest::DocRig {
public:
    explicit ViewsRig(SimModel model = SimModel::BrontiselS) : DocRig(model) { list.SetSink(&listSink); }

    // Tree first (it selects "My Device"), then the list, as at start-up.
    void Start() {
        tree.InitialUpdate();
        list.InitialUpdate();
    }

    CTreeNode* Node(const std::string& path) { return tree.FindNodeByPath(path); }
    void SelectPath(const std::string& path) {
        CTreeNode* node = Node(path);
        ASSERT_NE(node, nullptr) << path;
        tree.Select(node);
    }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> texts;
        for (const CListRow& row : list.Rows()) texts.push_back(row.texts[column]);
        return texts;
    }
    std::vector<std::string> Names() const { return Column(0); }
    static std::vector<std::string> Children(const CTreeNode* node) {
        std::vector<std::string> texts;
        for (const auto& child : node->children) texts.push_back(child->text);
        return texts;
    }
    static void MakeFolder(const std::string& path) { std::filesystem::create_directories(path); }

    velktest::FakeLauncher launcher;
    CLeftViewModel tree{Doc(), ui_, launcher};
    // The tree's hover timer.
    velktest::ScriptedUiServices::TimerLog& hoverTimer = ui_.LastTimer();
    ListSinkRecorder listSink;
    CVelkViewModel list{Doc(), preference_};
};

}  // namespace viewstest
