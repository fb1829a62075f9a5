// Test support: file permissions that hold also for root.
#pragma once

namespace wertalo::test {

// While alive, this thread obeys file permission bits even when it runs as root: the
// effective capability to override them is dropped, and raised again by the destructor.
// Without root nothing needs to change.
class PermissionsEnforced {
 public:
  PermissionsEnforced();
  ~PermissionsEnforced();
  PermissionsEnforced(const PermissionsEnforced&) = delete;
  PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;

 private:
  bool dropped_ = false;
};

}  // namespace wertalo::test
