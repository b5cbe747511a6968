// main() of every GUI test executable: wx is started once per process (each
// test runs in its own process under its own X server), and a wx assert fails
// the running test instead of showing a dialog or aborting.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

void FailOnWxAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                    const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str().data(), line) << "wx assert in " << func.utf8_str().data() << ": "
                                                 << cond.utf8_str().data() << " " << msg.utf8_str().data();
}

class WxEnvironment : public ::testing::Environment {
public:
    WxEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}
    void SetUp() override {
        wxApp::SetInstance(new wxApp());  // owned and deleted by wx
        ASSERT_TRUE(wxEntryStart(argc_, argv_)) << "wx could not start (no display?)";
        ASSERT_TRUE(wxTheApp->CallOnInit());
        wxSetAssertHandler(FailOnWxAssert);
        wxLog::SetActiveTarget(nullptr);  // no log windows popping up under tests
    }
    void TearDown() override {
        if (wxTheApp) wxTheApp->OnExit();
        wxEntryCleanup();
    }

private:
    int& argc_;
    char** argv_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();  // no display needed
    ::testing::AddGlobalTestEnvironment(new WxEnvironment(argc, argv));
    const int result = RUN_ALL_TESTS();
    // The verdict is in. The libraries' own exit handlers (GTK's, glib's,
    // the sanitizers') once kept a finished process alive until CTest's
    // time-out: should they hang, the process ends with the verdict.
    std::thread([result] {
        std::this_thread::sleep_for(std::chrono::seconds(30));
        std::fputs("gui test: the process did not end 30 s after its tests; ending it\n", stderr);
        _exit(result);
    }).detach();
    return result;
}
