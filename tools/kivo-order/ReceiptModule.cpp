#include "ReceiptModule.h"

#include "OrderTool.h"

#include <QString>

#include <cstdio>
#include <string>

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

namespace kivo::ordertool {

namespace {

// The folder of the running program, read before any Qt application exists.
std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    const std::string program(path, size_t(n));
    const size_t slash = program.rfind('/');
    return slash == std::string::npos ? std::string(".") : program.substr(0, slash);
}

void* module()
{
    static void* handle = [] {
        const std::string folder = programFolder();
        void* found = nullptr;
        // Beside the program in the build folder; in the package's library folder once
        // installed, found from the program's own place so that an unpacked package works too.
        for (const std::string& candidate :
             {folder + "/kivo-order-receipt.so",
              folder + "/../" KIVO_ORDER_MODULE_SUBDIR "/kivo-order-receipt.so"}) {
            found = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (found)
                break;
        }
        if (!found)
            std::fprintf(stderr, "kivo-order: the receipt module cannot be loaded: %s\n",
                         ::dlerror());
        return found;
    }();
    return handle;
}

template <typename Function> Function symbol(const char* name)
{
    void* handle = module();
    if (!handle)
        return nullptr;
    auto* function = reinterpret_cast<Function>(::dlsym(handle, name));
    if (!function)
        std::fprintf(stderr, "kivo-order: the receipt module lacks %s\n", name);
    return function;
}

} // namespace

std::unique_ptr<QCoreApplication> makeReceiptApplication(int& argc, char** argv)
{
    const auto make = symbol<MakeApplicationFunction>(kMakeApplicationSymbol);
    return std::unique_ptr<QCoreApplication>(make ? make(&argc, argv) : nullptr);
}

int printReceipt(const ReceiptRequest& request, Settings& settings, QTextStream& out,
                 QTextStream& err)
{
    const auto print = symbol<PrintReceiptFunction>(kPrintReceiptSymbol);
    if (!print) {
        err << "kivo-order: receipt not written: the receipt module cannot be loaded\n";
        return ExitFailure;
    }
    return print(&request, &settings, &out, &err);
}

} // namespace kivo::ordertool
