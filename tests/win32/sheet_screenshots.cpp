// Renders each page of the native property sheet to a PNG file for the documentation:
//   lvc_win32_screenshots OUTPUT_DIRECTORY
// Runs the real DLL on the built-in simulated bus and shows the sheet of its first
// camera; needs a display (Xvfb under Wine: scripts/wine-screenshots.sh).
#include <cstdio>
#include <future>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "support/plugin_host.h"
#include "support/temp_directory.h"
#include "support/wait_until.h"
#include "win32/native_sheet.h"
#include "win32/second_process.h"

namespace {

constexpr const char* kPageFiles[] = {"win32-format.png", "win32-ctrl1.png", "win32-trigio.png",
                                      "win32-lut.png"};
constexpr int kFeatureList = 5024;

// The window as it is drawn now, with its frame, as tightly packed RGB rows.
bool saveWindow(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HDC windowDc = GetWindowDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();

    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    const auto* bgrx = static_cast<const unsigned char*>(bits);
    for (std::size_t pixel = 0; pixel < rgb.size() / 3; ++pixel) {
        rgb[pixel * 3 + 0] = bgrx[pixel * 4 + 2];
        rgb[pixel * 3 + 1] = bgrx[pixel * 4 + 1];
        rgb[pixel * 3 + 2] = bgrx[pixel * 4 + 0];
    }
    SelectObject(memoryDc, previous);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lvc_win32_screenshots OUTPUT_DIRECTORY\n");
        return 1;
    }
    const std::string directory = argv[1];
    lvc::test::TempDirectory systemPath;
    lvc::test::PluginHost plugin(lvc::test::besideTestProgram("lorvenacam.dll"));
    if (plugin.initialize(systemPath.path().string().c_str(), nullptr) != 1 ||
        plugin.getCVLNoOfSupportedCameras() < 1)
        return 2;
    const std::string name = plugin.getCVLCameraConfigNames()[0];
    auto configured =
        std::async(std::launch::async, [&] { return plugin.configureCamera(0, name.c_str()); });

    int status = 0;
    {
        lvc::test::NativeSheet sheet(name);
        for (int page = 0; page < 4; ++page) {
            sheet.chooseTab(page);
            lvc::test::waitUntil(
                [&] { return PropSheet_GetCurrentPageHwnd(sheet.window()) == sheet.page(page); });
            if (page == 1) {
                HWND features = sheet.control(page, kFeatureList);
                lvc::test::waitUntil([&] { return ListView_GetItemCount(features) > 0; });
                ListView_SetItemState(features, 0, LVIS_SELECTED | LVIS_FOCUSED,
                                      LVIS_SELECTED | LVIS_FOCUSED);
            }
            const std::string path = directory + "\\" + kPageFiles[page];
            if (!saveWindow(sheet.window(), path)) status = 3;
            std::printf("%s\n", path.c_str());
        }
        sheet.pressButton(IDCANCEL);
    }
    configured.wait();
    plugin.finalize();
    return status;
}
