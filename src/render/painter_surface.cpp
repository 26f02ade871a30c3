#include "painter_surface.h"

#include <QPagedPaintDevice>
#include <QPolygonF>
#include <QSvgGenerator>
#include <cmath>

#include "text_codec.h"

namespace qelvar {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kCellsPerInchAcross = 12;
constexpr double kCellsPerInchDown = 6;

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

PainterSurface::PainterSurface(double dotsPerInchX, double dotsPerInchY) : dpiX_(dotsPerInchX), dpiY_(dotsPerInchY) {}

PainterSurface::~PainterSurface() = default;

double PainterSurface::scaleX() const {
    return unit() == SurfaceUnit::Millimetres ? dpiX_ / kMillimetresPerInch : dpiX_ / kCellsPerInchAcross;
}

double PainterSurface::scaleY() const {
    return unit() == SurfaceUnit::Millimetres ? dpiY_ / kMillimetresPerInch : dpiY_ / kCellsPerInchDown;
}

QPointF PainterSurface::toDevice(double x, double y) const { return QPointF(x * scaleX(), y * scaleY()); }

void PainterSurface::setPlacement(double zoom, QPointF offsetMillimetres, std::optional<QRectF> clipMillimetres) {
    zoom_ = zoom > 0 ? zoom : 1;
    offset_ = offsetMillimetres;
    clip_ = clipMillimetres;
    placementDirty_ = true;
}

QPainter* PainterSurface::placedPainter() {
    QPainter* p = painter();
    if (p && placementDirty_) {
        const double dotsX = dpiX_ / kMillimetresPerInch;
        const double dotsY = dpiY_ / kMillimetresPerInch;
        p->setWorldTransform(QTransform::fromTranslate(offset_.x() * dotsX, offset_.y() * dotsY).scale(zoom_, zoom_));
        if (clip_) {
            const QRectF clip(clip_->x() * dotsX, clip_->y() * dotsY, clip_->width() * dotsX, clip_->height() * dotsY);
            clipArea_ = p->worldTransform().inverted().mapRect(clip);
            p->setClipRect(*clipArea_);
        } else {
            clipArea_.reset();
            p->setClipping(false);
        }
        placementDirty_ = false;
    }
    return p;
}

bool PainterSurface::outsideClip(QRectF area) const {
    return clipArea_ && !area.normalized().adjusted(-2, -2, 2, 2).intersects(*clipArea_);
}

void PainterSurface::resetPainterState() {
    placementDirty_ = true;
    fontOnPainter_ = false;
    pen_.reset();
    layouts_.clear();
    fontLayouts_ = nullptr;
    layoutCount_ = 0;
}

void PainterSurface::applyLinePen(QPainter& p) {
    QPen pen(toQColor(foreColour()));
    pen.setWidthF(drawWidth());
    switch (drawStyle()) {
        case LineStyle::Solid:
            pen.setStyle(Qt::SolidLine);
            break;
        case LineStyle::DashDot:
            pen.setStyle(Qt::DashDotLine);
            break;
        case LineStyle::Dash:
            pen.setStyle(Qt::DashLine);
            break;
        case LineStyle::Dot:
            pen.setStyle(Qt::DotLine);
            break;
    }
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (!pen_ || *pen_ != pen) {
        p.setPen(pen);
        pen_ = pen;
    }
}

const QFontMetricsF& PainterSurface::metrics() {
    if (!fontSpec_ || *fontSpec_ != font()) {
        fontSpec_ = font();
        font_ = QFont(fromBytes(font().name));
        font_.setPointSizeF(font().size > 0 ? font().size : 1);
        font_.setBold(font().bold);
        font_.setUnderline(font().underline);
        font_.setStyleHint(QFont::SansSerif);
        metrics_.reset();
        fontOnPainter_ = false;
        fontLayouts_ = nullptr;
    }
    if (!metrics_) {
        metrics_ = std::make_unique<QFontMetricsF>(font_, paintDevice());
    }
    return *metrics_;
}

void PainterSurface::applyFont(QPainter& p) {
    metrics();
    if (!fontOnPainter_) {
        p.setFont(font_);
        fontOnPainter_ = true;
    }
}

double PainterSurface::textWidth(std::string_view text) {
    return metrics().horizontalAdvance(fromBytes(text)) / scaleX();
}

void PainterSurface::drawClear() {
    QPainter* p = placedPainter();
    if (!p || !paintsBackground()) return;
    // The whole device, wherever the placement puts the drawing.
    p->save();
    p->resetTransform();
    p->setClipping(false);
    p->fillRect(deviceArea(), toQColor(backColour()));
    p->restore();
}

void PainterSurface::drawLine(double x1, double y1, double x2, double y2) {
    QPainter* p = placedPainter();
    if (!p || outsideClip(QRectF(toDevice(x1, y1), toDevice(x2, y2)))) return;
    applyLinePen(*p);
    p->drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void PainterSurface::drawBox(double x1, double y1, double x2, double y2) {
    QPainter* p = placedPainter();
    if (!p) return;
    applyLinePen(*p);
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized());
}

void PainterSurface::drawCircle(double cx, double cy, double radius) {
    QPainter* p = placedPainter();
    const double r = std::fabs(radius);
    if (!p || outsideClip(QRectF(toDevice(cx - r, cy - r), toDevice(cx + r, cy + r)))) return;
    applyLinePen(*p);
    if (circlesFromImages_ && drawCircleImage(*p, toDevice(cx, cy), r * scaleX(), r * scaleY())) return;
    if (fillStyle() == FillStyle::Solid) {
        p->setBrush(toQColor(fillColour()));
    } else {
        p->setBrush(Qt::NoBrush);
    }
    p->drawEllipse(toDevice(cx, cy), r * scaleX(), r * scaleY());
}

bool PainterSurface::drawCircleImage(QPainter& p, QPointF centre, double radiusX, double radiusY) {
    const QTransform& placed = p.worldTransform();
    if (placed.type() > QTransform::TxTranslate) return false;
    // The centre on the device, to the quarter pixel: the whole pixels place the image, the quarters
    // choose it.
    const QPointF onDevice = placed.map(centre);
    const auto quarters = [](double v) { return static_cast<long long>(std::llround(v * 4)); };
    const long long qx = quarters(onDevice.x());
    const long long qy = quarters(onDevice.y());
    const int quarterX = static_cast<int>(((qx % 4) + 4) % 4);
    const int quarterY = static_cast<int>(((qy % 4) + 4) % 4);
    const double phaseX = quarterX / 4.0;
    const double phaseY = quarterY / 4.0;
    const Rgb fill = fillColour();
    const bool filled = fillStyle() == FillStyle::Solid;
    const auto packed = [](Rgb c) { return static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b); };
    const CircleLook key{quarters(radiusX * 16),
                         quarters(radiusY * 16),
                         quarterX,
                         quarterY,
                         static_cast<int>(drawStyle()),
                         drawWidth(),
                         packed(foreColour()),
                         filled ? packed(fill) : 0u,
                         filled};
    auto found = circleImages_.find(key);
    if (found == circleImages_.end()) {
        if (circleImages_.size() >= kCircleCacheSize) circleImages_.clear();
        const int half = static_cast<int>(std::ceil(std::max(radiusX, radiusY) + drawWidth())) + 2;
        QImage image(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(p.pen());
        painter.setBrush(filled ? QBrush(toQColor(fill)) : QBrush(Qt::NoBrush));
        painter.drawEllipse(QPointF(half + phaseX, half + phaseY), radiusX, radiusY);
        painter.end();
        found = circleImages_.emplace(key, std::move(image)).first;
    }
    const int half = found->second.width() / 2;
    const double left = std::floor(static_cast<double>(qx) / 4) - half;
    const double top = std::floor(static_cast<double>(qy) / 4) - half;
    p.drawImage(QPointF(left - placed.dx(), top - placed.dy()), found->second);
    return true;
}

const PainterSurface::TextLayout& PainterSurface::layoutOf(std::string_view text) {
    metrics();
    if (!fontLayouts_) {
        std::string key = font().name;
        key += font().bold ? "\x1f"
                             "b"
                           : "\x1f";
        key += font().underline ? "u\x1f" : "\x1f";
        key += std::to_string(font().size);
        fontLayouts_ = &layouts_[key];
    }
    auto found = fontLayouts_->find(text);
    if (found != fontLayouts_->end()) return found->second;
    if (layoutCount_ >= kLayoutCacheSize) {
        for (auto& [fontKey, layouts] : layouts_) layouts.clear();
        layoutCount_ = 0;
    }
    // Control bytes have no glyph (and no place in an SVG document): they draw as blanks.
    QString shown = fromBytes(text);
    for (QChar& c : shown) {
        if (c.unicode() < 0x20) c = QLatin1Char(' ');
    }
    TextLayout layout{QStaticText(shown), metrics().horizontalAdvance(fromBytes(text))};
    layout.text.setTextFormat(Qt::PlainText);
    layout.text.setPerformanceHint(QStaticText::AggressiveCaching);
    layout.text.prepare(QTransform(), font_);
    ++layoutCount_;
    return fontLayouts_->emplace(std::string(text), std::move(layout)).first->second;
}

void PainterSurface::drawPolygon(const std::vector<SurfacePoint>& points, double opacity) {
    QPainter* p = placedPainter();
    if (!p) return;
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const SurfacePoint& point : points) polygon << toDevice(point.x, point.y);
    if (outsideClip(polygon.boundingRect())) return;
    QColor colour = toQColor(fillColour());
    colour.setAlphaF(static_cast<float>(opacity));
    p->setPen(Qt::NoPen);
    p->setBrush(colour);
    p->drawPolygon(polygon);
}

void PainterSurface::drawText(double x, double y, std::string_view text) {
    QPainter* p = placedPainter();
    if (!p || text.empty()) return;
    const QPointF at = toDevice(x, y);
    const double bottom = toDevice(x, y + lineHeight()).y();
    // A text above or below the clip is left before it is measured.
    if (clipArea_ && outsideClip(QRectF(clipArea_->left(), at.y(), clipArea_->width(), bottom - at.y()))) return;
    // The same texts come back on every redraw (hex numbers, names); laid out once, they draw much faster.
    const TextLayout& layout = layoutOf(text);
    if (clipArea_ && outsideClip(QRectF(at, QPointF(at.x() + layout.width, bottom)))) return;
    applyFont(*p);
    applyLinePen(*p);  // text takes only the pen's colour
    p->drawStaticText(at, layout.text);
}

// --- ImageSurface ---------------------------------------------------------------------------------------

namespace {

QImage blankImage(int width, int height, double dotsPerInch) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

}  // namespace

ImageSurface::ImageSurface(int widthDots, int heightDots, double dotsPerInch, double devicePixelRatio)
    : PainterSurface(dotsPerInch, dotsPerInch),
      image_(blankImage(widthDots, heightDots, dotsPerInch)),
      devicePixelRatio_(devicePixelRatio > 0 ? devicePixelRatio : 1) {
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

ImageSurface::~ImageSurface() = default;

QByteArray encodedImage(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) return {};
    return bytes;
}

std::optional<std::string> ImageSurface::imageAsBmp() {
    QByteArray bytes;
    if (devicePixelRatio_ == 1) {
        bytes = encoded("BMP");
    } else {
        QImage logical = image_.scaled(static_cast<int>(std::lround(image_.width() / devicePixelRatio_)),
                                       static_cast<int>(std::lround(image_.height() / devicePixelRatio_)),
                                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const int dotsPerMetre = static_cast<int>(std::lround(image_.dotsPerMeterX() / devicePixelRatio_));
        logical.setDotsPerMeterX(dotsPerMetre);
        logical.setDotsPerMeterY(dotsPerMetre);
        bytes = encodedImage(logical, "BMP");
    }
    if (bytes.isEmpty()) return std::nullopt;
    return bytes.toStdString();
}

// --- SvgSurface -----------------------------------------------------------------------------------------

SvgSurface::SvgSurface(int widthDots, int heightDots, double dotsPerInch, const QString& title)
    : PainterSurface(dotsPerInch, dotsPerInch),
      width_(std::max(widthDots, 1)),
      height_(std::max(heightDots, 1)),
      generator_(std::make_unique<QSvgGenerator>()) {
    buffer_.open(QIODevice::WriteOnly);
    generator_->setOutputDevice(&buffer_);
    generator_->setSize(QSize(width_, height_));
    generator_->setViewBox(QRect(0, 0, width_, height_));
    generator_->setResolution(static_cast<int>(std::lround(dotsPerInch)));
    if (!title.isEmpty()) generator_->setTitle(title);
    painter_.begin(generator_.get());
    painter_.setRenderHint(QPainter::Antialiasing);
}

SvgSurface::~SvgSurface() {
    if (painter_.isActive()) painter_.end();
}

QPainter* SvgSurface::painter() { return finished_ ? nullptr : &painter_; }

QPaintDevice* SvgSurface::paintDevice() { return generator_.get(); }

QByteArray SvgSurface::finish() {
    if (!finished_) {
        if (painter_.isActive()) painter_.end();
        finished_ = true;
    }
    return buffer_.data();
}

// --- PrinterSurface -------------------------------------------------------------------------------------

PrinterSurface::PrinterSurface(QPagedPaintDevice& printer, JobEnd jobEnd)
    : PainterSurface(printer.logicalDpiX(), printer.logicalDpiY()), printer_(printer), jobEnd_(jobEnd) {}

PrinterSurface::~PrinterSurface() { finish(); }

QPainter* PrinterSurface::painter() {
    if (!painter_.isActive()) {
        if (!painter_.begin(&printer_)) return nullptr;
        painter_.setRenderHint(QPainter::Antialiasing);
        resetPainterState();
        jobEnded_ = false;
    } else if (jobEnded_) {
        printer_.newPage();
        jobEnded_ = false;
    }
    return &painter_;
}

QPaintDevice* PrinterSurface::paintDevice() { return &printer_; }

QRectF PrinterSurface::deviceArea() const { return QRectF(0, 0, printer_.width(), printer_.height()); }

std::optional<double> PrinterSurface::pageHeightMillimetres() const {
    const double dpi = printer_.logicalDpiY();
    if (dpi <= 0 || printer_.height() <= 0) return std::nullopt;
    return printer_.height() / dpi * kMillimetresPerInch;
}

QSizeF PrinterSurface::pageSizeMillimetres() const {
    const double dpiX = printer_.logicalDpiX();
    const double dpiY = printer_.logicalDpiY();
    if (dpiX <= 0 || dpiY <= 0) return {};
    return {printer_.width() / dpiX * kMillimetresPerInch, printer_.height() / dpiY * kMillimetresPerInch};
}

void PrinterSurface::drawNewPage() {
    // A page that has not begun yet is new already.
    if (painter_.isActive() && !jobEnded_) printer_.newPage();
}

void PrinterSurface::endDoc() {
    if (!painter_.isActive()) return;
    if (jobEnd_ == JobEnd::NextPage) {
        jobEnded_ = true;
    } else {
        painter_.end();
    }
}

void PrinterSurface::finish() {
    if (painter_.isActive()) painter_.end();
    jobEnded_ = false;
}

}  // namespace qelvar
