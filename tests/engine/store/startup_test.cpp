#include "store/startup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "store/file_io.h"
#include "support/notices.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using qelvar::testing::errorOf;

TEST(Startup, VersionTitle) {
    EXPECT_EQ(applicationTitle(6, 3, 15), "Duvuderaz Orizuvo Devade v6.45");
    EXPECT_EQ(applicationTitle(6, 0, 0), "Duvuderaz Orizuvo Devade v6");
    EXPECT_EQ(versionText(1, 0, 5), "1.05");
}

TEST(Startup, environmentValueMatchesNamePrefixes) {
    ::setenv("QZ_ZIPLATER", "yes", 1);
    EXPECT_EQ(environmentValue("_ZIP"), "");  // _ZIP later in a name does not count
    ::setenv("_zipx", "  on  ", 1);
    EXPECT_EQ(environmentValue("_ZIP"), "on");
    ::unsetenv("_zipx");
    ::setenv("_ZIP", "   ", 1);
    EXPECT_EQ(environmentValue("_ZIP"), "");
    ::unsetenv("_ZIP");
    ::unsetenv("QZ_ZIPLATER");
}

using SettingsTest = testing::TempFolderTest;

TEST_F(SettingsTest, OneLineFileInTheConfigFolder) {
    ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
    EXPECT_EQ(settingsPath(), path("config/qelvar.ini"));
    EXPECT_FALSE(readSettings().has_value());
    const mode_t mask = ::umask(022);
    ASSERT_EQ(errorOf(saveSettings("/home/user/maps")), "");  // creates the config folder, 0777 under the umask
    ::umask(mask);
    struct stat folder {};
    ASSERT_EQ(::stat(path("config").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 07777, 0755u);
    EXPECT_EQ((*readFileBytes(settingsPath())), "/home/user/maps\r\n");
    write("config/qelvar.ini", "/a\nsecond line\n");
    EXPECT_EQ(readSettings().value(), "/a");
    write("config/qelvar.ini", "\n/a\n");  // no folder on the first line
    EXPECT_FALSE(readSettings().has_value());
    write("config/qelvar.ini", "/a\n" + std::string(1024 * 1024 - 3, 'x'));  // a megabyte is read, no more
    EXPECT_EQ(readSettings().value(), "/a");
    write("config/qelvar.ini", "/a\n" + std::string(1024 * 1024 - 2, 'x'));
    EXPECT_FALSE(readSettings().has_value());

    ::setenv("QELVAR_SETTINGS", path("missing/deeper/mine.ini").c_str(), 1);
    EXPECT_NE(errorOf(saveSettings("/x")), "");  // reported, never thrown
    ::unsetenv("QELVAR_SETTINGS");
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST(Settings, FolderFromTheEnvironmentNeverTheRoot) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    const struct {
        const char *xdg, *home, *path;
    } cases[] = {{"/x", "/h", "/x/qelvar.ini"}, {"", "/h", "/h/.config/qelvar.ini"}, {"", "", "./qelvar.ini"}};
    for (const auto& c : cases) {
        ::setenv("XDG_CONFIG_HOME", c.xdg, 1);
        ::setenv("HOME", c.home, 1);
        EXPECT_EQ(settingsPath(), c.path);
    }
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace qelvar
