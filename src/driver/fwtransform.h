/* FwTransform: conversions from the cameras' native codings to 8-bit grey or 24-bit BGR.
 *
 * The first argument is always the output image, the second the frame in the camera's
 * coding; both are tightly packed rows. Each call returns 0 or a status of
 * fw_status.h, whose text FWC_GetErrorInfo gives. Nothing is written on failure.
 */
#ifndef LORVENACAM_DRIVER_FWTRANSFORM_H
#define LORVENACAM_DRIVER_FWTRANSFORM_H

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

/* Field-sequential frame (even rows, then odd rows) to progressive, 8-bit grey. */
FWT_API int32_t FWT_CALL FWT_InterlacedToProgressive(uint8_t* out, const uint8_t* in,
                                                     uint32_t width, uint32_t height);
/* U Y0 Y1 V Y2 Y3 per 4 pixels; pixelCount a multiple of 4. */
FWT_API int32_t FWT_CALL FWT_YUV411ToBGR(uint8_t* out, const uint8_t* in, uint32_t pixelCount);
/* U Y0 V Y1 per 2 pixels; pixelCount a multiple of 2. */
FWT_API int32_t FWT_CALL FWT_YUV422ToBGR(uint8_t* out, const uint8_t* in, uint32_t pixelCount);
FWT_API int32_t FWT_CALL FWT_RGB8ToBGR(uint8_t* out, const uint8_t* in, uint32_t pixelCount);
/* Big-endian 16-bit grey to its most significant 8 bits. */
FWT_API int32_t FWT_CALL FWT_Y16ToY8(uint8_t* out, const uint8_t* in, uint32_t pixelCount);
FWT_API int32_t FWT_CALL FWT_Raw8ToBGR(uint8_t* out, const uint8_t* in, uint32_t width,
                                       uint32_t height, uint32_t bayerPattern);
/* Interlaced C Y / G M mosaic binned per 2 x 2 cell; width and height even. */
FWT_API int32_t FWT_CALL FWT_IRaw8CYGMToBGR_Bin(uint8_t* out, const uint8_t* in, uint32_t width,
                                                uint32_t height, uint32_t bayerPattern);
/* Big-endian 16-bit Bayer mosaic to 8-bit BGR in one pass; see the implementation for
 * the meaning of the last argument. */
FWT_API int32_t FWT_CALL FWT_Raw16ToBGR(uint8_t* out, const uint8_t* in, uint32_t width,
                                        uint32_t height, uint32_t options);

#ifdef __cplusplus
}
#endif

#endif
