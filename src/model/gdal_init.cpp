#include "model/gdal_init.h"

#include <gdal.h>

#include <mutex>

namespace plotwell {

void ensure_gdal() {
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        CPLSetErrorHandler(CPLQuietErrorHandler);
    });
}

}  // namespace plotwell
