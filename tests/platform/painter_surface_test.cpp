#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <set>

#include "core/subsector_store.h"
#include "map/map_drawing.h"
#include "platform/qt/painter_surface.h"
#include "support/scripted_prompter.h"

// Font fallback for odd characters makes fontconfig keep allocations that it never frees; they are its
// own, not ours. Only sanitizer builds read this.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace qelvar {
namespace {

QGuiApplication& application() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "surface_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

QRgb rgb(Rgb c) { return qRgb(c.r, c.g, c.b); }

// A pixel in millimetres at 96 dots per inch.
QRgb pixelAt(const QImage& image, double x, double y) {
    return image.pixel(static_cast<int>(x * 96 / 25.4), static_cast<int>(y * 96 / 25.4));
}

class PainterSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { application(); }
};

TEST_F(PainterSurfaceTest, MapImageHasTheSymbolsWhereTheyBelong) {
    SubsectorStore store;
    store.subsectorLetter = "A";
    WorldRecord& w = store.worlds[24];  // 0304
    w.name = "Draven";
    w.location = 304;
    w.uwp = "A7726A89";
    w.pag = "013";
    w.zone = " ";
    w.base = "N";
    w.allegiance = "Ke";
    WorldRecord& v = store.worlds[46];  // 0506
    v = w;
    v.location = 506;
    v.uwp = "A7706789";
    v.pag = "000";
    v.zone = "R";

    ImageSurface surface(twipsToDots(kMapSurfaceWidthTwips, 96), twipsToDots(kMapSurfaceHeightTwips, 96), 96);
    prepareMapSurface(surface);
    testing::ScriptedPrompter prompter;
    mnuredisplay_Click(store, surface, prompter);
    const QImage& image = surface.image();
    ASSERT_EQ(image.size(), QSize(393, 545));

    const MapPoint a = hexAnchor(3, 4, kScreenHexScale);
    const MapPoint centre = hexCentre(a, kScreenHexScale);
    EXPECT_EQ(pixelAt(image, centre.x, centre.y), rgb(colours::kBlue));
    EXPECT_EQ(pixelAt(image, a.x + 7.8, a.y + 3.9), rgb(colours::kGreen));
    EXPECT_EQ(pixelAt(image, 103, 143), rgb(kMapBackground));   // outside the frame
    EXPECT_GT(qGray(pixelAt(image, 50, 142)), 150);                // the frame's bottom edge
    EXPECT_EQ(pixelAt(image, 68, 139), rgb(kMapBackground));

    // The red ring of 0506 crosses the horizontal through its centre 5.2 mm to the right.
    const MapPoint c = hexCentre(hexAnchor(5, 6, kScreenHexScale), kScreenHexScale);
    bool redFound = false;
    const int y = static_cast<int>(c.y * 96 / 25.4);
    for (int x = static_cast<int>((c.x + 4.5) * 96 / 25.4); x <= static_cast<int>((c.x + 6) * 96 / 25.4); ++x) {
        const QColor p = image.pixelColor(x, y);
        redFound = redFound || (p.red() > 200 && p.green() < 80 && p.blue() < 100);
    }
    EXPECT_TRUE(redFound);

    const auto bmp = surface.imageAsBmp();
    ASSERT_TRUE(bmp.has_value());
    EXPECT_EQ(bmp->substr(0, 2), "BM");
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(QByteArray::fromStdString(*bmp), "BMP"));
    EXPECT_EQ(decoded.size(), image.size());
    EXPECT_EQ(decoded.pixel(200, 300), image.pixel(200, 300));
}

TEST_F(PainterSurfaceTest, AnyBytesInTheFieldsDrawOnImageAndSvg) {
    SubsectorStore store;
    store.subsectorLetter = "?";
    unsigned char byte = 0;
    for (int slot = 1; slot <= kHexCount; ++slot) {
        WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
        std::string junk;
        for (int i = 0; i < 20; ++i) junk.push_back(static_cast<char>(byte++));
        w.name = junk;
        w.uwp = junk.substr(2);
        w.allegiance = junk.substr(4);
        w.base = junk.substr(6);
        w.location = static_cast<std::int16_t>(slot);
    }
    testing::ScriptedPrompter prompter;
    ImageSurface image(393, 545, 96);
    prepareMapSurface(image);
    mnuredisplay_Click(store, image, prompter);
    SvgSurface svg(393, 545, 96);
    prepareMapSurface(svg);
    mnuredisplay_Click(store, svg, prompter);
    const QByteArray document = svg.finish();
    EXPECT_TRUE(document.contains("</svg>"));
    for (const char c : document) {
        ASSERT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r' && c != '\t')
            << "control byte " << int(c) << " in the SVG document";
    }
    EXPECT_EQ(prompter.messages(), (std::vector<std::string>{"DUFF SS LETTER", "DUFF SS LETTER"}));
}

TEST_F(PainterSurfaceTest, TextSitsBelowAndRightOfThePen) {
    ImageSurface surface(200, 200, 96);
    surface.setBackColor(colours::kBlack);
    surface.cls();
    surface.setForeColor(colours::kWhite);
    surface.setFont({"Times New Roman", 10, false, false});
    surface.setPen(10, 10);
    surface.print("HX");
    const QImage& image = surface.image();
    int top = image.height(), left = image.width(), bottom = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 128) {
                top = std::min(top, y);
                left = std::min(left, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    const double pen = 10 * 96 / 25.4;  // 37.8 dots
    EXPECT_GE(top, static_cast<int>(pen));
    EXPECT_LE(top, static_cast<int>(pen) + 6);
    EXPECT_GE(left, static_cast<int>(pen) - 1);
    EXPECT_LE(left, static_cast<int>(pen) + 3);
    EXPECT_LE(bottom, static_cast<int>(pen + surface.lineHeight() * 96 / 25.4));
    EXPECT_GT(surface.textWidth("HXHX"), surface.textWidth("HX") * 1.5);
}

TEST_F(PainterSurfaceTest, SvgAndPdfDocuments) {
    SubsectorStore store;
    store.subsectorLetter = "A";
    testing::ScriptedPrompter prompter;

    SvgSurface svg(393, 545, 96, "map");
    prepareMapSurface(svg);
    mnuredisplay_Click(store, svg, prompter);
    const QByteArray document = svg.finish();
    EXPECT_TRUE(document.contains("<svg"));
    EXPECT_TRUE(document.contains("0810"));
    EXPECT_GT(document.count("<path") + document.count("<polyline"), 80);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    PrinterSurface page(printer);
    page.setUnit(SurfaceUnit::Millimetres);
    page.setDrawWidth(10);
    page.box(15, 10, 170, 235);
    EXPECT_TRUE(page.jobOpen());
    page.endDoc();
    EXPECT_FALSE(page.jobOpen());
    QFile pdf(dir.filePath("page.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

}  // namespace
}  // namespace qelvar
