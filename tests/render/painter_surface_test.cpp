#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>

#include "support/gui_application.h"
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "store/subsector_store.h"
#include "map/map_drawing.h"
#include "painter_surface.h"
#include "support/scripted_prompter.h"

// Font fallback for odd characters makes fontconfig keep allocations that it never frees; they are its
// own, not ours. Only sanitizer builds read this.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace qelvar {
namespace {

using testing::ScriptedPrompter;

class PainterSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        (void)testing::guiApplication();
        store.subsectorLetter = "A";
    }
    SubsectorStore store;
    ScriptedPrompter prompter;
};

TEST_F(PainterSurfaceTest, ScreenshotSavesTheMapOrNamesTheFileItCannotWrite) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    for (const int ratio : {1, 2}) {  // a high-density screen's map is saved at its size in logical dots
        ImageSurface surface(393 * ratio, 545 * ratio, 96, ratio);
        prepareMapSurface(surface);
        drawSubsectorMap(store, surface);
        ASSERT_TRUE(saveMapScreenshot(surface, folder, prompter));
        const QImage saved(QString::fromStdString(folder + "/QELVAR.bmp"));
        EXPECT_EQ(saved.size(), QSize(393, 545));
        QImage blank(saved.size(), saved.format());
        blank.fill(saved.pixel(0, 0));
        EXPECT_NE(saved, blank);
    }
    EXPECT_EQ(prompter.messages().back(), "Saved in " + folder + " as QELVAR.BMP");
    ImageSurface surface(393, 545, 96);
    EXPECT_EQ(surface.image().pixel(392, 544), qRgb(255, 255, 255));  // a new surface is white paper
    ScriptedPrompter failing;
    const std::string missing = folder + "/no such folder";
    EXPECT_FALSE(saveMapScreenshot(surface, missing, failing));
    ASSERT_EQ(failing.messages().size(), 1u);
    EXPECT_NE(failing.messages()[0].find(missing + "/QELVAR.bmp"), std::string::npos) << failing.messages()[0];
    EXPECT_NE(failing.messages()[0].find("No such file or directory"), std::string::npos);
}

TEST_F(PainterSurfaceTest, PrinterJobEndsWithEndDocAndTheNextDrawingStartsAnother) {
    QTemporaryDir dir;
    for (const char* name : {"first.pdf", "second.pdf"}) {
        QPdfWriter printer(dir.filePath(name));
        PrinterSurface page(printer);
        prepareMapSurface(page);
        drawSubsectorMap(store, page);
        EXPECT_TRUE(page.jobOpen());
        page.endDoc();
        EXPECT_FALSE(page.jobOpen());
        QFile pdf(dir.filePath(name));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF"));
        EXPECT_GT(bytes.size(), 2000);
    }
}

TEST_F(PainterSurfaceTest, AnyBytesInTheFieldsKeepTheSvgDocumentWellFormed) {
    store.subsectorName = std::string("Tab\there\r\nand\0nul", 17);
    for (int slot = 1; slot <= kHexCount; ++slot) {
        WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
        w.location = static_cast<std::int16_t>(slot);
        std::string junk;
        for (int i = 0; i < 8; ++i) junk.push_back(static_cast<char>(slot * 7 + i));  // every byte value
        w.name = junk;
        w.uwp = junk;
        w.allegiance = junk;
    }
    SvgSurface svg(393, 545, 96);
    prepareMapSurface(svg);
    drawSubsectorMap(store, svg);
    QXmlStreamReader xml(svg.finish());
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

}  // namespace
}  // namespace qelvar
