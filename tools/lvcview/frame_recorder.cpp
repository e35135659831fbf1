#include "frame_recorder.h"

namespace lvcview {

bool saveSnapshot(const QImage& image, const QString& path) {
    return !image.isNull() && image.save(path, "PNG");
}

bool FrameRecorder::start(const QString& folder, int count) {
    if (count <= 0 || !QDir().mkpath(folder)) return false;
    folder_ = QDir(folder);
    count_ = count;
    written_ = 0;
    remaining_ = count;
    return true;
}

void FrameRecorder::takeFrame(const QImage& image) {
    if (remaining_ <= 0) return;
    const QString name = QString("frame_%1.png").arg(written_, 4, 10, QChar('0'));
    if (!saveSnapshot(image, folder_.filePath(name))) {
        remaining_ = 0;
        emit finished(written_, tr("cannot write %1").arg(folder_.filePath(name)));
        return;
    }
    ++written_;
    --remaining_;
    emit progress(written_, count_);
    if (remaining_ == 0) emit finished(written_, {});
}

}  // namespace lvcview
