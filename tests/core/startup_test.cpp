#include "app/startup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/file_io.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

TEST(Startup, VersionTitle) {
    EXPECT_EQ(versionText(6, 3, 15), "6.45");
    EXPECT_EQ(versionText(6, 0, 0), "6");
    EXPECT_EQ(versionText(1, 0, 5), "1.05");
    EXPECT_EQ(applicationTitle(6, 3, 15), "Duvuderaz Orizuvo Devade v6.45");
    EXPECT_EQ(applicationTitle(6, 0, 0), "Duvuderaz Orizuvo Devade v6");
    EXPECT_EQ(applicationTitle().rfind("Duvuderaz Orizuvo Devade v", 0), 0u);
}

TEST(Startup, GetEnvValueMatchesNamePrefixes) {
    ::unsetenv("_ZIP");
    ::unsetenv("_ZIPX");
    ::setenv("QZ_ZIPLATER", "yes", 1);
    EXPECT_EQ(GetEnvValue("_ZIP"), "");  // a name with _ZIP later in it does not count
    ::setenv("_zipx", "  on  ", 1);
    EXPECT_EQ(GetEnvValue("_ZIP"), "on");
    ::unsetenv("_zipx");
    ::setenv("_ZIP", "   ", 1);
    EXPECT_EQ(GetEnvValue("_ZIP"), "");
    ::setenv("_ZIP", "a=b", 1);
    EXPECT_EQ(GetEnvValue("_zip"), "a=b");
    ::unsetenv("_ZIP");
    ::unsetenv("QZ_ZIPLATER");
}

class SettingsTest : public testing::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ::unsetenv("QELVAR_SETTINGS");
        ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        ::unsetenv("QELVAR_SETTINGS");
        TempFolderTest::TearDown();
    }
};

TEST_F(SettingsTest, WritesOneLineAndReadsTheFirst) {
    EXPECT_EQ(settingsPath(), (dir_ / "config" / "qelvar.ini").string());
    EXPECT_FALSE(readSettings().has_value());
    ASSERT_EQ(saveSettings("/home/user/maps"), "");  // creates the config folder
    EXPECT_EQ(readFileBytes(settingsPath()).bytes, "/home/user/maps\r\n");
    EXPECT_EQ(readSettings().value(), "/home/user/maps");

    std::ofstream(settingsPath(), std::ios::binary) << "/a\nsecond line\n";
    EXPECT_EQ(readSettings().value(), "/a");
    std::ofstream(settingsPath(), std::ios::binary | std::ios::trunc) << "";
    EXPECT_FALSE(readSettings().has_value());
}

TEST_F(SettingsTest, ExplicitPathAndUnwritableFolder) {
    ::setenv("QELVAR_SETTINGS", (dir_ / "mine.ini").c_str(), 1);
    EXPECT_EQ(settingsPath(), (dir_ / "mine.ini").string());
    EXPECT_EQ(saveSettings("/x"), "");
    EXPECT_EQ(readSettings().value(), "/x");
    ::setenv("QELVAR_SETTINGS", (dir_ / "missing" / "deeper" / "mine.ini").c_str(), 1);
    EXPECT_NE(saveSettings("/x"), "");  // reported, never thrown
}

}  // namespace
}  // namespace qelvar
