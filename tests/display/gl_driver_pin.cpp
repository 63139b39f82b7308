// Keeps Mesa's software GL driver loaded until the process ends. The GL library unloads it at exit,
// before LeakSanitizer reports, and the driver's own small allocations then show up as leaks of an
// unknown module that no suppression can name; pinned, they are attributed to the driver and suppressed.
#include <dlfcn.h>

#include <initializer_list>

namespace {

const bool pinned = [] {
    for (const char* path :
         {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so"}) {
        if (dlopen(path, RTLD_LAZY | RTLD_NODELETE) != nullptr) {
            return true;
        }
    }
    return false;
}();

} // namespace
