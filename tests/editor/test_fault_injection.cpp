// Heap refusals at every request of a load, a session, an undo, a region copy and a save.
//
// Each run refuses the Nth request (N = 1, 2, ... until a run needs fewer)
// in a child process, so that a run the shortage ends really ends. The
// child checks what it can; the parent checks the disk.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "board/integrity.h"
#include "core/arena.h"
#include "screen_fixture.h"

namespace {

// What a child reports.
enum Outcome {
    SURVIVED = 0,    // refused, completed, every check held
    ENDED = 1,       // the shortage ended the program (status 1)
    NO_FAULT = 2,    // the run needed fewer requests: the loop is done
    BROKEN = 3,      // the integrity check failed
    DIFFERENT = 4,   // the board differs from the fault-free run's
    WRONG_HISTORY = 5,
};

int undo_depth() {
    int depth = 0;
    for (const JournalEvent* e = journal.current; e->older != nullptr; e = e->older) ++depth;
    return depth;
}

int redo_depth() {
    int depth = 0;
    for (const JournalEvent* e = journal.current; e->newer != nullptr; e = e->newer) ++depth;
    return depth;
}

// The boards that successive undos lead to, the current one first.
std::vector<std::string> undo_trail() {
    std::vector<std::string> trail{saved_board_text()};
    while (journal.current->older != nullptr) {
        journal_undo();
        journal_rebuild_board();
        trail.push_back(saved_board_text());
    }
    return trail;
}

}  // namespace

class FaultInjectionTest : public ScreenTest {
protected:
    struct Totals {
        int survived = 0;
        int ended = 0;
    };

    // Runs prepare then operation, once without faults to learn the result,
    // then with request N of the operation refused for N = 1, 2, ...;
    // check_disk runs in the parent after every faulted run.
    Totals inject(const std::function<void()>& prepare, const std::function<void()>& operation,
                  bool check_history, const std::function<void(int n, Outcome)>& check_disk = nullptr) {
        restart();
        prepare();
        operation();
        const std::string expected = saved_board_text();
        const int expected_undo = undo_depth(), expected_redo = redo_depth();
        const std::vector<std::string> trail = check_history ? undo_trail() : std::vector<std::string>{};

        Totals totals;
        for (int n = 1; n < 100000; ++n) {
            restart();
            prepare();
            std::fflush(nullptr);
            const pid_t child = fork();
            if (child == 0) _exit(faulted_run(n, operation, expected, expected_undo, expected_redo, trail));
            int status = 0;
            EXPECT_EQ(waitpid(child, &status, 0), child);
            const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
            if (code == NO_FAULT) return totals;
            EXPECT_TRUE(code == SURVIVED || code == ENDED) << "request " << n << ": outcome " << code;
            if (code == SURVIVED) ++totals.survived;
            if (code == ENDED) ++totals.ended;
            if (check_disk) check_disk(n, static_cast<Outcome>(code));
            if (::testing::Test::HasFailure()) return totals;
        }
        ADD_FAILURE() << "the operation never completed";
        return totals;
    }

    static int faulted_run(int n, const std::function<void()>& operation, const std::string& expected,
                           int expected_undo, int expected_redo, const std::vector<std::string>& trail) {
        // The shortage ends the program through the backend, as it would.
        temp_arena.fatal_message = [](const char*, const char*) {};
        temp_arena.terminate = [](int status) { _exit(status == 1 ? ENDED : 99); };
        temp_arena.refuse_at = temp_arena.requests + n;
        temp_arena.refuse_count = 1;
        temp_arena.refused = 0;
        operation();
        temp_arena.refuse_at = 0;
        if (temp_arena.refused == 0) return NO_FAULT;
        if (!board_integrity_check(nullptr, 0)) return BROKEN;
        if (saved_board_text() != expected) return DIFFERENT;
        if (!trail.empty()) {
            // Only the oldest undo events may be gone, and redo events only
            // once no undo event is left.
            const int undo = undo_depth(), redo = redo_depth();
            if (undo > expected_undo || redo > expected_redo) return WRONG_HISTORY;
            if (redo < expected_redo && undo != 0) return WRONG_HISTORY;
            const std::vector<std::string> left = undo_trail();
            for (size_t i = 0; i < left.size(); ++i)
                if (i >= trail.size() || left[i] != trail[i]) return WRONG_HISTORY;
        }
        return SURVIVED;
    }

    static std::string example(const char* name) {
        const char* source = std::getenv("CUPROLAY_SOURCE_DIR");
        std::string path = std::string(source ? source : ".") + "/examples/" + name;
        FILE* f = std::fopen(path.c_str(), "rb");
        std::string text;
        if (f == nullptr) return text;
        char chunk[4096];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, got);
        std::fclose(f);
        return text;
    }

    // Wires, a cut, a bridge, components and a text, each its own pass.
    static constexpr const char* SESSION =
        "move 100 100\ndown left\nmove 100 140\nup left\n"
        "click 105 120\nclick 200 105\n"
        "rclick 150 100\nanswer npn\nkey esc\n"
        "key t\nanswer T1\nclick 120 150\n"
        "move 300 300\ndown left\nmove 360 300\nup left\n"
        "rclick 250 250\nanswer dil8\nkey esc\n";
    // A region around the first objects copied 100 down, then one undo.
    static constexpr const char* COPY_AND_UNDO =
        "move 95 95\ndown left\nmove 175 155\nup left\nkey c\n"
        "move 100 100\ndown left\nmove 100 200\nup left\n"
        "key u\nkey u\nkey U\n";
};

TEST_F(FaultInjectionTest, ALoadWithNoHistoryEitherCompletesOrEnds) {
    const std::string text = example("amplifier.cpx");
    ASSERT_FALSE(text.empty());
    Totals t = inject([] {}, [&] { load(text); journal_snapshot(); }, false);
    // Nothing to give up yet: every refusal ends the program. Records and
    // descriptions come from pooled chunks, so a load asks the heap far
    // fewer times than it makes records.
    EXPECT_EQ(t.survived, 0);
    EXPECT_GT(t.ended, 50);
    std::printf("load: %d refusals, each ended the program cleanly\n", t.ended);
}

TEST_F(FaultInjectionTest, ASessionGivesUpTheOldestHistoryAndKeepsTheBoard) {
    Totals t = inject([&] { run(SESSION); }, [&] { run(COPY_AND_UNDO); }, true);
    EXPECT_GT(t.survived, 100);
    std::printf("session: %d refusals survived, %d ended\n", t.survived, t.ended);
}

TEST_F(FaultInjectionTest, AnUndoAndARedoSurviveOnHistoryAlone) {
    Totals t = inject([&] { run(SESSION); },
                      [] {
                          for (bool redo : {false, false, true}) {
                              deselect_all();
                              redo ? journal_redo() : journal_undo();
                              journal_rebuild_board();
                          }
                      },
                      true);
    EXPECT_GT(t.survived, 10);
    std::printf("undo: %d refusals survived, %d ended\n", t.survived, t.ended);
}

TEST_F(FaultInjectionTest, ASaveThatEndsLeavesTheEarlierFileAlone) {
    char pattern[] = "/tmp/cuprolay-faults-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern, path = dir + "/board.cpx", old = "VERSION 1.000 Cuprolay generated data\n";
    const std::string text = example("catalog.cpx");
    std::string saved;
    Totals t = inject(
        [&] {
            FILE* f = std::fopen(path.c_str(), "wb");
            std::fputs(old.c_str(), f);
            std::fclose(f);
            load(text);
        },
        [&] { save_board_to_path(path.c_str()); }, false,
        [&](int n, Outcome outcome) {
            FILE* f = std::fopen(path.c_str(), "rb");
            std::string got;
            char chunk[4096];
            size_t size;
            while (f && (size = std::fread(chunk, 1, sizeof chunk, f)) > 0) got.append(chunk, size);
            if (f) std::fclose(f);
            if (outcome == ENDED) {
                EXPECT_EQ(got, old) << "request " << n;
            } else {
                EXPECT_NE(got, old) << "request " << n;
            }
            int entries = 0;
            for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir)) ++entries;
            EXPECT_EQ(entries, 1) << "request " << n;
        });
    EXPECT_GT(t.ended, 0);
    std::printf("save: %d refusals survived, %d ended, the file intact each time\n", t.survived, t.ended);
    std::filesystem::remove_all(dir);
}
