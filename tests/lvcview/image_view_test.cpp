// The image view maps the cursor to the image's pixel in both zooms, and describes it.
#include <gtest/gtest.h>

#include <QApplication>

#include "config_ui/qt_environment.h"
#include "image_view.h"

namespace lvcview {
namespace {

struct PixelCase {
    bool fit;
    QSize canvas;
    QPoint cursor;
    QPoint pixel;
};

TEST(ImageViewTest, CursorFindsThePixelWhenFittedAndAtOneToOne) {
    lvc::test::OffscreenQt environment;
    int argc = 1;
    char name[] = "lvcview_tests";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QImage image(160, 120, QImage::Format_Grayscale8);
    image.fill(9);
    const PixelCase cases[] = {
        {true, {320, 240}, {3, 5}, {1, 2}},  // scaled up twice
        {true, {320, 240}, {319, 239}, {159, 119}},
        {true, {400, 240}, {40, 0}, {0, 0}},      // centred: 40 columns on each side
        {true, {400, 240}, {39, 10}, {-1, -1}},   // beside the image
        {false, {320, 240}, {3, 5}, {3, 5}},      // 1:1 from the corner
        {false, {320, 240}, {160, 5}, {-1, -1}},  // past the image's right edge
    };
    for (const PixelCase& test : cases) {
        SCOPED_TRACE(testing::Message()
                     << "fit " << test.fit << " at " << test.cursor.x() << "," << test.cursor.y());
        ImageCanvas canvas;
        canvas.setImage(image);
        canvas.setFit(test.fit);
        canvas.resize(test.canvas);
        EXPECT_EQ(canvas.pixelAt(test.cursor), test.pixel);
    }
    EXPECT_EQ(ImageView::describePixel(image, {159, 119}), "159, 119: 9");
    EXPECT_EQ(ImageView::describePixel(image, {160, 0}), "");
    QImage colour(2, 1, QImage::Format_BGR888);
    colour.setPixel(1, 0, qRgb(10, 20, 30));
    EXPECT_EQ(ImageView::describePixel(colour, {1, 0}), "1, 0: R 10 G 20 B 30");
}

}  // namespace
}  // namespace lvcview
