#include "core/sending/transfer_meter.h"

#include <chrono>

namespace wertalo::sending {

QString speedText(double kilobytesPerSecond, const QLocale& locale) {
  QLocale plain = locale;  // the pattern has no thousands separator
  plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
  return plain.toString(kilobytesPerSecond, 'f', 2) + QStringLiteral(" KB/s");
}

qint64 steadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void TransferMeter::begin(qint64 expectedBytes) {
  TransferrignData = true;
  startMs_ = clock_();
  maximum = expectedBytes > 0 ? expectedBytes : BytesToTransfer;
  position = 0;
  AverageSpeed = 0;
}

QString TransferMeter::progress(qint64 bytes, TransferDirection direction, const QLocale& locale) {
  const double seconds = static_cast<double>(clock_() - startMs_) / 1000.0;
  if (seconds > 0) AverageSpeed = static_cast<double>(bytes) / 1024.0 / seconds;
  position = bytes;
  const QString& lead = direction == TransferDirection::Download ? kDownloadSpeedText : kUploadSpeedText;
  return lead + speedText(AverageSpeed, locale);
}

QString TransferMeter::end() {
  BytesToTransfer = 0;
  TransferrignData = false;
  position = 0;
  AverageSpeed = 0;
  return kTransferEndText;
}

}  // namespace wertalo::sending
