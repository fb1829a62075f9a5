// The functions a host program calls (C linkage, exported from libwertalo.so): one report's
// XML element through the operations layer, its text in Windows-1250 handed out until the
// host releases it, and the reason of a failed call. No C++ exception leaves these functions.
#include "wertalo/wertalo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstring>
#include <exception>
#include <new>

#include "core/base/error.h"
#include "core/hostapi/returned_texts.h"
#include "core/operations/single_report.h"
#include "core/platform/user_interface.h"
#include "core/text/cp1250.h"

namespace wertalo::hostapi {

namespace {

// The size of the host's anchor buffer, its terminating zero included.
constexpr qsizetype kAnchorBufferSize = 64;

// The reason of the last failed call of this thread, in Windows-1250 ("" after a success).
thread_local QByteArray lastError;

// Set while a call runs: calls must not overlap.
std::atomic_flag callRunning = ATOMIC_FLAG_INIT;

// Holds the running flag for one call, when no other call holds it.
class CallGuard {
 public:
  CallGuard() : acquired_(!callRunning.test_and_set(std::memory_order_acquire)) {}
  ~CallGuard() {
    if (acquired_) callRunning.clear(std::memory_order_release);
  }
  CallGuard(const CallGuard&) = delete;
  CallGuard& operator=(const CallGuard&) = delete;
  bool acquired() const { return acquired_; }

 private:
  bool acquired_;
};

QString errorText(const Error& error) {
  return error.kind() == ErrorKind::Database ? QStringLiteral("Błąd bazy danych: ") + error.message() : error.message();
}

// Keeps the reason of a failure: what the call told the user on its way, then the error.
void fail(const platform::RecordingUserInterface& ui, const QString& reason) {
  QStringList lines = ui.messages();
  lines << reason;
  lastError = text::toCp1250(lines.join(QLatin1Char('\n')));
}

// The host's Windows-1250 text, "" for null.
QString hostText(const char* text) { return text == nullptr ? QString() : text::fromCp1250(QByteArrayView(text)); }

}  // namespace

// The common body of the two export functions: the element of report `id_spraw` with `typ`
// appended to its symbol, as a text handed out; null on an error (the reason in lastError).
char* EksportujXML(qint64 id_spraw, char* Id, bool bJST, const QString& typ) {
  lastError.clear();
  const CallGuard guard;
  if (!guard.acquired()) {
    lastError = text::toCp1250(
        QStringLiteral("Poprzednie wywołanie eksportu jeszcze trwa: wywołania nie mogą się nakładać."));
    return nullptr;
  }
  platform::RecordingUserInterface ui;
  try {
    operations::SingleReportRequest request;
    request.idspraw = id_spraw;
    request.bJST = bJST;
    request.typ = typ;
    const operations::SingleReport report = operations::exportSingleReport(request, ui);
    char* text = handOutText(text::toCp1250(report.xml));
    if (text == nullptr) throw std::bad_alloc();
    if (Id != nullptr && !report.anchor.isEmpty()) {
      // The header promises the host that 64 bytes are enough.
      const QByteArray anchor = text::toCp1250(report.anchor).left(kAnchorBufferSize - 1);
      std::memcpy(Id, anchor.constData(), static_cast<size_t>(anchor.size()) + 1);
    }
    return text;
  } catch (const Error& e) {
    fail(ui, errorText(e));
  } catch (const std::bad_alloc&) {
    fail(ui, QStringLiteral("Brak pamięci."));
  } catch (const std::exception& e) {
    fail(ui, QStringLiteral("Błąd: ") + QString::fromLocal8Bit(e.what()));
  } catch (...) {
    fail(ui, QStringLiteral("Nieznany błąd."));
  }
  return nullptr;
}

}  // namespace wertalo::hostapi

namespace {

// Whether a Boolean argument is true: only its low byte counts.
bool isTrue(int32_t value) { return (value & 0xFF) != 0; }

// Runs a body whose every exception is already caught; a failure to keep the reason itself
// (no memory) still returns null.
template <typename Body>
char* guarded(Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

extern "C" {

char* EkportujXML(int32_t id_spraw, char* Id, int32_t bJST) {
  return guarded([&] { return wertalo::hostapi::EksportujXML(id_spraw, Id, isTrue(bJST), QString()); });
}

char* EkportujRB50XML(int32_t id_spraw, char* Id, int32_t bJST, const char* typ) {
  return guarded([&] { return wertalo::hostapi::EksportujXML(id_spraw, Id, isTrue(bJST), wertalo::hostapi::hostText(typ)); });
}

int32_t ZwolnijPCHAR(char* q) {
  try {
    return wertalo::hostapi::releaseText(q) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

const char* OstatniBlad(void) { return wertalo::hostapi::lastError.constData(); }

}  // extern "C"
