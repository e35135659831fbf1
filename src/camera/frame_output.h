// Fetching a completed frame, converting it, and copying rows out for the host.
#pragma once

#include <cstdint>

namespace lvc {

struct CCamera;

int32_t fetchFrame(CCamera& camera);
void convertFrame(CCamera& camera);
bool copyRow(const CCamera& camera, void* destination, uint32_t row, uint32_t first,
             uint32_t last);

}  // namespace lvc
