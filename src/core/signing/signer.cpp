#include "core/signing/signer.h"

#include <QFile>

#include <openssl/err.h>
#include <openssl/pem.h>
#include <xmlsec/crypto.h>
#include <xmlsec/openssl/app.h>
#include <xmlsec/templates.h>

#include "core/signing/signing_error.h"
#include "core/signing/xml_security.h"

namespace wertalo::signing {

using namespace detail;

namespace {

const xmlChar* xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

QByteArray readWhole(const QString& path, const QString& what) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw SigningError(QStringLiteral("Nie można odczytać pliku %1 \"%2\": %3").arg(what, path, file.errorString()));
  return file.readAll();
}

PKey privateKeyFromPem(const QByteArray& pem) {
  BIO* bio = BIO_new_mem_buf(pem.constData(), static_cast<int>(pem.size()));
  PKey key(bio ? PEM_read_bio_PrivateKey(bio, nullptr, nullptr, nullptr) : nullptr);
  BIO_free(bio);
  return key;
}

// The key and certificate belong together and the key is RSA (its signatures are deterministic).
void checkSigner(const SignerKey& signer) {
  const PKey key = privateKeyFromPem(signer.privateKeyPem);
  if (!key) throw SigningError(QStringLiteral("Nie można wczytać klucza prywatnego (PEM): ") + openSslErrors());
  if (EVP_PKEY_base_id(key.get()) != EVP_PKEY_RSA)
    throw SigningError(QStringLiteral("Klucz podpisującego nie jest kluczem RSA; obsługiwane są tylko klucze RSA"));
  const std::vector<Cert> certs = certificatesFromPem(signer.certificatePem);
  if (certs.empty()) throw SigningError(QStringLiteral("Nie można wczytać certyfikatu podpisującego (PEM)"));
  if (X509_check_private_key(certs.front().get(), key.get()) != 1) {
    ERR_clear_error();
    throw SigningError(QStringLiteral("Klucz prywatny nie należy do certyfikatu podpisującego (%1)").arg(subjectText(certs.front().get())));
  }
}

// The one element of the wrapper, checked to carry a usable Id.
xmlNodePtr reportElement(xmlNodePtr wrapper) {
  xmlNodePtr element = nullptr;
  for (xmlNodePtr child = wrapper->children; child != nullptr; child = child->next) {
    const bool blank = child->type == XML_TEXT_NODE && xmlIsBlankNode(child);
    if (blank) continue;
    if (child->type != XML_ELEMENT_NODE || element != nullptr)
      throw SigningError(QStringLiteral("Tekst do podpisu musi być jednym elementem XML (sprawozdaniem)"));
    element = child;
  }
  if (element == nullptr) throw SigningError(QStringLiteral("Tekst do podpisu nie zawiera elementu sprawozdania"));
  const QString id = attribute(element, "Id");
  const QByteArray idUtf8 = id.toUtf8();
  if (id.isEmpty())
    throw SigningError(QStringLiteral("Element <%1> nie ma atrybutu Id, do którego podpis mógłby się odwołać")
                           .arg(QString::fromUtf8(reinterpret_cast<const char*>(element->name))));
  if (xmlValidateNCName(xml(idUtf8.constData()), 0) != 0)
    throw SigningError(QStringLiteral("Atrybut Id \"%1\" nie może być celem odwołania podpisu").arg(id));
  return element;
}

}  // namespace

SignerKey loadSignerKey(const QString& privateKeyFile, const QString& certificateFile) {
  ensureInitialised();
  SignerKey signer{readWhole(privateKeyFile, QStringLiteral("klucza prywatnego")),
                   readWhole(certificateFile, QStringLiteral("certyfikatu"))};
  checkSigner(signer);
  return signer;
}

QString signReportElement(const QString& elementText, const SignerKey& signer) {
  ensureInitialised();
  checkSigner(signer);
  ErrorCapture errors;

  QString parseError;
  const Doc doc = parseXml("<Podpisywane>" + elementText.toUtf8() + "</Podpisywane>", &parseError);
  if (!doc) throw SigningError(QStringLiteral("Tekst sprawozdania nie jest poprawnym elementem XML (%1)").arg(parseError));
  xmlNodePtr element = reportElement(xmlDocGetRootElement(doc.get()));
  const QByteArray id = attribute(element, "Id").toUtf8();
  xmlAddID(nullptr, doc.get(), xml(id.constData()), xmlHasProp(element, xml("Id")));

  xmlNodePtr signature = xmlSecTmplSignatureCreateNsPref(doc.get(), xmlSecTransformExclC14NId,
                                                          xmlSecTransformRsaSha256Id, nullptr, xml("ds"));
  if (signature == nullptr) throw SigningError(QStringLiteral("Nie można utworzyć podpisu: ") + errors.text());
  xmlAddChild(xmlDocGetRootElement(doc.get()), signature);
  const QByteArray uri = "#" + id;
  xmlNodePtr reference = xmlSecTmplSignatureAddReference(signature, xmlSecTransformSha256Id, nullptr, xml(uri.constData()), nullptr);
  xmlNodePtr keyInfo = xmlSecTmplSignatureEnsureKeyInfo(signature, nullptr);
  xmlNodePtr x509Data = keyInfo ? xmlSecTmplKeyInfoAddX509Data(keyInfo) : nullptr;
  if (reference == nullptr || xmlSecTmplReferenceAddTransform(reference, xmlSecTransformExclC14NId) == nullptr ||
      x509Data == nullptr || xmlSecTmplX509DataAddCertificate(x509Data) == nullptr)
    throw SigningError(QStringLiteral("Nie można utworzyć podpisu: ") + errors.text());

  Key key(xmlSecOpenSSLAppKeyLoadMemory(reinterpret_cast<const xmlSecByte*>(signer.privateKeyPem.constData()),
                                        static_cast<xmlSecSize>(signer.privateKeyPem.size()), xmlSecKeyDataFormatPem,
                                        nullptr, nullptr, nullptr));
  if (!key || xmlSecOpenSSLAppKeyCertLoadMemory(key.get(), reinterpret_cast<const xmlSecByte*>(signer.certificatePem.constData()),
                                                static_cast<xmlSecSize>(signer.certificatePem.size()),
                                                xmlSecKeyDataFormatPem) < 0)
    throw SigningError(QStringLiteral("Nie można wczytać klucza podpisującego: ") + errors.text());

  DSigCtx ctx(xmlSecDSigCtxCreate(nullptr));
  if (!ctx) throw SigningError(QStringLiteral("Nie można utworzyć podpisu: ") + errors.text());
  ctx->signKey = key.release();  // the context frees it
  if (xmlSecDSigCtxSign(ctx.get(), signature) < 0)
    throw SigningError(QStringLiteral("Podpisanie nie powiodło się: ") + errors.text());

  xmlBufferPtr buffer = xmlBufferCreate();
  xmlNodeDump(buffer, doc.get(), signature, 0, 0);
  QString text = QString::fromUtf8(reinterpret_cast<const char*>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
  xmlBufferFree(buffer);
  // Lines end with CR LF like the package's; a reader takes both as the same line end, so
  // the signed text does not change.
  return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

}  // namespace wertalo::signing
