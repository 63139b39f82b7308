// Keeps Mesa's software GL driver loaded until the process ends. The GL library unloads it at exit,
// before LeakSanitizer reports, and the driver's own small allocations then show up as leaks of an
// unknown module that no suppression can name; pinned, they are attributed to the driver and suppressed.
#include <dlfcn.h>

namespace {

struct GlDriverPin {
    GlDriverPin() {
        const char* const candidates[] = {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
                                          "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so"};
        for (const char* path : candidates) {
            if (dlopen(path, RTLD_LAZY | RTLD_NODELETE) != nullptr) {
                return;
            }
        }
    }
};

const GlDriverPin pin;

} // namespace
