// The modal configuration property sheet of one camera.
#pragma once

namespace lvc {

struct CCamera;

// Runs the sheet on the calling thread and copies back useLut, lutName, streaming and
// busLoad. Always true.
bool runConfigSheet(CCamera& camera);

}  // namespace lvc
