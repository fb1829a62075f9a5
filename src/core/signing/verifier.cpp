#include "core/signing/verifier.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>

#include <openssl/err.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>
#include <xmlsec/crypto.h>
#include <xmlsec/nodeset.h>
#include <xmlsec/openssl/app.h>
#include <xmlsec/openssl/x509.h>
#include <xmlsec/transforms.h>

#include "core/signing/signing_error.h"
#include "core/signing/xml_security.h"

namespace wertalo::signing {

using namespace detail;

namespace {

QString nameOf(xmlNodePtr node) { return QString::fromUtf8(reinterpret_cast<const char*>(node->name)); }

bool isSignature(xmlNodePtr node) {
  return node->type == XML_ELEMENT_NODE && node->ns != nullptr && xmlStrEqual(node->ns->href, xmlSecDSigNs) &&
         xmlStrEqual(node->name, xmlSecNodeSignature);
}

bool isReportElement(xmlNodePtr node) {
  return node->parent != nullptr && node->parent->type == XML_ELEMENT_NODE && nameOf(node->parent) == u"Sprawozdania";
}

bool isInside(xmlNodePtr node, xmlNodePtr ancestor) {
  for (xmlNodePtr p = node->parent; p != nullptr; p = p->parent)
    if (p == ancestor) return true;
  return false;
}

// The elements a reference may point at, by Id: the report elements (children of
// Sprawozdania) and the elements inside signatures (signed properties); an Id that any two
// elements of the file carry points at none of them.
struct Targets {
  QHash<QString, xmlNodePtr> byId;
  QSet<QString> repeated;
  std::vector<xmlNodePtr> signatures;
};

void collect(xmlNodePtr node, bool insideSignature, Targets& targets, QHash<QString, int>& idCount,
             std::vector<std::pair<QString, xmlNodePtr>>& candidates) {
  for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    const bool signature = isSignature(child);
    if (signature) targets.signatures.push_back(child);
    if (xmlHasProp(child, reinterpret_cast<const xmlChar*>("Id")) != nullptr) {
      const QString id = attribute(child, "Id");
      ++idCount[id];
      if (isReportElement(child) || insideSignature) candidates.emplace_back(id, child);
    }
    collect(child, insideSignature || signature, targets, idCount, candidates);
  }
}

Targets findTargets(xmlDocPtr doc) {
  Targets targets;
  QHash<QString, int> idCount;
  std::vector<std::pair<QString, xmlNodePtr>> candidates;
  collect(reinterpret_cast<xmlNodePtr>(doc), false, targets, idCount, candidates);
  for (const auto& [id, element] : candidates) {
    if (idCount.value(id) > 1) {
      targets.repeated.insert(id);
      continue;
    }
    const QByteArray utf8 = id.toUtf8();
    xmlAddID(nullptr, doc, reinterpret_cast<const xmlChar*>(utf8.constData()), xmlHasProp(element, reinterpret_cast<const xmlChar*>("Id")));
    targets.byId.insert(id, element);
  }
  return targets;
}

// What a reference may use: canonicalisation and the enveloped-signature transform, digests
// SHA-1 and SHA-2.
std::vector<xmlSecTransformId> referenceAlgorithms() {
  return {xmlSecTransformInclC14NId, xmlSecTransformInclC14NWithCommentsId, xmlSecTransformInclC14N11Id,
          xmlSecTransformInclC14N11WithCommentsId, xmlSecTransformExclC14NId, xmlSecTransformExclC14NWithCommentsId,
          xmlSecTransformEnvelopedId, xmlSecTransformSha1Id, xmlSecTransformSha224Id, xmlSecTransformSha256Id,
          xmlSecTransformSha384Id, xmlSecTransformSha512Id};
}

// The first algorithm of a Reference (its transforms, its digest) that references may not
// use; empty when there is none.
QString refusedAlgorithm(xmlNodePtr reference) {
  const std::vector<xmlSecTransformId> allowed = referenceAlgorithms();
  std::vector<xmlNodePtr> methods;
  if (xmlNodePtr transforms = dsigChild(reference, "Transforms"))
    for (xmlNodePtr t = transforms->children; t != nullptr; t = t->next)
      if (t->type == XML_ELEMENT_NODE) methods.push_back(t);
  if (xmlNodePtr digest = dsigChild(reference, "DigestMethod")) methods.push_back(digest);
  for (xmlNodePtr method : methods) {
    const QString algorithm = attribute(method, "Algorithm");
    const QByteArray href = algorithm.toUtf8();
    if (std::none_of(allowed.begin(), allowed.end(), [&](xmlSecTransformId id) {
          return xmlStrEqual(id->href, reinterpret_cast<const xmlChar*>(href.constData()));
        }))
      return algorithm;
  }
  return QString();
}

// A verification context: references only within this file and only with the algorithms
// above; the key only from the embedded certificate, which is not checked here (trust is
// checked apart).
DSigCtx verifyContext(xmlSecKeysMngrPtr keys) {
  DSigCtx ctx(xmlSecDSigCtxCreate(keys));
  if (!ctx) throw SigningError(QStringLiteral("Nie można przygotować sprawdzania podpisu (xmlsec)"));
  ctx->flags |= XMLSEC_DSIG_FLAGS_IGNORE_MANIFESTS;
  ctx->keyInfoReadCtx.flags |= XMLSEC_KEYINFO_FLAGS_X509DATA_DONT_VERIFY_CERTS;
  ctx->enabledReferenceUris = xmlSecTransformUriTypeSameDocument;
  for (xmlSecTransformId id : referenceAlgorithms()) xmlSecDSigCtxEnableReferenceTransform(ctx.get(), id);
  xmlSecPtrListAdd(&ctx->keyInfoReadCtx.enabledKeyData, const_cast<void*>(static_cast<const void*>(xmlSecKeyDataX509Id)));
  ctx->operation = xmlSecTransformOperationVerify;
  return ctx;
}

// Whether the referenced element's digest is the signed one; `error` gets the reason when it
// could not be computed at all.
bool digestMatches(xmlSecKeysMngrPtr keys, xmlNodePtr reference, QString* error) {
  ErrorCapture errors;
  DSigCtx ctx = verifyContext(keys);
  xmlSecDSigReferenceCtxPtr refCtx = xmlSecDSigReferenceCtxCreate(ctx.get(), xmlSecDSigReferenceOriginSignedInfo);
  if (refCtx == nullptr) throw SigningError(QStringLiteral("Nie można przygotować sprawdzania podpisu (xmlsec)"));
  const int result = xmlSecDSigReferenceCtxProcessNode(refCtx, reference);
  const bool ok = result >= 0 && refCtx->status == xmlSecDSigStatusSucceeded;
  if (result < 0) *error = errors.text();
  xmlSecDSigReferenceCtxDestroy(refCtx);
  return ok;
}

// Whether the signature value over the canonical SignedInfo verifies with the certificate's
// key; `error` gets the reason when it could not be checked at all.
bool valueVerifies(xmlNodePtr signedInfo, xmlNodePtr signatureValue, X509* cert, QString* error) {
  ErrorCapture errors;
  xmlSecTransformCtx ctx;
  if (xmlSecTransformCtxInitialize(&ctx) < 0) throw SigningError(QStringLiteral("Nie można przygotować sprawdzania podpisu (xmlsec)"));
  xmlSecKeyReq requirement;
  xmlSecKeyReqInitialize(&requirement);
  Key key(xmlSecKeyCreate());
  xmlSecNodeSetPtr nodes = nullptr;
  bool checked = false;  // the value was compared (whatever the outcome)
  bool ok = false;
  [&] {
    xmlNodePtr c14nNode = dsigChild(signedInfo, "CanonicalizationMethod");
    xmlNodePtr methodNode = dsigChild(signedInfo, "SignatureMethod");
    if (c14nNode == nullptr || methodNode == nullptr) {
      *error = QStringLiteral("brak metody kanonizacji albo metody podpisu");
      return;
    }
    for (const auto& [node, usage] : {std::pair{c14nNode, xmlSecTransformUsageC14NMethod}, std::pair{methodNode, xmlSecTransformUsageSignatureMethod}}) {
      const QString algorithm = attribute(node, "Algorithm");
      const QByteArray href = algorithm.toUtf8();
      if (xmlSecTransformIdListFindByHref(xmlSecTransformIdsGet(), reinterpret_cast<const xmlChar*>(href.constData()), usage) ==
          xmlSecTransformIdUnknown) {
        *error = QStringLiteral("nieobsługiwany algorytm \"%1\"").arg(algorithm);
        return;
      }
    }
    if (xmlSecTransformCtxNodeRead(&ctx, c14nNode, xmlSecTransformUsageC14NMethod) == nullptr) return;
    xmlSecTransformPtr method = xmlSecTransformCtxNodeRead(&ctx, methodNode, xmlSecTransformUsageSignatureMethod);
    if (method == nullptr) return;
    method->operation = xmlSecTransformOperationVerify;
    xmlSecKeyDataPtr value = xmlSecOpenSSLX509CertGetKey(cert);
    if (!key || value == nullptr || xmlSecKeySetValue(key.get(), value) < 0) {
      if (value != nullptr) xmlSecKeyDataDestroy(value);
      return;
    }
    if (xmlSecTransformSetKeyReq(method, &requirement) < 0) return;
    if (xmlSecKeyMatch(key.get(), nullptr, &requirement) != 1) {
      *error = QStringLiteral("klucz certyfikatu nie pasuje do metody podpisu");
      return;
    }
    if (xmlSecTransformSetKey(method, key.get()) < 0) return;
    nodes = xmlSecNodeSetGetChildren(signedInfo->doc, signedInfo, 1, 0);
    if (nodes == nullptr || xmlSecTransformCtxXmlExecute(&ctx, nodes) < 0) return;
    if (xmlSecTransformVerifyNodeContent(method, signatureValue, &ctx) < 0) return;
    checked = true;
    ok = method->status == xmlSecTransformStatusOk;
  }();
  if (!checked && error->isEmpty()) *error = errors.text().isEmpty() ? QStringLiteral("błąd biblioteki xmlsec") : errors.text();
  if (nodes != nullptr) xmlSecNodeSetDestroy(nodes);
  xmlSecTransformCtxFinalize(&ctx);
  xmlSecKeyReqFinalize(&requirement);
  return ok;
}

// The certificates of the signature's KeyInfo, the signer's first; `problem` says what was
// wrong with them.
std::vector<Cert> embeddedCertificates(xmlNodePtr signature, QString* problem) {
  std::vector<Cert> certs;
  xmlNodePtr keyInfo = dsigChild(signature, "KeyInfo");
  for (xmlNodePtr data = keyInfo ? keyInfo->children : nullptr; data != nullptr; data = data->next) {
    if (data->type != XML_ELEMENT_NODE || !xmlStrEqual(data->name, xmlSecNodeX509Data)) continue;
    for (xmlNodePtr node = data->children; node != nullptr; node = node->next) {
      if (node->type != XML_ELEMENT_NODE || !xmlStrEqual(node->name, xmlSecNodeX509Certificate)) continue;
      QByteArray base64 = content(node).toLatin1();
      base64.replace(' ', "").replace('\n', "").replace('\r', "").replace('\t', "");
      const auto der = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
      const unsigned char* bytes = reinterpret_cast<const unsigned char*>(der.decoded.constData());
      X509* cert = der ? d2i_X509(nullptr, &bytes, static_cast<long>(der.decoded.size())) : nullptr;
      if (cert == nullptr) {
        ERR_clear_error();
        *problem = QStringLiteral("Certyfikat zapisany w podpisie jest nieczytelny");
        continue;
      }
      certs.emplace_back(cert);
    }
  }
  // The signer's certificate is the one that issued none of the others.
  for (size_t i = 0; i < certs.size(); ++i) {
    bool issuer = false;
    for (size_t j = 0; j < certs.size() && !issuer; ++j)
      issuer = i != j && X509_check_issued(certs[i].get(), certs[j].get()) == X509_V_OK;
    if (!issuer) {
      std::swap(certs[0], certs[i]);
      break;
    }
  }
  if (certs.empty() && problem->isEmpty()) *problem = QStringLiteral("Podpis nie zawiera certyfikatu podpisującego");
  return certs;
}

struct StoreFree {
  void operator()(X509_STORE* store) const { X509_STORE_free(store); }
};
using Store = std::unique_ptr<X509_STORE, StoreFree>;

Store trustStore(const QByteArray& trustedPem) {
  if (trustedPem.isEmpty()) return nullptr;
  std::vector<Cert> trusted = certificatesFromPem(trustedPem);
  if (trusted.empty()) throw SigningError(QStringLiteral("Podane certyfikaty zaufanych wystawców nie zawierają żadnego certyfikatu"));
  Store store(X509_STORE_new());
  for (const Cert& cert : trusted) X509_STORE_add_cert(store.get(), cert.get());
  return store;
}

// Whether the signer's certificate chains up to a trusted one and is valid now.
bool chainTrusted(X509_STORE* store, const std::vector<Cert>& certs, QString* why) {
  STACK_OF(X509)* others = sk_X509_new_null();
  for (size_t i = 1; i < certs.size(); ++i) sk_X509_push(others, certs[i].get());
  X509_STORE_CTX* ctx = X509_STORE_CTX_new();
  bool ok = false;
  if (ctx != nullptr && X509_STORE_CTX_init(ctx, store, certs.front().get(), others) == 1) {
    ok = X509_verify_cert(ctx) == 1;
    if (!ok) *why = QString::fromUtf8(X509_verify_cert_error_string(X509_STORE_CTX_get_error(ctx)));
  }
  X509_STORE_CTX_free(ctx);
  sk_X509_free(others);
  ERR_clear_error();
  return ok;
}

class SignatureChecker {
 public:
  SignatureChecker(const Targets& targets, xmlSecKeysMngrPtr keys, X509_STORE* trusted)
      : targets_(targets), keys_(keys), trusted_(trusted) {}

  SignatureCheck check(xmlNodePtr signature, int index) {
    SignatureCheck result;
    result.index = index;
    problems_.clear();
    xmlNodePtr signedInfo = dsigChild(signature, "SignedInfo");
    xmlNodePtr value = dsigChild(signature, "SignatureValue");
    if (signedInfo == nullptr) problems_ << QStringLiteral("Podpis nie ma elementu SignedInfo");
    if (value == nullptr) problems_ << QStringLiteral("Podpis nie ma elementu SignatureValue");

    checkReferences(signature, signedInfo, result);
    QString certProblem;
    const std::vector<Cert> certs = embeddedCertificates(signature, &certProblem);
    if (!certProblem.isEmpty()) problems_ << certProblem;
    if (!certs.empty()) {
      result.signerSubject = subjectText(certs.front().get());
      result.signerName = commonName(certs.front().get());
    }
    if (signedInfo != nullptr && value != nullptr && !certs.empty()) checkValue(signature, signedInfo, value, certs.front().get(), result);
    if (trusted_ != nullptr) checkTrust(certs, result);

    if (problems_.isEmpty())
      result.message = result.trust == Trust::Trusted ? QStringLiteral("Podpis poprawny, certyfikat od zaufanego wystawcy")
                                                      : QStringLiteral("Podpis poprawny");
    else
      result.message = problems_.join(QStringLiteral("; "));
    return result;
  }

 private:
  void checkReferences(xmlNodePtr signature, xmlNodePtr signedInfo, SignatureCheck& result) {
    bool signsReport = false;
    for (xmlNodePtr node = signedInfo ? signedInfo->children : nullptr; node != nullptr; node = node->next) {
      if (node->type != XML_ELEMENT_NODE || !xmlStrEqual(node->name, xmlSecNodeReference)) continue;
      ReferenceCheck ref;
      ref.uri = attribute(node, "URI");
      const QString id = ref.uri.mid(1);
      if (!ref.uri.startsWith(u'#') || id.isEmpty() || xmlValidateNCName(reinterpret_cast<const xmlChar*>(id.toUtf8().constData()), 0) != 0) {
        problems_ << QStringLiteral("Odwołanie \"%1\" nie wskazuje sprawozdania w tym pliku").arg(ref.uri);
      } else if (targets_.repeated.contains(id)) {
        problems_ << QStringLiteral("Identyfikator %1 występuje w pliku więcej niż raz; podpis nie wskazuje jednego sprawozdania").arg(id);
      } else if (!targets_.byId.contains(id)) {
        problems_ << QStringLiteral("Podpis odwołuje się do %1, którego nie ma w pliku").arg(ref.uri);
      } else if (xmlNodePtr target = targets_.byId.value(id); !isReportElement(target) && !isInside(target, signature)) {
        // Only its own signed properties may be signed beside reports.
        problems_ << QStringLiteral("Odwołanie %1 wskazuje element innego podpisu").arg(ref.uri);
      } else {
        ref.found = true;
        ref.targetElement = nameOf(target);
        signsReport = signsReport || isReportElement(target);
        QString error;
        const QString refused = refusedAlgorithm(node);
        if (refused.isEmpty()) ref.digestOk = digestMatches(keys_, node, &error);
        if (!refused.isEmpty())
          problems_ << QStringLiteral("Odwołanie %1 używa nieobsługiwanego algorytmu \"%2\"").arg(ref.uri, refused);
        else if (!error.isEmpty())
          problems_ << QStringLiteral("Nie można obliczyć skrótu %1: %2").arg(ref.uri, error);
        else if (!ref.digestOk)
          problems_ << QStringLiteral("Treść %1 różni się od podpisanej (niezgodny skrót)").arg(ref.uri);
      }
      result.references.push_back(ref);
    }
    if (signedInfo != nullptr && result.references.empty())
      problems_ << QStringLiteral("Podpis nie ma żadnego odwołania (Reference)");
    else if (signedInfo != nullptr && !signsReport && std::all_of(result.references.begin(), result.references.end(), [](const ReferenceCheck& r) { return r.found; }))
      problems_ << QStringLiteral("Podpis nie wskazuje żadnego sprawozdania tego pliku");
    result.digestOk = signsReport && !result.references.empty() &&
                      std::all_of(result.references.begin(), result.references.end(), [](const ReferenceCheck& r) { return r.found && r.digestOk; });
  }

  void checkValue(xmlNodePtr signature, xmlNodePtr signedInfo, xmlNodePtr value, X509* cert, SignatureCheck& result) {
    QString error;
    result.valueOk = valueVerifies(signedInfo, value, cert, &error);
    if (!error.isEmpty()) {
      problems_ << QStringLiteral("Nie można sprawdzić wartości podpisu: ") + error;
    } else if (!result.valueOk) {
      problems_ << QStringLiteral("Wartość podpisu nie zgadza się z kluczem certyfikatu podpisującego");
    } else if (result.digestOk) {
      // The library's own check of the whole signature must agree.
      ErrorCapture errors;
      DSigCtx ctx = verifyContext(keys_);
      if (xmlSecDSigCtxVerify(ctx.get(), signature) < 0 || ctx->status != xmlSecDSigStatusSucceeded) {
        result.valueOk = false;
        problems_ << QStringLiteral("Biblioteka xmlsec odrzuciła podpis: ") + errors.text();
      }
    }
  }

  void checkTrust(const std::vector<Cert>& certs, SignatureCheck& result) {
    QString why;
    result.trust = !certs.empty() && chainTrusted(trusted_, certs, &why) ? Trust::Trusted : Trust::NotTrusted;
    if (result.trust == Trust::NotTrusted && !certs.empty())
      problems_ << QStringLiteral("Certyfikat podpisującego nie pochodzi od zaufanego wystawcy (%1)").arg(why);
  }

  const Targets& targets_;
  xmlSecKeysMngrPtr keys_;
  X509_STORE* trusted_;
  QStringList problems_;
};

}  // namespace

QByteArray loadTrustedCertificates(const QString& caFile) {
  ensureInitialised();
  QFile file(caFile);
  if (!file.open(QIODevice::ReadOnly))
    throw SigningError(QStringLiteral("Nie można odczytać pliku certyfikatów zaufanych \"%1\": %2").arg(caFile, file.errorString()));
  const QByteArray pem = file.readAll();
  if (certificatesFromPem(pem).empty())
    throw SigningError(QStringLiteral("Plik \"%1\" nie zawiera certyfikatu w formacie PEM").arg(caFile));
  return pem;
}

std::vector<SignatureCheck> verifyPackage(const QByteArray& packageBytes, const QByteArray& trustedPem) {
  ensureInitialised();
  const Store trusted = trustStore(trustedPem);
  ErrorCapture errors;
  QString parseError;
  const Doc doc = parseXml(packageBytes, &parseError);
  if (!doc) throw SigningError(QStringLiteral("Plik nie jest poprawnym dokumentem XML (%1)").arg(parseError));
  if (doc->intSubset != nullptr)
    throw SigningError(QStringLiteral("Plik zawiera deklarację DOCTYPE, której paczka sprawozdań nie ma; nie sprawdzono go"));
  const Targets targets = findTargets(doc.get());

  KeysMngr keys(xmlSecKeysMngrCreate());
  if (!keys || xmlSecOpenSSLAppDefaultKeysMngrInit(keys.get()) < 0)
    throw SigningError(QStringLiteral("Nie można przygotować sprawdzania podpisu (xmlsec): ") + errors.text());
  SignatureChecker checker(targets, keys.get(), trusted.get());
  std::vector<SignatureCheck> checks;
  for (size_t i = 0; i < targets.signatures.size(); ++i) checks.push_back(checker.check(targets.signatures[i], static_cast<int>(i) + 1));
  return checks;
}

std::vector<SignatureCheck> verifyPackageFile(const QString& path, const QByteArray& trustedPem) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw SigningError(QStringLiteral("Nie można odczytać pliku \"%1\": %2").arg(path, file.errorString()));
  return verifyPackage(file.readAll(), trustedPem);
}

}  // namespace wertalo::signing
