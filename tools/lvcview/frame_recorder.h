// Writes the next N frames on display to a folder as frame_0000.png, frame_0001.png, ...
#pragma once

#include <QDir>
#include <QImage>
#include <QObject>

namespace lvcview {

class FrameRecorder : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool recording() const { return remaining_ > 0; }
    // Starts a recording of count frames into folder (made when missing). False when the
    // folder cannot be made.
    bool start(const QString& folder, int count);

public slots:
    void takeFrame(const QImage& image);

signals:
    void progress(int written, int count);
    // written frames are in the folder; error is empty when every write succeeded.
    void finished(int written, const QString& error);

private:
    QDir folder_;
    int count_ = 0;
    int written_ = 0;
    int remaining_ = 0;
};

// Writes the image as a PNG file; false when it cannot be written.
bool saveSnapshot(const QImage& image, const QString& path);

}  // namespace lvcview
