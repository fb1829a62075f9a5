// The texts handed out are kept in a set, so that releasing one twice, or a pointer the
// library never handed out, does nothing instead of corrupting the heap.
#include "core/hostapi/returned_texts.h"

#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>

namespace wertalo::hostapi {

namespace {

struct Registry {
  std::mutex mutex;
  std::unordered_set<const char*> texts;
};

Registry& registry() {
  static Registry instance;
  return instance;
}

}  // namespace

char* handOutText(const QByteArray& bytes) {
  const auto size = static_cast<size_t>(bytes.size());
  char* text = new (std::nothrow) char[size + 1];
  if (text == nullptr) return nullptr;
  std::memcpy(text, bytes.constData(), size);
  text[size] = '\0';
  try {
    std::lock_guard lock(registry().mutex);
    registry().texts.insert(text);
  } catch (...) {
    delete[] text;
    return nullptr;
  }
  return text;
}

bool releaseText(char* text) {
  if (text == nullptr) return false;
  {
    std::lock_guard lock(registry().mutex);
    if (registry().texts.erase(text) == 0) return false;
  }
  delete[] text;
  return true;
}

}  // namespace wertalo::hostapi
