#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <set>

namespace {

struct CliRun {
    int status = -1;
    QString err;
};

CliRun runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QELVAR_CLI), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QStringList samples() {
    return QDir(QStringLiteral(QELVAR_SAMPLES)).entryList({"*.sbs"}, QDir::Files, QDir::Name);
}

int distinctColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    }
    return static_cast<int>(colours.size());
}

TEST(RenderCommand, EverySampleInEveryFormat) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_FALSE(samples().isEmpty());
    for (const QString& sample : samples()) {
        SCOPED_TRACE(sample.toStdString());
        const QString in = QDir(QStringLiteral(QELVAR_SAMPLES)).filePath(sample);
        for (const char* extension : {"png", "bmp"}) {
            const QString out = dir.filePath(sample + "." + extension);
            const CliRun run = runCli({"render", in, out});
            ASSERT_EQ(run.status, 0) << run.err.toStdString();
            QImage image(out);
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), QSize(393, 545));
            EXPECT_GT(distinctColours(image), 8);  // background, white, silver, blue, green... and blends
        }
        const QString svg = dir.filePath(sample + ".svg");
        ASSERT_EQ(runCli({"render", in, svg}).status, 0);
        QFile svgFile(svg);
        ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
        const QByteArray document = svgFile.readAll();
        EXPECT_TRUE(document.contains("<svg"));
        EXPECT_GE(document.count("</text>"), 81);  // the title and 80 hex numbers at least

        const QString ops = dir.filePath(sample + ".ops");
        ASSERT_EQ(runCli({"render", in, ops}).status, 0);
        QFile opsFile(ops);
        ASSERT_TRUE(opsFile.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = opsFile.readAll().split('\n');
        EXPECT_TRUE(lines.front().startsWith("cls\t#"));
        EXPECT_GE(lines.count(), 1 + 81 + 480 + 1);
        EXPECT_TRUE(lines.at(lines.size() - 2).startsWith("box\t1.000\t5.000\t100.000\t142.000\t"));
    }
}

TEST(RenderCommand, SectorGridAndOptions) {
    QTemporaryDir dir;
    const QString in = QDir(QStringLiteral(QELVAR_SAMPLES)).filePath(samples().value(0));
    const QString ops = dir.filePath("grid.ops");
    ASSERT_EQ(runCli({"render", in, ops, "--sector-grid"}).status, 0);
    QFile file(ops);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_EQ(text.count("\t*\n"), 320);
    EXPECT_EQ(text.count("circle\t"), 0);

    const QString png = dir.filePath("grid.png");
    ASSERT_EQ(runCli({"render", in, png, "--sector-grid"}).status, 0);
    EXPECT_EQ(QImage(png).size(), QSize(393, 545));
}

TEST(RenderCommand, UsageAndFileErrors) {
    QTemporaryDir dir;
    const QString in = QDir(QStringLiteral(QELVAR_SAMPLES)).filePath(samples().value(0));
    struct Case {
        QStringList arguments;
        int status;
        const char* message;
    } const cases[] = {
        {{"render", in, dir.filePath("map.gif")}, 1, "extension"},
        {{"render", in, dir.filePath("map")}, 1, "extension"},
        {{"render", in}, 1, "takes 2"},
        {{"render", in, dir.filePath("map.png"), "--colour"}, 1, "unknown option --colour"},
        {{"render", dir.filePath("missing.sbs"), dir.filePath("map.png")}, 2, "missing.sbs"},
        {{"render", in, dir.filePath("no/such/map.png")}, 2, "no/such/map.png"},
        {{"render", in, dir.path()}, 1, "extension"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.err.contains(QString::fromLatin1(c.message))) << run.err.toStdString();
    }
    // A failed write leaves no file behind.
    EXPECT_FALSE(QFile::exists(dir.filePath("map.png")));
}

}  // namespace
