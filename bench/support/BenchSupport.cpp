#include "BenchSupport.h"

#include <algorithm>
#include <fstream>

namespace kivo::bench {

long statusKiB(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    }
    return 0;
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::string loadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one, five;
    file >> one >> five;
    return one + " " + five;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QImage cameraLikeImage(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    quint32 state = seed * 2654435761u + 1;
    const int shift = int(seed * 37 % 200);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int n = int(state % 24) - 12;
            line[x] = qRgb(qBound(0, (x + shift) / 24 % 256 + n, 255),
                           qBound(0, (y + shift) / 16 % 256 + n, 255),
                           qBound(0, (x + y + shift) / 40 % 256 + n, 255));
        }
    }
    return image;
}

} // namespace kivo::bench
