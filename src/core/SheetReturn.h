#pragma once

namespace kivo {

// How a sheet ended. The values are the platform's modal response codes that the station's
// sheets have always answered with, so that anything that logs or stores them reads the same
// numbers.
enum class SheetReturn : int
{
    Stopped = -1000,   // stopped, or "start over" in the order summary
    Cancelled = -1001, // cancelled, or "edit the order" in the order summary
    Accepted = -1002,  // accepted or done
};

} // namespace kivo
