#pragma once

#include <dlfcn.h>
#include <link.h>

#include <cstring>

// Keeps Mesa's driver (*_dri.so) mapped until the process ends: LeakSanitizer,
// which looks at exit, then still scans the driver's own variables for the
// blocks they hold (unmapped, it reports about 100 bytes of them as leaked)
// and names the driver in any leak it does find. Call with a context current.
inline void PinGlDriver()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*)
        {
            const size_t length = info->dlpi_name ? std::strlen(info->dlpi_name) : 0;
            if (length > 7 && std::strcmp(info->dlpi_name + length - 7, "_dri.so") == 0)
                dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}
