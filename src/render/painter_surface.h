#pragma once
// Surfaces that paint with QPainter: over a QImage (the screen map, BMP and PNG), over QSvgGenerator and
// over a paged device (a PDF file or a real printer). Coordinates in the surface unit are turned into device dots by
// the device's resolution; line widths are device dots; text is Windows-1252 bytes.

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>

#include "seams/surface.h"

class QPagedPaintDevice;
class QSvgGenerator;

namespace qelvar {

class PainterSurface : public Surface {
public:
    ~PainterSurface() override;

    double textWidth(std::string_view text) override;

    // Where the drawing lands on the device: at offset + zoom x the drawn point (millimetres), clipped to
    // `clip` (millimetres on the device) when one is given. A poster scaled onto one sheet, or one sheet of
    // a tiled poster.
    void setPlacement(double zoom, QPointF offsetMillimetres, std::optional<QRectF> clipMillimetres = {});

protected:
    PainterSurface(double dotsPerInchX, double dotsPerInchY);

    // The painter, begun on its device; nullptr when the device cannot be painted on.
    virtual QPainter* painter() = 0;
    // The device, for font metrics (without beginning to paint).
    virtual QPaintDevice* paintDevice() = 0;
    // Whether a clear paints the background (an image and SVG) or only starts afresh (paper).
    virtual bool paintsBackground() const { return true; }
    // The area a clear paints, in device dots.
    virtual QRectF deviceArea() const = 0;

    void drawClear() override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawBox(double x1, double y1, double x2, double y2) override;
    void drawCircle(double cx, double cy, double radius) override;
    void drawText(double x, double y, std::string_view text) override;
    void drawPolygon(const std::vector<SurfacePoint>& points, double opacity) override;

    // Forgets the painter state cached for the current painter (after a new begin()).
    void resetPainterState();
    // Circles drawn as small images drawn once for each look and quarter-pixel place: many times faster for
    // a map of hundreds of worlds, and within a quarter of a pixel of the circle drawn each time.
    bool circlesFromImages_ = false;

private:
    QPointF toDevice(double x, double y) const;
    double scaleX() const;
    double scaleY() const;
    void applyLinePen(QPainter& p);
    void applyFont(QPainter& p);
    const QFontMetricsF& metrics();
    QPainter* placedPainter();
    // Whether an area (device dots before the placement) lies wholly outside the placement's clip; what
    // does is not drawn at all, so that a tile of a poster holds only its own part.
    bool outsideClip(QRectF area) const;
    // Draws a circle of the current look from its image, made the first time; false when the placement
    // scales the drawing (the image would not match).
    bool drawCircleImage(QPainter& p, QPointF centre, double radiusX, double radiusY);

    double zoom_ = 1;
    QPointF offset_;
    std::optional<QRectF> clip_;
    std::optional<QRectF> clipArea_;  // the clip in the painter's own coordinates
    bool placementDirty_ = false;

    double dpiX_;
    double dpiY_;
    // What the painter was last given, so that unchanged state is not set again.
    std::optional<FontSpec> fontSpec_;
    QFont font_;
    std::unique_ptr<QFontMetricsF> metrics_;
    bool fontOnPainter_ = false;
    std::optional<QPen> pen_;
    // Laid-out texts, by font and then by text, with their widths in device dots.
    struct TextLayout {
        QStaticText text;
        double width = 0;
    };
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using TextLayouts = std::unordered_map<std::string, TextLayout, TextHash, std::equal_to<>>;
    const TextLayout& layoutOf(std::string_view text);
    static constexpr std::size_t kLayoutCacheSize = 16384;
    std::unordered_map<std::string, TextLayouts> layouts_;
    TextLayouts* fontLayouts_ = nullptr;  // those of the current font
    std::size_t layoutCount_ = 0;
    // A circle's look: radii in 64ths of a dot, the quarter-dot place, line style and width, outline and fill.
    using CircleLook = std::tuple<long long, long long, int, int, int, int, std::uint32_t, std::uint32_t, bool>;
    static constexpr std::size_t kCircleCacheSize = 1024;
    std::map<CircleLook, QImage> circleImages_;
};

// An image in a Qt image format ("PNG", "BMP"); empty when it cannot be encoded.
QByteArray encodedImage(const QImage& image, const char* format);

// The screen map: an image of a given size in dots at a given resolution. On a screen with several device
// pixels to a logical one, the image is drawn at the device's pixels (dots and resolution multiplied by the
// ratio) and its BMP keeps the logical size.
class ImageSurface final : public PainterSurface {
public:
    ImageSurface(int widthDots, int heightDots, double dotsPerInch, double devicePixelRatio = 1);
    ~ImageSurface() override;

    const QImage& image() const { return image_; }
    // Draws circles from images made once (see PainterSurface), for maps of a whole sector.
    void setCirclesFromImages(bool on) { circlesFromImages_ = on; }
    // The image in a Qt image format ("PNG", "BMP"); empty when it cannot be encoded.
    QByteArray encoded(const char* format) const { return encodedImage(image_, format); }
    std::optional<std::string> imageAsBmp() override;

protected:
    QPainter* painter() override { return &painter_; }
    QPaintDevice* paintDevice() override { return &image_; }
    QRectF deviceArea() const override { return QRectF(0, 0, image_.width(), image_.height()); }

private:
    QImage image_;
    QPainter painter_;
    double devicePixelRatio_;
};

// An SVG document of a given size in dots at a given resolution, written to memory.
class SvgSurface final : public PainterSurface {
public:
    SvgSurface(int widthDots, int heightDots, double dotsPerInch, const QString& title = {});
    ~SvgSurface() override;

    // Ends the drawing and gives the whole document; nothing more can be drawn afterwards.
    QByteArray finish();

protected:
    QPainter* painter() override;
    QPaintDevice* paintDevice() override;
    QRectF deviceArea() const override { return QRectF(0, 0, width_, height_); }

private:
    int width_;
    int height_;
    QBuffer buffer_;
    std::unique_ptr<QSvgGenerator> generator_;
    QPainter painter_;
    bool finished_ = false;
};

// A printer (or a PDF file, as the printer is set up): the origin is the top-left of the printable
// area. Painting begins a job on first use; endDoc() ends it and the next drawing begins another.
// With JobEnd::NextPage the jobs go into one document instead (one PDF file, a print preview): an
// ended job's successor starts on a new page, and the document ends with finish() or the surface.
class PrinterSurface final : public PainterSurface {
public:
    enum class JobEnd { EndsDocument, NextPage };
    // Any paged device: QPrinter for a real printer, QPdfWriter for a PDF file.
    explicit PrinterSurface(QPagedPaintDevice& printer, JobEnd jobEnd = JobEnd::EndsDocument);
    ~PrinterSurface() override;

    void endDoc() override;
    std::optional<double> pageHeightMillimetres() const override;
    // The printable area of a page in millimetres.
    QSizeF pageSizeMillimetres() const;
    bool jobOpen() const { return painter_.isActive() && !jobEnded_; }
    // Ends the document (for JobEnd::NextPage; with EndsDocument the same as endDoc()).
    void finish();

protected:
    QPainter* painter() override;
    QPaintDevice* paintDevice() override;
    bool paintsBackground() const override { return false; }
    QRectF deviceArea() const override;
    void drawNewPage() override;

private:
    QPagedPaintDevice& printer_;
    QPainter painter_;
    JobEnd jobEnd_;
    bool jobEnded_ = false;  // NextPage: the last job ended; the next drawing turns the page
};

}  // namespace qelvar
