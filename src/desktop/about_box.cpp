#include "about_box.h"

#include <unistd.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>

#include "map/hex_geometry.h"
#include "seams/prompter.h"
#include "qelvar_version.h"

namespace qelvar {

namespace {

// The program's icon: a blue hex with a star system in it.
QPixmap programIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hex;
    const QPointF centre(size / 2.0, size / 2.0);
    const double r = size * 0.46;
    for (int i = 0; i < 6; ++i) {
        const double a = M_PI / 3 * i;
        const QPointF corner(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            hex.moveTo(corner);
        else
            hex.lineTo(corner);
    }
    hex.closeSubpath();
    p.setPen(QPen(QColor(20, 40, 90), size / 24.0));
    p.setBrush(QColor(40, 80, 160));
    p.drawPath(hex);
    p.setPen(QPen(QColor(200, 220, 255), size / 40.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r * 0.55, r * 0.22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 80));
    p.drawEllipse(centre, r * 0.18, r * 0.18);
    return pixmap;
}

QLabel* textLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

}  // namespace

const std::vector<std::string>& systemInformationTools() {
    static const std::vector<std::string> tools = {"hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk"};
    return tools;
}

std::optional<std::string> findSystemInformationTool(const std::string& pathVariable) {
    for (const std::string& tool : systemInformationTools()) {
        std::size_t start = 0;
        while (start <= pathVariable.size()) {
            const auto colon = pathVariable.find(':', start);
            const std::string folder =
                pathVariable.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
            start = colon == std::string::npos ? pathVariable.size() + 1 : colon + 1;
            if (folder.empty()) continue;
            const std::string candidate = folder + "/" + tool;
            std::error_code error;
            if (std::filesystem::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
    }
    return std::nullopt;
}

AboutBox::AboutBox(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
    setObjectName("frmAbout");
    setWindowTitle(tr("About Qelvar"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(programIcon(64));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* title = textLabel("lblTitle", tr("Qelvar"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* version = textLabel(
        "lblVersion",
        tr("Version %1.%2.%3").arg(QELVAR_VERSION_MAJOR).arg(QELVAR_VERSION_MINOR).arg(QELVAR_VERSION_PATCH), this);
    auto* description =
        textLabel("lblDescription",
                  tr("A map maker for the subsectors of the Kestrane role-playing game: load, draw, generate, edit, "
                     "print and save subsectors of eight by ten hexes, with a plain-language description of every "
                     "world code."),
                  this);
    auto* disclaimer =
        textLabel("lblDisclaimer",
                  tr("This program is free to use and comes with no warranty of any kind. Keep copies of your "
                     "subsector files; the authors accept no responsibility for lost or damaged data."),
                  this);
    QFont small = disclaimer->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    disclaimer->setFont(small);
    disclaimer->setForegroundRole(QPalette::PlaceholderText);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    ok->setToolTip(tr("Close this box"));
    auto* sysInfo = new QPushButton(tr("&System Info..."), this);
    sysInfo->setToolTip(tr("Start the system information tool"));
    sysInfo->setObjectName("cmdSysInfo");

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(description);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    layout->addLayout(bottom);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::startSystemInfo);

    setFixedWidth(480);
    const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    move(twipsToDots(500, dpi), twipsToDots(500, dpi));
}

void AboutBox::startSystemInfo() {
    const auto tool = findSystemInformationTool(qEnvironmentVariable("PATH").toStdString());
    if (!tool || !QProcess::startDetached(QString::fromStdString(*tool), {})) {
        prompter_.message(kSystemInfoUnavailable, MessageIcon::None, {});
    }
}

void showAboutBox(QWidget* parent, Prompter& prompter) {
    AboutBox box(prompter, parent);
    box.exec();
}

}  // namespace qelvar
