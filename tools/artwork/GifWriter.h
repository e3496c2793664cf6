#pragma once
// A small GIF89a encoder for looping animations: Qt reads GIF but cannot write it. All frames
// share one global palette of up to 255 colours built from the frames' most frequent colours;
// pixels below half opacity become the transparent index.

#include <QImage>
#include <QString>

#include <vector>

namespace zq::artwork {

// Writes the frames (all the same size) as a looping animation, `delayCs` hundredths of a second
// per frame. Returns false when the file cannot be written.
bool WriteGif(const QString& path, const std::vector<QImage>& frames, int delayCs);

}  // namespace zq::artwork
