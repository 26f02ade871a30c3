#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// The exit status of the command line program and what it wrote to its error stream.
std::pair<int, std::string> runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QELVAR_CLI), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError().toStdString()};
}

const QString sample = QDir(QStringLiteral(QELVAR_SAMPLES)).filePath(QStringLiteral("ostrel.sbs"));

TEST(RenderCommand, WritesEachFormatForASample) {
    QTemporaryDir dir;
    for (const char* extension : {"png", "bmp", "svg", "ops"}) {
        SCOPED_TRACE(extension);
        const QString out = dir.filePath(QStringLiteral("map.") + QLatin1String(extension));
        const auto [status, err] = runCli({"render", sample, out});
        ASSERT_EQ(status, 0) << err;
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (QByteArray(extension) == "svg") {
            EXPECT_TRUE(bytes.contains("<svg"));
            EXPECT_GE(bytes.count("</text>"), 81);  // the title and the 80 hex numbers at least
        } else if (QByteArray(extension) == "ops") {
            EXPECT_GE(bytes.count("\ntext\t"), 81);
        } else {
            const QImage image = QImage::fromData(bytes);
            EXPECT_EQ(image.size(), QSize(393, 545));
            QImage blank(image.size(), image.format());
            blank.fill(image.pixel(0, 0));
            EXPECT_NE(image, blank);
        }
    }
}

TEST(RenderCommand, ExitStatuses) {
    QTemporaryDir dir;
    struct Case {
        QStringList arguments;
        int status;
        const char* message;
    } const cases[] = {
        {{"render", sample, dir.filePath("map.png")}, 0, ""},
        {{"render", sample, dir.filePath("map.gif")}, 1, "extension"},
        {{"render", sample, dir.filePath("map")}, 1, "extension"},
        {{"render", sample}, 1, "takes 2"},
        {{"render", sample, dir.filePath("map.png"), "--colour"}, 1, "unknown option --colour"},
        {{"render", dir.filePath("missing.sbs"), dir.filePath("map.png")}, 2, "missing.sbs"},
        {{"render", sample, dir.filePath("no/such/map.png")}, 2, "no/such/map.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto [status, err] = runCli(c.arguments);
        EXPECT_EQ(status, c.status);
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
    }
}

}  // namespace
