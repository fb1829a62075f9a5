// Wertalo signing, inside the library: libxml2, xmlsec and OpenSSL set up once, their error
// texts collected instead of printed, and owners for their objects.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <libxml/tree.h>
#include <xmlsec/xmlsec.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <xmlsec/keys.h>
#include <xmlsec/keysmngr.h>
#include <xmlsec/xmldsig.h>

#include <memory>
#include <vector>

namespace wertalo::signing::detail {

// Sets up libxml2, xmlsec and its OpenSSL back end, once per process; raises SigningError
// when the libraries cannot be set up.
void ensureInitialised();

// While it lives, the error texts that libxml2 and xmlsec report on this thread are kept here
// (and not printed).
class ErrorCapture {
 public:
  ErrorCapture();
  ~ErrorCapture();
  ErrorCapture(const ErrorCapture&) = delete;
  ErrorCapture& operator=(const ErrorCapture&) = delete;

  // The texts so far, joined with "; ", without repeats; empty when there were none.
  QString text() const;
  // Forgets the texts so far.
  void clear() { texts_.clear(); }
  // Adds one text (called by the libraries' error hooks).
  void add(const QString& text);

 private:
  QStringList texts_;
  ErrorCapture* outer_;
};

struct DocFree {
  void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
struct DSigCtxFree {
  void operator()(xmlSecDSigCtxPtr ctx) const { xmlSecDSigCtxDestroy(ctx); }
};
struct KeysMngrFree {
  void operator()(xmlSecKeysMngrPtr mngr) const { xmlSecKeysMngrDestroy(mngr); }
};
struct KeyFree {
  void operator()(xmlSecKeyPtr key) const { xmlSecKeyDestroy(key); }
};
struct X509Free {
  void operator()(X509* cert) const { X509_free(cert); }
};
struct PKeyFree {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
using Doc = std::unique_ptr<xmlDoc, DocFree>;
using DSigCtx = std::unique_ptr<xmlSecDSigCtx, DSigCtxFree>;
using KeysMngr = std::unique_ptr<xmlSecKeysMngr, KeysMngrFree>;
using Key = std::unique_ptr<xmlSecKey, KeyFree>;
using Cert = std::unique_ptr<X509, X509Free>;
using PKey = std::unique_ptr<EVP_PKEY, PKeyFree>;

// Parses XML text the same way for signing and for checking: no network, no external DTD, no
// entity substitution. On failure returns null and puts libxml2's text (with the line) into
// `error`.
Doc parseXml(const QByteArray& bytes, QString* error);

// The attribute value, or an empty text when the element has no such attribute.
QString attribute(xmlNodePtr element, const char* name);
// The text content of a node.
QString content(xmlNodePtr node);
// The first child element with this local name in the XML-DSig namespace, or null.
xmlNodePtr dsigChild(xmlNodePtr parent, const char* localName);

// The certificates of PEM text, in order; an empty list when there is none.
std::vector<Cert> certificatesFromPem(const QByteArray& pem);
// The certificate's subject ("CN=...,O=...,C=PL") and its common name.
QString subjectText(X509* cert);
QString commonName(X509* cert);
// OpenSSL's texts of the errors queued on this thread (and the queue emptied).
QString openSslErrors();

}  // namespace wertalo::signing::detail
