#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace kivo::bench {

// A figure of this process from /proc/self/status in KiB, e.g. "VmRSS:" or "VmHWM:"; 0 when the
// key is missing.
long statusKiB(const char* key);

// Sets the peak resident size ("VmHWM:") back to the present one, so that the next peak belongs
// to the work measured after it.
void resetPeak();

// The machine's one- and five-minute load averages: printed with the results, since on a busy
// machine the spread says how far to trust them.
std::string loadAverage();

// The middle value (the upper one of an even count); 0 for none.
double median(std::vector<double> values);

// The processor time this thread has used, in ms: beside a wall-clock figure on a busy machine
// it tells the work itself from the waits for a processor.
double threadCpuMs();

// The value below which FRACTION of the values lie (nearest rank: 0.99 for the 99th
// percentile); 0 for none.
double percentile(std::vector<double> values, double fraction);

// Smooth gradients with sensor-like noise, so that the JPEG of it is about as dense as a
// camera's; SEED gives each picture pixels of its own, so that none decodes from another's
// cached bytes.
QImage cameraLikeImage(QSize size, quint32 seed);

// The file of photo I of the benchmarks' customer (ID 123456) in FOLDER.
QString cameraPhotoPath(const QString& folder, int i);

// COUNT camera photos in FOLDER: JPEGs of SIZE, each with pixels of its own, with camera tags
// (every third one taken with the camera turned, orientation 6, and its capture time). The
// photos already there at that size are kept, so a folder given again saves minutes; the rest
// are made on two threads. Empty when one could not be made.
QStringList ensureCameraPhotos(const QString& folder, int count, QSize size);

// Folder number FOLDER of the search benchmarks' trees, "/YYYY-DDD" as a camera station names
// its days.
std::string dayFolderName(int folder);

} // namespace kivo::bench
