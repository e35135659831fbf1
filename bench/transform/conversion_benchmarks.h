// One benchmark per conversion, implementation and frame size, all in one run so that
// their ratios compare like with like.
#pragma once

namespace fwt::bench {

void registerConversionBenchmarks();

}  // namespace fwt::bench
