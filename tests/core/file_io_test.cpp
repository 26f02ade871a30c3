#include "core/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_folder.h"

namespace qelvar {
namespace {

using FileIoTest = testing::TempFolderTest;

TEST_F(FileIoTest, ReadErrorsNameTheFileAndReason) {
    EXPECT_EQ(readFileBytes(path("none.sbs")).error, "Cannot open \"" + path("none.sbs") + "\": No such file or directory");
    EXPECT_NE(readFileBytes(dir_.string()).error.find("Is a directory"), std::string::npos);
    write("big.sbs", std::string(2048, 'x'));
    EXPECT_NE(readFileBytes(path("big.sbs"), 1024).error.find("larger than"), std::string::npos);
}

TEST_F(FileIoTest, AtomicWriteReplacesWholeOrNothing) {
    const std::string bytes("a\0\x80\xff\r\n", 6);
    ASSERT_EQ(writeFileAtomically(path("out.sbs"), bytes), "");
    EXPECT_EQ(readFileBytes(path("out.sbs")).bytes, bytes);
    ::chmod(path("out.sbs").c_str(), 0640);
    ASSERT_EQ(writeFileAtomically(path("out.sbs"), "new"), "");
    struct stat info {};
    ::stat(path("out.sbs").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);  // a replaced file keeps its permissions

    EXPECT_NE(writeFileAtomically(path("missing/out.sbs"), "x"), "");
    EXPECT_NE(writeFileAtomically(dir_.string(), "x"), "");  // a folder is never replaced
    if (::geteuid() != 0) {  // root writes into read-only folders anyway
        ::chmod(dir_.c_str(), 0500);
        EXPECT_NE(writeFileAtomically(path("out.sbs"), "lost").find("Permission denied"), std::string::npos);
        ::chmod(dir_.c_str(), 0700);
    }
    EXPECT_EQ(readFileBytes(path("out.sbs")).bytes, "new");
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        EXPECT_EQ(entry.path().filename(), "out.sbs");  // no temporary file is left behind
    }
}

}  // namespace
}  // namespace qelvar
