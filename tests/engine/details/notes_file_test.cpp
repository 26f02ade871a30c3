#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "store/file_io.h"
#include "details/notes_file.h"
#include "support/notices.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using qelvar::testing::errorOf;

TEST(NotesFile, FolderAndNameRules) {
    for (const auto& [mapFolder, notesFolder] : std::vector<std::pair<std::string, std::string>>{
             {"/data/maps/spinward/", "/data/locs/spinward/"},
             {"/data/map/map", "/data/loc/map/"},  // only the first "map"
             {"/data/MAPS", "/data/MAPS/"},        // exact case; without "map" notes go beside the maps
             {"/home/mapmaker/maps", "/home/locmaker/maps/"}}) {
        EXPECT_EQ(notesFolderFor(mapFolder), notesFolder) << mapFolder;
    }
    EXPECT_EQ(notesFileName(3240), "P3240.txt");
    EXPECT_EQ(notesFilePath("/a/maps", 901), "/a/locs/P0901.txt");
}

class NotesFileTest : public testing::TempFolderTest {};

TEST_F(NotesFileTest, RoundTripAddsOneLineBreakPerSave) {
    std::filesystem::create_directories(dir_ / "locs");
    const std::string file = notesFilePath(path("maps"), 1114);
    EXPECT_EQ(*readNotesFile(file), "");
    EXPECT_TRUE(readNotesFile(file).ok());

    const std::string typed = "Ruins on the \xe9quator\r\nprice \x80 100";
    EXPECT_EQ(errorOf(writeNotesFile(file, typed)), "");
    const auto notes = readNotesFile(file);
    EXPECT_EQ(*notes, typed + "\r\n");
    EXPECT_EQ(errorOf(writeNotesFile(file, *notes)), "");
    EXPECT_EQ((*readFileBytes(path("locs/P1114.txt"))), typed + "\r\n\r\n");
}

TEST_F(NotesFileTest, FailuresLeaveTheFileAsItWas) {
    EXPECT_NE(errorOf(writeNotesFile(path("missing/P0101.txt"), "x")), "");
    EXPECT_FALSE(std::filesystem::exists(path("missing")));

    write("P0101.txt", "kept\r\n");
    ::chmod(path("P0101.txt").c_str(), 0444);
    if (::geteuid() != 0) {
        EXPECT_NE(errorOf(writeNotesFile(path("P0101.txt"), "new")).find("P0101.txt"), std::string::npos);
        EXPECT_EQ((*readFileBytes(path("P0101.txt"))), "kept\r\n");
        ::chmod(path("P0101.txt").c_str(), 0000);
        EXPECT_FALSE(readNotesFile(path("P0101.txt")).ok());
    }
    std::filesystem::create_directories(dir_ / "P0202.txt");
    EXPECT_FALSE(readNotesFile(path("P0202.txt")).ok());
}

}  // namespace
}  // namespace qelvar
