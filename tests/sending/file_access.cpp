#include "file_access.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace wertalo::test {

namespace {

// Sets or clears CAP_DAC_OVERRIDE in this thread's effective set; false when it cannot.
bool setOverride(bool on) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (::syscall(SYS_capget, &header, data) != 0) return false;
  const unsigned bit = 1u << CAP_DAC_OVERRIDE;
  if (on) data[0].effective |= bit & data[0].permitted;
  else data[0].effective &= ~bit;
  return ::syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

PermissionsEnforced::PermissionsEnforced() {
  if (::geteuid() == 0) dropped_ = setOverride(false);
}

PermissionsEnforced::~PermissionsEnforced() {
  if (dropped_) setOverride(true);
}

}  // namespace wertalo::test
