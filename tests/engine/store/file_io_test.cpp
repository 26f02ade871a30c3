#include "store/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "store/paths.h"
#include "support/notices.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using qelvar::testing::errorOf;

using FileIoTest = testing::TempFolderTest;

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Only the named files are in the folder: nothing temporary was left behind.
void expectOnly(const std::filesystem::path& dir, std::set<std::string> names) {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) found.insert(entry.path().filename());
    EXPECT_EQ(found, names);
}

TEST_F(FileIoTest, ReadErrorsNameTheFileAndReason) {
    write("big.sbs", std::string(2 * 1024 * 1024 + 1, 'x'));
    ::mkfifo(path("pipe.sbs").c_str(), 0600);
    // Each path with the error reading it gives.
    const std::pair<std::string, std::string> cases[] = {
        {path("none.sbs"), "Cannot open \"" + path("none.sbs") + "\": No such file or directory"},
        {dir_.string(), "Cannot read \"" + dir_.string() + "\": Is a directory"},
        {path("big.sbs"),
         "Cannot read \"" + path("big.sbs") + "\": the file is larger than 2 MB and is not a subsector file"},
        {path("pipe.sbs"), "Cannot read \"" + path("pipe.sbs") + "\": it is not a regular file"},  // never waits
        {"/dev/zero", "Cannot read \"/dev/zero\": it is not a regular file"},
        {"/proc/self/mem", "Cannot read \"/proc/self/mem\": Input/output error"},  // a regular file that fails to read
    };
    for (const auto& [file, error] : cases) EXPECT_EQ(errorOf(readFileBytes(file, 2 * 1024 * 1024)), error);
    write("exact.sbs", std::string(1024, 'y'));
    EXPECT_TRUE(readFileBytes(path("exact.sbs"), 1024).ok());  // the limit itself is allowed
}

TEST_F(FileIoTest, AtomicWriteReplacesWholeOrNothing) {
    const std::string bytes("a\0\x80\xff\r\n", 6);
    ASSERT_EQ(errorOf(writeFileAtomically(path("out.sbs"), bytes)), "");
    EXPECT_EQ((*readFileBytes(path("out.sbs"))), bytes);
    ::chmod(path("out.sbs").c_str(), 0640);
    ASSERT_EQ(errorOf(writeFileAtomically(path("out.sbs"), "new")), "");
    EXPECT_EQ(modeOf(path("out.sbs")), 0640u);  // a replaced file keeps its permissions

    EXPECT_EQ(errorOf(writeFileAtomically(path("missing/out.sbs"), "x")),
              "Cannot write \"" + path("missing/out.sbs") + "\": No such file or directory");
    EXPECT_NE(errorOf(writeFileAtomically(dir_.string(), "x")), "");  // a folder is never replaced
    if (::geteuid() != 0) {                                           // root writes into read-only folders anyway
        ::chmod(dir_.c_str(), 0500);
        EXPECT_NE(errorOf(writeFileAtomically(path("out.sbs"), "lost")).find("Permission denied"), std::string::npos);
        ::chmod(dir_.c_str(), 0700);
    }
    EXPECT_EQ((*readFileBytes(path("out.sbs"))), "new");
    expectOnly(dir_, {"out.sbs"});
}

TEST_F(FileIoTest, AWriteThatFailsHalfwayKeepsTheOldFileAndLeavesNoTemporary) {
    write("out.sbs", "old");
    // The file-size limit makes the write fail after 1024 bytes, as a full disk would.
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string error = errorOf(writeFileAtomically(path("out.sbs"), std::string(4096, 'x')));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);
    EXPECT_EQ(error, "Cannot write \"" + path("out.sbs") + "\": File too large");
    EXPECT_EQ((*readFileBytes(path("out.sbs"))), "old");
    expectOnly(dir_, {"out.sbs"});
}

TEST_F(FileIoTest, NewFileModeFollowsTheUmaskWithoutChangingIt) {
    for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}}) {
        const mode_t saved = ::umask(mask);
        const std::string name = "new" + std::to_string(mask) + ".sbs";
        ASSERT_EQ(errorOf(writeFileAtomically(path(name), "x")), "");
        const mode_t after = ::umask(saved);
        EXPECT_EQ(after, mask);  // the process umask was left alone
        EXPECT_EQ(modeOf(path(name)), 0666u & ~mask) << name;
    }
}

TEST_F(FileIoTest, SavingThroughALinkWritesItsTargetAndKeepsTheLink) {
    std::filesystem::create_directory(path("real"));
    write("real/map.sbs", "old");
    ::chmod(path("real/map.sbs").c_str(), 0604);
    std::filesystem::create_symlink("real/map.sbs", path("link.sbs"));
    std::filesystem::create_symlink("link.sbs", path("chain.sbs"));
    for (const char* name : {"link.sbs", "chain.sbs"}) {
        ASSERT_EQ(errorOf(writeFileAtomically(path(name), std::string("via ") + name)), "");
        EXPECT_TRUE(std::filesystem::is_symlink(path(name)));
        EXPECT_EQ((*readFileBytes(path("real/map.sbs"))), std::string("via ") + name);
        EXPECT_EQ(modeOf(path("real/map.sbs")), 0604u);
    }
    // A link to a file not there yet makes the file where the link points.
    std::filesystem::create_symlink("real/fresh.sbs", path("dangling.sbs"));
    ASSERT_EQ(errorOf(writeFileAtomically(path("dangling.sbs"), "fresh")), "");
    EXPECT_EQ((*readFileBytes(path("real/fresh.sbs"))), "fresh");
    expectOnly(path("real"), {"map.sbs", "fresh.sbs"});
}

TEST_F(FileIoTest, OutputsThatMustNotBeReplacedAreRefusedAndKept) {
    write("locked.sbs", "keep me");
    ::chmod(path("locked.sbs").c_str(), 0444);
    ::mkfifo(path("pipe.sbs").c_str(), 0600);
    // Each path with the error writing it gives.
    const std::pair<std::string, std::string> cases[] = {
        {path("locked.sbs"), "Cannot write \"" + path("locked.sbs") + "\": Permission denied"},
        {path("pipe.sbs"), "Cannot write \"" + path("pipe.sbs") + "\": it is not a regular file"},
        {"/dev/null", "Cannot write \"/dev/null\": it is not a regular file"},
    };
    for (const auto& [file, error] : cases) EXPECT_EQ(errorOf(writeFileAtomically(file, "new")), error);
    EXPECT_EQ((*readFileBytes(path("locked.sbs"))), "keep me");
    EXPECT_EQ(modeOf(path("locked.sbs")), 0444u);
    EXPECT_TRUE(std::filesystem::is_fifo(path("pipe.sbs")));
    expectOnly(dir_, {"locked.sbs", "pipe.sbs"});
}

TEST(Paths, FoldersNamesAndTheRoot) {
    const struct {
        std::string path, folder, name;
    } cases[] = {{"/x.sbs", "/", "x.sbs"}, {"/a/b/x.sbs", "/a/b", "x.sbs"}, {"x.sbs", ".", "x.sbs"}, {"a/", "a", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(folderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(fileNameOf(c.path), c.name) << c.path;
    }
    for (const auto& [folder, name, joined] :
         {std::tuple{"/", "QELVAR.bmp", "/QELVAR.bmp"}, {"/a/", "b", "/a/b"}, {"/a", "b", "/a/b"}, {"", "b", "b"}})
        EXPECT_EQ(joinPath(folder, name), joined) << folder;
}

TEST_F(FileIoTest, FilesWrittenTogetherEachSucceedOrFailAloneAndDeadLeftoversGo) {
    write("old.sbs", "old");
    const std::string ours = ".b.sbs.qelvar-" + std::to_string(::getpid()) + "-1";
    // Alive, us, no process id, no number, not hidden (not one of ours).
    const std::set<std::string> kept = {".c.sbs.qelvar-1-5", ours, ".d.sbs.qelvar-77", ".f.sbs.qelvar-9x9-2",
                                        "g.sbs.qelvar-99999999-6"};
    for (const std::string& name : kept) write(name, "busy");
    write(".a.sbs.qelvar-99999999-390", "left by a process that died");
    const auto results =
        writeFilesTogether({{path("old.sbs"), "new"}, {path("missing/a.sbs"), "x"}, {path("b.sbs"), "b"}});
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(errorOf(results[0]), "");
    EXPECT_EQ(errorOf(results[1]), "Cannot write \"" + path("missing/a.sbs") + "\": No such file or directory");
    EXPECT_EQ(errorOf(results[2]), "");
    EXPECT_EQ(*readFileBytes(path("old.sbs")), "new");
    EXPECT_EQ(*readFileBytes(path("b.sbs")), "b");
    std::set<std::string> expected = kept;
    expected.insert({"old.sbs", "b.sbs"});
    expectOnly(dir_, expected);
    write(".e.sbs.qelvar-99999999-4", "left by another");  // a single save clears them too
    ASSERT_TRUE(writeFileAtomically(path("b.sbs"), "again").ok());
    expectOnly(dir_, expected);
}

}  // namespace
}  // namespace qelvar
