// The kernel set as compiled in the including translation unit, whose compiler options
// choose the instruction set.
#pragma once

#include "bayer_demosaic.h"
#include "byte_reorder.h"
#include "cygm_binning.h"
#include "kernel_set.h"
#include "yuv_to_bgr.h"

namespace fwt {
namespace {

constexpr KernelSet kernelSetInstance{
    yuvToBgr<Yuv411Layout>, yuvToBgr<Yuv422Layout>, rgbToBgr,       grey16ToGrey8,
    demosaic<Raw8Samples>,  demosaic<Raw16MsbSamples>, binCygm,
};

}  // namespace
}  // namespace fwt
