// Wertalo: signing a report element of a package (XML-DSig, the signer's certificate embedded).
#pragma once

#include <QByteArray>
#include <QString>

namespace wertalo::signing {

// Who signs: an RSA private key and the X.509 certificate of its public key, both as PEM text.
struct SignerKey {
  QByteArray privateKeyPem;
  QByteArray certificatePem;
};

// The methods a signature made here names: exclusive canonicalisation (the report element
// digests the same wherever it stands in a package), SHA-256, RSA PKCS#1 v1.5 with SHA-256.
inline constexpr char kCanonicalisationMethod[] = "http://www.w3.org/2001/10/xml-exc-c14n#";
inline constexpr char kDigestMethod[] = "http://www.w3.org/2001/04/xmlenc#sha256";
inline constexpr char kSignatureMethod[] = "http://www.w3.org/2001/04/xmldsig-more#rsa-sha256";

// The signer of two PEM files (private key, certificate). Raises SigningError when a file
// cannot be read, holds no key or certificate, or the key does not belong to the certificate.
SignerKey loadSignerKey(const QString& privateKeyFile, const QString& certificateFile);

// The stored signature text of a report element: an XML-DSig <ds:Signature> whose one
// Reference points at "#" + the element's Id attribute (the report's anchor), with the
// canonicalisation and digest methods above, the signature value and the signer's certificate
// in KeyInfo. `elementText` is the element exactly as it will stand in a package (a kept XML
// text; surrounding blanks and line breaks do not matter). The signature's lines end with CR LF,
// like the package's. The same inputs give the same text.
// Raises SigningError when the text is not one well-formed element with an Id, or the key
// cannot sign.
QString signReportElement(const QString& elementText, const SignerKey& signer);

}  // namespace wertalo::signing
