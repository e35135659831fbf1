// OpenCV names a Bayer layout by the second row's second and third pixels, so a sensor
// whose top-left cell is R G / G B is its "BG" layout.
#pragma once

#include <opencv2/imgproc.hpp>

namespace fwt::bench {

constexpr auto opencvRggbToBgr = cv::COLOR_BayerBG2BGR;
constexpr auto opencvRggbToBgrEdgeAware = cv::COLOR_BayerBG2BGR_EA;

}  // namespace fwt::bench
