// Every input that once broke a reader or its saving under the fuzz targets stays in
// tests/data/hostile/fuzz/<reader>/: it must load without harm, and what it loads must save settled.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/file_io.h"
#include "fuzz/reader_checks.h"

namespace qelvar {
namespace {

TEST(FuzzRegressions, LoadAndSaveSettled) {
    const struct {
        const char* folder;
        bool (*check)(std::string_view);
    } readers[] = {{"sbs", fuzzing::checkSbs},
                   {"arp", fuzzing::checkArp},
                   {"dat", fuzzing::checkDat},
                   {"sector", fuzzing::checkSector}};
    int files = 0;
    for (const auto& reader : readers) {
        const std::filesystem::path folder =
            std::filesystem::path(QELVAR_TEST_DATA) / "hostile" / "fuzz" / reader.folder;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename() == ".keep") continue;
            SCOPED_TRACE(entry.path().string());
            const auto read = readFileBytes(entry.path().string());
            ASSERT_TRUE(read.ok()) << read.error();
            EXPECT_TRUE(reader.check(*read));
            ++files;
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace qelvar
