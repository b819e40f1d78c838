#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace kivo::demo {

// The station's own attract picture at SIZE: Santa-set reds and greens, falling snow and the
// invitation to enter the photo ID. PHASE (0 to 1) moves the snow and the star's twinkle; the
// picture at 1 is the one at 0, so frames from 0 up to 1 loop without a jump. The keypad sits in
// the middle of the screen: the words keep to the top and the bottom.
QImage paintAttractPicture(const QSize& size, double phase);

// Makes the attract movie MOVIE (Motion JPEG in AVI) of FRAMES frames at FPS frames a second
// from paintAttractPicture(), with GStreamer's gst-launch-1.0. Motion JPEG decodes wherever Qt
// plays movies, also where no OpenGL is (a VP8 movie fails there with Qt's GStreamer backend).
// Answers false (with ERROR) when the movie could not be made.
bool makeAttractMovie(const QString& movie, const QSize& size, int frames, int fps, QString* error);

} // namespace kivo::demo
