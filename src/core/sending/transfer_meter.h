// Wertalo: the progress of one FTP transfer and the status texts of the FTP page.
#pragma once

#include <QLocale>
#include <QString>

#include <functional>

#include "core/sending/ftp_client.h"

namespace wertalo::sending {

// Status texts and captions of the FTP page.
inline const QString kDownloadSpeedText = QStringLiteral("Prędkość pobierania ");
inline const QString kUploadSpeedText = QStringLiteral("Prędkość wysyłania ");
inline const QString kTransferEndText = QStringLiteral("Pobieranie zakończone.");  // after uploads too
inline const QString kDisconnectedText = QStringLiteral("Rozłączony.");
inline const QString kConnectCaption = QStringLiteral("Połącz");
inline const QString kDisconnectCaption = QStringLiteral("Rozłącz");

// A speed in KB/s with the pattern "0.00 KB/s" and the locale's decimal separator.
QString speedText(double kilobytesPerSecond, const QLocale& locale = QLocale());

// Milliseconds of a steady clock.
qint64 steadyMilliseconds();

// What the FTP page keeps about the running transfer and what its status bar says.
class TransferMeter {
 public:
  explicit TransferMeter(std::function<qint64()> clockMs = steadyMilliseconds) : clock_(std::move(clockMs)) {}

  bool TransferrignData = false;  // a transfer runs
  qint64 BytesToTransfer = 0;     // size of the coming download, from SIZE
  double AverageSpeed = 0;        // KB/s, the last one computed
  qint64 maximum = 0;             // the progress bar's range
  qint64 position = 0;            // the progress bar's position

  // A transfer begins: the range is `expectedBytes` when positive, else BytesToTransfer.
  void begin(qint64 expectedBytes);
  // Bytes moved so far: the new speed and position; returns the status text
  // ("Prędkość pobierania 12,50 KB/s").
  QString progress(qint64 bytes, TransferDirection direction, const QLocale& locale = QLocale());
  // The transfer ended: everything back to rest; returns "Pobieranie zakończone.".
  QString end();

 private:
  std::function<qint64()> clock_;
  qint64 startMs_ = 0;
};

}  // namespace wertalo::sending
