/* FwTransform: conversions from the cameras' native codings to 8-bit grey or 24-bit BGR.
 *
 * The first argument is always the output image, the second the frame in the camera's
 * coding; both are tightly packed rows and must not overlap. Each call returns 0 or a
 * status of fw_status.h, whose text FWC_GetErrorInfo gives: a null image, a zero size, a
 * size that is not a whole number of coding units, an unknown Bayer pattern or an image
 * too large to address. Nothing is written on failure. The calls keep no state and may
 * run on any thread, concurrently.
 */
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#define FWT_CALL __stdcall
#else
#define FWT_CALL
#endif

#if defined(FWTRANSFORM_BUILD)
#if defined(_WIN32)
#define FWT_API __declspec(dllexport)
#else
#define FWT_API __attribute__((visibility("default")))
#endif
#elif defined(_WIN32)
#define FWT_API __declspec(dllimport)
#else
#define FWT_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Bayer pattern codes: colour of the top-left 2 x 2 cell, row by row. */
enum { FWT_BAYER_RGGB = 0, FWT_BAYER_GBRG = 1, FWT_BAYER_GRBG = 2, FWT_BAYER_BGGR = 3 };

/* Options of FWT_Raw16ToBGR: FWT_RAW16_MSB8 (required) makes 8-bit output from the most
 * significant 8 bits of each 16-bit sample; FWT_RAW16_PATTERN(p) puts the Bayer pattern
 * code p in bits 8..10 (FWT_RAW16_PATTERN_MASK) as p + 1, and 0 there means RGGB. The
 * plain value 1 is therefore an RGGB conversion. Other bits set: FWT_ERR_ARGUMENT. */
#define FWT_RAW16_MSB8 1u
#define FWT_RAW16_PATTERN_SHIFT 8
#define FWT_RAW16_PATTERN_MASK (7u << FWT_RAW16_PATTERN_SHIFT)
#define FWT_RAW16_PATTERN(p) ((((uint32_t)(p)) + 1u) << FWT_RAW16_PATTERN_SHIFT)

/* Field-sequential frame (even rows, then odd rows) to progressive, 8-bit grey. The
 * first (height + 1) / 2 rows of the input are the even rows. */
FWT_API int32_t FWT_CALL FWT_InterlacedToProgressive(uint8_t* out, const uint8_t* in,
                                                     uint32_t width, uint32_t height);

/* YUV to BGR is full-range BT.601, exact to this integer formula per pixel, where
 * u = U - 128, v = V - 128, ">>" is an arithmetic (flooring) shift and clamp limits to
 * 0..255:
 *   R = clamp(Y + ((91881 * v + 32768) >> 16))
 *   G = clamp(Y + ((-22554 * u - 46802 * v + 32768) >> 16))
 *   B = clamp(Y + ((116130 * u + 32768) >> 16))
 * (1.402, 0.344136, 0.714136 and 1.772 in units of 1 / 65536, rounded half up). */

/* U Y0 Y1 V Y2 Y3 per 4 pixels; pixelCount a multiple of 4. */
FWT_API int32_t FWT_CALL FWT_YUV411ToBGR(uint8_t* out, const uint8_t* in, uint32_t pixelCount);
/* U Y0 V Y1 per 2 pixels; pixelCount a multiple of 2. */
FWT_API int32_t FWT_CALL FWT_YUV422ToBGR(uint8_t* out, const uint8_t* in, uint32_t pixelCount);
/* R G B per pixel to B G R. */
FWT_API int32_t FWT_CALL FWT_RGB8ToBGR(uint8_t* out, const uint8_t* in, uint32_t pixelCount);
/* Big-endian 16-bit grey to its most significant 8 bits. */
FWT_API int32_t FWT_CALL FWT_Y16ToY8(uint8_t* out, const uint8_t* in, uint32_t pixelCount);

/* Bayer mosaic to BGR by gradient-corrected linear interpolation: a missing colour is
 * the bilinear estimate corrected by the Laplacian of the pixel's own colour (5 x 5
 * neighbourhood). Every pixel is computed; beyond the edges the mosaic is mirrored about
 * the edge pixel, which keeps the Bayer phase. Any width and height from 1 up. */
FWT_API int32_t FWT_CALL FWT_Raw8ToBGR(uint8_t* out, const uint8_t* in, uint32_t width,
                                       uint32_t height, uint32_t bayerPattern);
/* Interlaced complementary mosaic binned per 2 x 2 cell; width and height even. The
 * input is field-sequential like FWT_InterlacedToProgressive's. In progressive row order
 * the cell of pattern RGGB is C Y on even rows and G M on odd rows; the other pattern
 * codes shift that cell as they shift a Bayer cell (GRBG one column, GBRG one row, BGGR
 * both). The samples are the halved sums C = (G + B) / 2, Y = (R + G) / 2,
 * M = (R + B) / 2, and G itself, so
 *   R = clamp(Y + M - C), B = clamp(C + M - Y),
 *   G = clamp((G + Y + C - M + 1) >> 1)       (the mean of the sample and Y + C - M)
 * and that colour fills all four pixels of the cell. */
FWT_API int32_t FWT_CALL FWT_IRaw8CYGMToBGR_Bin(uint8_t* out, const uint8_t* in, uint32_t width,
                                                uint32_t height, uint32_t bayerPattern);
/* Big-endian 16-bit Bayer mosaic to 8-bit BGR in one pass, with the demosaic of
 * FWT_Raw8ToBGR applied to the most significant 8 bits of each sample. options: see
 * FWT_RAW16_MSB8 and FWT_RAW16_PATTERN. */
FWT_API int32_t FWT_CALL FWT_Raw16ToBGR(uint8_t* out, const uint8_t* in, uint32_t width,
                                        uint32_t height, uint32_t options);

/* Name of the instruction set the conversions run with: "scalar", "sse41", "avx2" or
 * "avx512", a static string. The widest the processor and the operating system support is
 * chosen once, at the first conversion or call of this function; the environment
 * variable FWTRANSFORM_ISA set to one of these names caps it (a tier the processor lacks
 * gives the widest it has; other values are ignored). Every tier gives the same results.
 * Any thread may call it. */
FWT_API const char* FWT_CALL FWT_GetActiveTier(void);

#ifdef __cplusplus
}
#endif
