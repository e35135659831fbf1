// The kernel set as compiled in the including translation unit, whose compiler options
// choose the instruction set, with the vector parts of policy Vector.
#pragma once

#include "bayer_demosaic.h"
#include "byte_reorder.h"
#include "cygm_binning.h"
#include "kernel_set.h"
#include "raw16_demosaic.h"
#include "yuv_to_bgr.h"

namespace fwt {
namespace {

template <class Vector>
constexpr KernelSet kernelSetWith() {
    return {yuv411ToBgr<Vector>,   yuv422ToBgr<Vector>,           rgbToBgr<Vector>,
            grey16ToGrey8<Vector>, demosaic<Raw8Samples, Vector>, demosaicRaw16<Vector>,
            binCygm<Vector>};
}

}  // namespace
}  // namespace fwt
