#include "core/signing/xml_security.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <xmlsec/crypto.h>
#include <xmlsec/errors.h>

#include <mutex>

#include "core/signing/signing_error.h"

namespace wertalo::signing::detail {

namespace {

thread_local ErrorCapture* currentCapture = nullptr;

// xmlsec reports a failure once per function it passes through; only the entries that say
// something (not the bare function names) are kept.
void captureXmlsecError(const char* /*file*/, int /*line*/, const char* /*func*/, const char* /*errorObject*/,
                        const char* /*errorSubject*/, int /*reason*/, const char* msg) {
  if (currentCapture != nullptr && msg != nullptr) currentCapture->add(QString::fromUtf8(msg).trimmed());
}

void captureXmlError(void* /*ctx*/, const char* /*format*/, ...) {
  // libxml2's free-form messages come in fragments; the structured hook below has them whole.
}

void captureStructuredError(void* /*ctx*/, xmlErrorPtr error) {
  if (currentCapture == nullptr || error == nullptr || error->message == nullptr) return;
  currentCapture->add(QString::fromUtf8(error->message).trimmed());
}

}  // namespace

void ensureInitialised() {
  static std::once_flag once;
  static bool ok = false;
  std::call_once(once, [] {
    xmlInitParser();
    if (xmlSecInit() < 0 || xmlSecCheckVersion() != 1 || xmlSecOpenSSLAppInit(nullptr) < 0 || xmlSecOpenSSLInit() < 0)
      return;
    xmlSecErrorsSetCallback(captureXmlsecError);
    ok = true;
  });
  if (!ok) throw SigningError(QStringLiteral("Nie można uruchomić biblioteki podpisów XML (xmlsec, OpenSSL)"));
}

ErrorCapture::ErrorCapture() : outer_(currentCapture) {
  currentCapture = this;
  xmlSetGenericErrorFunc(nullptr, captureXmlError);
  xmlSetStructuredErrorFunc(nullptr, captureStructuredError);
}

ErrorCapture::~ErrorCapture() {
  currentCapture = outer_;
  if (outer_ == nullptr) {
    xmlSetGenericErrorFunc(nullptr, nullptr);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
  }
}

void ErrorCapture::add(const QString& text) {
  if (!text.isEmpty() && !texts_.contains(text)) texts_ << text;
}

QString ErrorCapture::text() const { return texts_.join(QStringLiteral("; ")); }

Doc parseXml(const QByteArray& bytes, QString* error) {
  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  if (ctxt == nullptr) {
    *error = QStringLiteral("brak pamięci");
    return nullptr;
  }
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  Doc doc(xmlCtxtReadMemory(ctxt, bytes.constData(), static_cast<int>(bytes.size()), nullptr, nullptr, options));
  if (!doc || !ctxt->wellFormed) {
    const xmlError* last = xmlCtxtGetLastError(ctxt);
    *error = last && last->message ? QStringLiteral("wiersz %1: %2").arg(last->line).arg(QString::fromUtf8(last->message).trimmed())
                                   : QStringLiteral("niepoprawny dokument XML");
    doc.reset();
  }
  xmlFreeParserCtxt(ctxt);
  return doc;
}

QString attribute(xmlNodePtr element, const char* name) {
  xmlChar* value = xmlGetNoNsProp(element, reinterpret_cast<const xmlChar*>(name));
  if (value == nullptr) return QString();
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return text;
}

QString content(xmlNodePtr node) {
  xmlChar* value = xmlNodeGetContent(node);
  if (value == nullptr) return QString();
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return text;
}

xmlNodePtr dsigChild(xmlNodePtr parent, const char* localName) {
  for (xmlNodePtr child = parent ? parent->children : nullptr; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE && xmlStrEqual(child->name, reinterpret_cast<const xmlChar*>(localName)) &&
        child->ns != nullptr && xmlStrEqual(child->ns->href, xmlSecDSigNs))
      return child;
  }
  return nullptr;
}

std::vector<Cert> certificatesFromPem(const QByteArray& pem) {
  std::vector<Cert> certs;
  BIO* bio = BIO_new_mem_buf(pem.constData(), static_cast<int>(pem.size()));
  if (bio == nullptr) return certs;
  while (X509* cert = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr)) certs.emplace_back(cert);
  BIO_free(bio);
  ERR_clear_error();  // the end of the text reads as an error
  return certs;
}

QString subjectText(X509* cert) {
  BIO* bio = BIO_new(BIO_s_mem());
  if (bio == nullptr) return QString();
  X509_NAME_print_ex(bio, X509_get_subject_name(cert), 0, XN_FLAG_RFC2253 & ~ASN1_STRFLGS_ESC_MSB);
  char* data = nullptr;
  const long size = BIO_get_mem_data(bio, &data);
  const QString text = QString::fromUtf8(data, static_cast<qsizetype>(size));
  BIO_free(bio);
  return text;
}

QString commonName(X509* cert) {
  X509_NAME* name = X509_get_subject_name(cert);
  const int index = X509_NAME_get_index_by_NID(name, NID_commonName, -1);
  if (index < 0) return QString();
  unsigned char* utf8 = nullptr;
  const int size = ASN1_STRING_to_UTF8(&utf8, X509_NAME_ENTRY_get_data(X509_NAME_get_entry(name, index)));
  if (size < 0) return QString();
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(utf8), size);
  OPENSSL_free(utf8);
  return text;
}

QString openSslErrors() {
  QStringList texts;
  while (const unsigned long code = ERR_get_error()) {
    char buffer[256];
    ERR_error_string_n(code, buffer, sizeof buffer);
    texts << QString::fromUtf8(buffer);
  }
  return texts.join(QStringLiteral("; "));
}

}  // namespace wertalo::signing::detail
