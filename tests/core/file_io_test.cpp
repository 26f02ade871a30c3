#include "core/file_io.h"
#include "core/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace qelvar {
namespace {

using FileIoTest = testing::TempFolderTest;

TEST_F(FileIoTest, ReadErrorsNameTheFileAndReason) {
    const ReadResult missing = readFileBytes(path("nothing.sbs"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "Cannot open \"" + path("nothing.sbs") + "\": No such file or directory");
    const ReadResult folder = readFileBytes(dir_.string());
    EXPECT_FALSE(folder.ok);
    EXPECT_NE(folder.error.find("Is a directory"), std::string::npos);

    std::ofstream(path("big.sbs"), std::ios::binary) << std::string(2048, 'x');
    const ReadResult big = readFileBytes(path("big.sbs"), 1024);
    EXPECT_FALSE(big.ok);
    EXPECT_NE(big.error.find("larger than"), std::string::npos);
}

TEST_F(FileIoTest, AtomicWriteReplacesWholeAndKeepsOldOnFailure) {
    const std::string bytes("a\0\x80\xff\r\n", 6);
    ASSERT_EQ(writeFileAtomically(path("out.sbs"), bytes), "");
    EXPECT_EQ(readFileBytes(path("out.sbs")).bytes, bytes);
    ASSERT_EQ(writeFileAtomically(path("out.sbs"), "new"), "");
    EXPECT_EQ(readFileBytes(path("out.sbs")).bytes, "new");

    EXPECT_NE(writeFileAtomically(path("missing/out.sbs"), "x"), "");
    EXPECT_NE(writeFileAtomically(dir_.string(), "x"), "");  // a folder is never replaced

    if (::geteuid() != 0) {  // root writes into read-only folders anyway
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        const std::string error = writeFileAtomically(path("out.sbs"), "lost");
        EXPECT_NE(error.find("Permission denied"), std::string::npos);
        EXPECT_EQ(readFileBytes(path("out.sbs")).bytes, "new");
    }
    // No temporary files are left behind.
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        EXPECT_EQ(entry.path().filename().string().rfind(".qelvar-", 0), std::string::npos);
    }
}

TEST_F(FileIoTest, KeepsPermissionsOfTheReplacedFile) {
    ASSERT_EQ(writeFileAtomically(path("p.sbs"), "one"), "");
    ::chmod(path("p.sbs").c_str(), 0640);
    ASSERT_EQ(writeFileAtomically(path("p.sbs"), "two"), "");
    struct stat info {};
    ::stat(path("p.sbs").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace qelvar

namespace qelvar {
namespace {

TEST(Paths, FolderNameAndJoin) {
    EXPECT_EQ(folderOf("/maps/a.sbs"), "/maps");
    EXPECT_EQ(folderOf("/a.sbs"), "/");
    EXPECT_EQ(folderOf("a.sbs"), ".");
    EXPECT_EQ(fileNameOf("/maps/a.sbs"), "a.sbs");
    EXPECT_EQ(fileNameOf("a.sbs"), "a.sbs");
    EXPECT_EQ(joinPath("/maps", "a.sbs"), "/maps/a.sbs");
    EXPECT_EQ(joinPath("/maps/", "a.sbs"), "/maps/a.sbs");
    EXPECT_EQ(joinPath("/", "a.sbs"), "/a.sbs");
}

}  // namespace
}  // namespace qelvar
