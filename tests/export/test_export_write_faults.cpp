// Every export over an earlier file, with each write operation failing in turn.
#include <sys/stat.h>

#include "export/export_fixture.h"
#include "shell/safe_file.h"

namespace {

const char* const LAYERS[6] = {".ctr", ".smb", ".sst", ".bot", ".top", ".drd"};

size_t count_of(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = 0; (at = text.find(piece, at)) != std::string::npos; ++at) ++count;
    return count;
}

}  // namespace

class ExportWriteFaultTest : public ExportTest {
protected:
    void TearDown() override {
        safe_file_state_reset();
        ExportTest::TearDown();
    }

    void put(const std::string& name, const std::string& text) {
        FILE* f = std::fopen(path(name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }

    // Runs export with operation n failing; false once a run had no fault.
    template <typename Export>
    bool run_faulted(long n, Export run_export) {
        safe_file_state_reset();
        safe_file_state.fail_at = n;
        run_export();
        return safe_file_state.operations >= n;
    }
};

TEST_F(ExportWriteFaultTest, FailedPrintsKeepTheEarlierFile) {
    add_wire("RES", 0, 100, 100, 100, 150);
    add_component("DIL8", 0, 200, 200);
    draw_at_zoom_20();
    int faults = 0;
    for (auto writer : {write_pdf, write_ps_level1, write_ps_level2}) {
        long n = 1;
        for (;; ++n) {
            put("print.out", "earlier print\n");
            const size_t reported = count_of(transcript(), "Couldn't write " + path("print.out"));
            int result = 0;
            headless_answer_file(path("print.out").c_str());
            if (!run_faulted(n, [&] { result = writer({0, 0, 630, 400}); })) break;
            ++faults;
            EXPECT_EQ(result, 1) << n;
            EXPECT_EQ(read_file(path("print.out")), "earlier print\n") << n;
            EXPECT_EQ(count_of(transcript(), "Couldn't write " + path("print.out")), reported + 1) << n;
        }
        EXPECT_GE(n, 5);  // create, write, sync, close, rename
        EXPECT_NE(read_file(path("print.out")), "earlier print\n");
    }
    EXPECT_GE(faults, 12);
}

TEST_F(ExportWriteFaultTest, AFailedGerberLayerKeepsItsEarlierFileAndTheOthersAreWritten) {
    add_wire("WIRE", 0, 100, 100, 200, 100);
    draw_at_zoom_20();
    for (long n = 1;; ++n) {
        for (const char* layer : LAYERS) put(std::string("set") + layer, "earlier layer\n");
        int result = 0;
        const bool faulted = run_faulted(n, [&] {
            for (const char* layer : LAYERS) headless_answer_file((path("set") + layer).c_str());
            headless_answer_ask("");
            result = write_gerber_set({50, 50, 250, 150});
        });
        int earlier = 0;
        for (const char* layer : LAYERS) {
            if (read_file(path("set") + layer) == "earlier layer\n") ++earlier;
        }
        if (!faulted) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(earlier, 0);
            EXPECT_GE(n, 6 * 5);
            break;
        }
        // Exactly the failed layer is the earlier one; the others are new.
        EXPECT_EQ(result, 1) << n;
        EXPECT_EQ(earlier, 1) << n;
    }
}
