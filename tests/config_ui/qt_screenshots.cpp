// Renders the four pages of the Qt sheet into PNG files, as a host shows them for a camera
// of the simulated bus that is open on a port with a LUT configured:
//   lvc_dialog_screenshots OUTPUT_DIRECTORY
#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "config_ui/control_ids.h"
#include "config_ui_bus.h"
#include "qt_environment.h"
#include "qt_sheet_driver.h"
#include "support/plugin_host.h"
#include "support/sim_bus_file.h"

namespace {

using namespace lvc;
using namespace lvc::test;

std::string writeGammaLut(const std::filesystem::path& directory) {
    std::string path = (directory / "gamma045.lut").string();
    std::ofstream file(path);
    file << "gamma 0.45\n";
    for (int i = 0; i < 256; ++i)
        file << static_cast<int>(255.0 * std::pow(i / 255.0, 0.45) + 0.5) << "\n";
    return path;
}

void writeSettings(const std::filesystem::path& directory, const std::string& lut) {
    std::ofstream ini(directory / "Lorvenacam.ini");
    ini << "[" << kFixedCameraName << "]\nBusload=1000\nStreaming=1\nLUT=1\nLUTname=" << lut
        << "\n";
}

// The offscreen platform draws no window frame: a plain caption strip above the sheet
// shows the window title as a desktop would.
QImage withCaption(QWidget& sheet) {
    QPixmap content = sheet.grab();
    QFont font = sheet.font();
    font.setBold(true);
    const int captionHeight = QFontMetrics(font).height() + 10;
    QImage image(content.width(), content.height() + captionHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, image.width(), captionHeight,
                     sheet.palette().color(QPalette::Highlight));
    painter.setPen(sheet.palette().color(QPalette::HighlightedText));
    painter.setFont(font);
    painter.drawText(QRect(8, 0, image.width() - 16, captionHeight), Qt::AlignVCenter,
                     sheet.windowTitle());
    painter.drawPixmap(0, captionHeight, content);
    return image;
}

bool save(QWidget& sheet, const std::string& directory, const char* name) {
    std::string path = directory + "/" + name;
    bool saved = withCaption(sheet).save(QString::fromStdString(path));
    std::printf("%s %s\n", saved ? "wrote" : "cannot write", path.c_str());
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string output = argv[1];
    OffscreenQt environment;
    SimBusFile bus(configUiBusJson());
    writeSettings(bus.directory(), writeGammaLut(bus.directory()));
    PluginHost host;
    if (host.initialize(bus.directory().string().c_str(), nullptr) != 1) return 1;
    uint32_t size[2] = {};
    if (host.openCVLPort(0, 0, kFixedCameraName, size) != 1) return 1;

    QApplication application(argc, argv);
    int written = 0;
    whenSheetOpens([&](QDialog& sheet) {
        written += save(sheet, output, "qt-format.png");
        clickTab(sheet, 1);
        clickTreeRow(control<QTreeWidget>(sheet, kFeatureList), "gain");
        written += save(sheet, output, "qt-ctrl1.png");
        clickTab(sheet, 2);
        written += save(sheet, output, "qt-trigio.png");
        clickTab(sheet, 3);
        written += save(sheet, output, "qt-lut.png");
        pressButton(sheet, QDialogButtonBox::Cancel);
    });
    host.configureCamera(0, kFixedCameraName);
    host.closeCVLPort(0, 0);
    host.finalize();
    return written == 4 ? 0 : 1;
}
