#include "tests/Support/GraphicsDriver.h"

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

void KeepGraphicsDriverLoaded() {
  std::vector<std::string> drivers;
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* found) {
        if (std::string_view(info->dlpi_name).ends_with("_dri.so")) {
          static_cast<std::vector<std::string>*>(found)->push_back(info->dlpi_name);
        }
        return 0;
      },
      &drivers);
  for (const std::string& driver : drivers) dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD);
}

}  // namespace testing_support
