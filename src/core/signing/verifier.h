// Wertalo: checking the signatures of a package file.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace wertalo::signing {

// Whether the signer's certificate comes from a trusted issuer.
enum class Trust {
  NotChecked,  // no trusted certificates were given
  Trusted,     // the certificate chains up to one of them and is valid now
  NotTrusted,  // it does not, or it has expired, or there is no certificate
};

// One Reference of a signature.
struct ReferenceCheck {
  QString uri;             // as written, e.g. "#Rb-27s1001"
  QString targetElement;   // the name of the element it points at ("Rb-27s"); empty when none
  bool found = false;      // it points at exactly one report element of this file
  bool digestOk = false;   // the element's digest is the one signed
};

// The check of one signature of a package.
struct SignatureCheck {
  int index = 0;                          // 1, 2, ... in the order of the file
  std::vector<ReferenceCheck> references;
  QString signerSubject;                  // subject of the signer's certificate, empty without one
  QString signerName;                     // its common name
  bool digestOk = false;                  // every reference found, every digest matches
  bool valueOk = false;                   // the signature value verifies with the certificate's key
  Trust trust = Trust::NotChecked;
  QString message;                        // what was found, in Polish

  // The URI of the first reference (the signed report's anchor), empty without references.
  QString referenceUri() const { return references.empty() ? QString() : references.front().uri; }
  // The signature holds: digests and value, and the certificate when trust was checked.
  bool verified() const { return digestOk && valueOk && trust != Trust::NotTrusted; }
};

// The certificates of a PEM file, to be trusted as issuers. Raises SigningError when the file
// cannot be read or holds no certificate.
QByteArray loadTrustedCertificates(const QString& caFile);

// Every XML-DSig signature of the package text, in document order; none for a package without
// signatures. A reference ("#" + Id) may point at a report element (a child of Sprawozdania)
// or at an element inside its own signature (signed properties), and each signature must
// point at a report; an Id that two elements carry points at neither. Only canonicalisation,
// the enveloped-signature transform and SHA-1/SHA-2 digests are accepted in references. With
// `trustedPem` (PEM certificates) each signer's certificate is checked against them. Raises
// SigningError when the text is not a well-formed XML document or carries a DOCTYPE.
std::vector<SignatureCheck> verifyPackage(const QByteArray& packageBytes, const QByteArray& trustedPem = QByteArray());

// verifyPackage of a file; SigningError also when the file cannot be read.
std::vector<SignatureCheck> verifyPackageFile(const QString& path, const QByteArray& trustedPem = QByteArray());

}  // namespace wertalo::signing
