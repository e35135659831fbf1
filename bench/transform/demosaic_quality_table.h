// PSNR of each demosaic against the scene's ground truth, printed as a Markdown table.
#pragma once

namespace fwt::bench {

void printDemosaicQualityTable();

}  // namespace fwt::bench
