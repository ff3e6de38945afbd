// The file writer against links, modes, owners, devices, stray names and write faults.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/safe_file.h"

namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        safe_file_state_reset();
        char pattern[] = "/tmp/cuprolay-safe-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        safe_file_state_reset();
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }

    std::string at(const std::string& name) const { return (dir_ / name).string(); }

    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void put(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static bool write(const std::string& path, const std::string& text) {
        return write_file_whole(path.c_str(), text.data(), text.size());
    }
    // Names in the folder, so that no stray temporary file goes unseen.
    size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

    fs::path dir_;
};

TEST_F(SafeFileTest, SymbolicLinksAreFollowedAndStayLinks) {
    fs::create_directory(dir_ / "real");
    put(at("real/board.cpx"), "old\n");
    fs::create_symlink("real/board.cpx", dir_ / "relative.cpx");
    fs::create_symlink(dir_ / "relative.cpx", dir_ / "chain.cpx");  // absolute, to a link
    fs::create_symlink("real/new.cpx", dir_ / "dangling.cpx");

    for (const char* name : {"relative.cpx", "chain.cpx"}) {
        ASSERT_TRUE(write(at(name), std::string("via ") + name));
        EXPECT_TRUE(fs::is_symlink(dir_ / name));
        EXPECT_EQ(read(at("real/board.cpx")), std::string("via ") + name);
    }
    // A link to a file not there yet creates the file it names.
    ASSERT_TRUE(write(at("dangling.cpx"), "fresh"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.cpx"));
    EXPECT_EQ(read(at("real/new.cpx")), "fresh");
    EXPECT_EQ(entries(), 4u);

    // A loop is refused, and nothing is created.
    fs::create_symlink("loop2", dir_ / "loop1");
    fs::create_symlink("loop1", dir_ / "loop2");
    EXPECT_FALSE(write(at("loop1"), "x"));
    EXPECT_EQ(entries(), 6u);
}

TEST_F(SafeFileTest, ModeOwnerAndHardLinksAreKept) {
    const std::string path = at("board.cpx");
    put(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(path.c_str(), 1234, 4321), 0);
    }
    ASSERT_TRUE(write(path, "new"));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    if (root) {
        EXPECT_EQ(info.st_uid, 1234u);
        EXPECT_EQ(info.st_gid, 4321u);
    }
    EXPECT_FALSE(safe_file_state.last_in_place);

    // Both names of a hard-linked file see the new content.
    ASSERT_EQ(link(path.c_str(), at("other-name.cpx").c_str()), 0);
    ASSERT_TRUE(write(path, "shared"));
    EXPECT_TRUE(safe_file_state.last_in_place);
    EXPECT_EQ(read(at("other-name.cpx")), "shared");
    EXPECT_EQ(read(path), "shared");

    // A new file gets the mode the creation mask gives.
    const mode_t mask = umask(022);
    ASSERT_TRUE(write(at("fresh.cpx"), "x"));
    umask(mask);
    ASSERT_EQ(stat(at("fresh.cpx").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(entries(), 3u);
}

TEST_F(SafeFileTest, StrayNamesBesideTheFileAreLeftAlone) {
    const std::string path = at("board.cpx");
    put(path, "old");
    put(at("board.cpx.saving"), "the user's own file");
    fs::create_directory(dir_ / "board.cpx.saving-000000");
    ASSERT_TRUE(write(path, "new"));
    EXPECT_EQ(read(path), "new");
    EXPECT_EQ(read(at("board.cpx.saving")), "the user's own file");
    EXPECT_TRUE(fs::is_directory(dir_ / "board.cpx.saving-000000"));
    EXPECT_EQ(entries(), 3u);
    // A folder is never a target.
    EXPECT_FALSE(write(at("board.cpx.saving-000000"), "x"));
    EXPECT_TRUE(fs::is_directory(dir_ / "board.cpx.saving-000000"));
}

TEST_F(SafeFileTest, DevicesAndPipesAreWrittenInPlaceAndNeverReplaced) {
    // A pipe nobody reads fails at once instead of hanging.
    ASSERT_EQ(mkfifo(at("pipe").c_str(), 0644), 0);
    EXPECT_FALSE(write(at("pipe"), "data"));
    EXPECT_TRUE(fs::is_fifo(dir_ / "pipe"));
    if (geteuid() != 0) GTEST_SKIP() << "device nodes need root";
    // Copies of the full and the null device.
    ASSERT_EQ(mknod(at("full").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    ASSERT_EQ(mknod(at("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    EXPECT_FALSE(write(at("full"), "data"));
    EXPECT_TRUE(write(at("null"), "data"));
    EXPECT_TRUE(fs::is_character_file(dir_ / "full"));
    EXPECT_TRUE(fs::is_character_file(dir_ / "null"));
    EXPECT_EQ(entries(), 3u);
}

TEST_F(SafeFileTest, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    const std::string path = at("board.cpx");
    put(path, "old");
    // Root passes every permission check, so the check runs as nobody.
    const uid_t nobody = 65534;
    if (geteuid() == 0) {
        ASSERT_EQ(chown(path.c_str(), nobody, nobody), 0);
    }
    ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0) {
            if (setgid(nobody) != 0 || setuid(nobody) != 0) _exit(3);
        } else if (chmod(dir_.c_str(), 0555) != 0) {
            _exit(3);
        }
        const bool ok = write(path, "new") && safe_file_state.last_in_place;
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
    EXPECT_EQ(read(path), "new");
    EXPECT_EQ(entries(), 1u);
}

// Every operation of a write fails in turn: each failure is reported, the
// earlier file stays whole and nothing is left beside it.
TEST_F(SafeFileTest, EveryFailingOperationKeepsTheEarlierFile) {
    const std::string path = at("board.cpx");
    const std::string old = "earlier board\n";
    const std::string big(300 * 1024, 'x');  // several chunks
    int faults = 0;
    bool seen[SAFE_FILE_RENAME + 1] = {};
    for (long n = 1;; ++n) {
        put(path, old);
        safe_file_state_reset();
        safe_file_state.fail_at = n;
        const bool ok = write(path, big);
        if (safe_file_state.operations < n) {
            ASSERT_TRUE(ok);
            EXPECT_EQ(read(path), big);
            break;
        }
        ++faults;
        seen[safe_file_state.failed_step] = true;
        EXPECT_FALSE(ok) << "operation " << n;
        EXPECT_EQ(read(path), old) << "operation " << n;
        EXPECT_EQ(entries(), 1u) << "operation " << n;
    }
    EXPECT_GE(faults, 8);  // create, 5 chunks, sync, close, rename
    for (bool step : seen) EXPECT_TRUE(step);

    // In place the failure is still reported, never taken for success.
    ASSERT_EQ(link(path.c_str(), at("second").c_str()), 0);
    for (long n = 1;; ++n) {
        safe_file_state_reset();
        safe_file_state.fail_at = n;
        const bool ok = write(path, old);
        if (safe_file_state.operations < n) {
            EXPECT_TRUE(ok);
            break;
        }
        EXPECT_FALSE(ok);
    }
    EXPECT_EQ(read(at("second")), old);
}

}  // namespace
