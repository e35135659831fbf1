// The conversion benchmarks: the demosaic quality table, then every conversion beside
// OpenCV, libdc1394 and memcpy, single-threaded.
#include <benchmark/benchmark.h>

#include <opencv2/core.hpp>

#include "conversion_benchmarks.h"
#include "demosaic_quality_table.h"

int main(int argc, char** argv) {
    cv::setNumThreads(0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    fwt::bench::printDemosaicQualityTable();
    fwt::bench::registerConversionBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
