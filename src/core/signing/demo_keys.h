// Wertalo: the signers of the demo installation. TEST KEYS, NOT FOR REAL SIGNATURES: their
// private keys are public (db/demo-pki, built into the library).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/signing/signer.h"

namespace wertalo::signing {

// The names of the demo's signers: "skarbnik-miasta", "prezydent-miasta", "glowna-ksiegowa",
// "dyrektor-jednostki".
QStringList demoSignerNames();

// The test key and certificate of a demo signer; SigningError for a name not in the list.
SignerKey demoSignerKey(const QString& signer);

// The certificate of the demo's certificate authority, which issued every demo signer's (PEM).
QByteArray demoCaCertificatePem();

// The signature text of a report element (a kept XML text) made with a demo signer's key, as
// signReportElement makes it.
QString signWithDemoKey(const QString& elementText, const QString& signer);

}  // namespace wertalo::signing
