// Signing report elements and checking a package's signatures: our verifier and the xmlsec1
// tool agree on every signature, and a single changed byte fails exactly the signature of the
// report it is in.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include "core/signing/demo_keys.h"
#include "core/signing/signer.h"
#include "core/signing/signing_error.h"
#include "core/signing/verifier.h"
#include "signed_package.h"
#include "support/xml_check.h"

namespace wertalo::signing {
namespace {

using namespace Qt::StringLiterals;

QString pkiFile(const QString& name) { return QStringLiteral(WERTALO_DEMO_PKI_DIR "/TEST-ONLY-") + name; }

// Two reports of the city: the Rb-27s signed by the treasurer and the mayor, the B-Wyk by the
// treasurer.
class SignedPackage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    rb27s = test::keptReport(u"Rb-27s"_s, 1001, u"18377012.48"_s);
    bwyk = test::keptReport(u"B-Wyk"_s, 1002, u"1912004.10"_s);
    signatures = {signWithDemoKey(rb27s, u"skarbnik-miasta"_s), signWithDemoKey(rb27s, u"prezydent-miasta"_s),
                  signWithDemoKey(bwyk, u"skarbnik-miasta"_s)};
    package = test::signedPackage({rb27s, bwyk}, signatures);
    caFile = test::writeFile(dir.filePath(u"ca.pem"_s), demoCaCertificatePem());
  }

  // Our verdicts and xmlsec1's, signature by signature, for the package bytes.
  void expectVerdicts(const QByteArray& bytes, const std::vector<bool>& expected) {
    ASSERT_TRUE(test::isWellFormedXml(bytes));
    const std::vector<SignatureCheck> checks = verifyPackage(bytes);
    ASSERT_EQ(checks.size(), expected.size());
    const QString file = test::writeFile(dir.filePath(u"paczka.xml"_s), bytes);
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(checks[i].verified(), expected[i]) << i << ": " << checks[i].message.toStdString();
      const test::ToolResult tool = test::xmlsecVerify(file, {u"Rb-27s"_s, u"B-Wyk"_s}, static_cast<int>(i) + 1, caFile);
      EXPECT_EQ(tool.exitCode == 0, expected[i]) << i << ": " << tool.output.toStdString();
    }
  }

  QTemporaryDir dir;
  QString rb27s, bwyk, caFile;
  std::vector<QString> signatures;
  QByteArray package;
};

TEST_F(SignedPackage, EverySignatureVerifiesWithOursAndWithXmlsec) {
  expectVerdicts(package, {true, true, true});
  const std::vector<SignatureCheck> checks = verifyPackage(package, demoCaCertificatePem());
  ASSERT_EQ(checks.size(), 3u);
  const struct {
    const char* uri;
    const char* element;
    const char* signer;
  } expected[] = {{"#Rb-27s1001", "Rb-27s", "Anna Nowak"}, {"#Rb-27s1001", "Rb-27s", "Tadeusz Żółkiewski"}, {"#B-Wyk1002", "B-Wyk", "Anna Nowak"}};
  for (size_t i = 0; i < 3; ++i) {
    const SignatureCheck& c = checks[i];
    EXPECT_EQ(c.index, static_cast<int>(i) + 1);
    EXPECT_EQ(c.referenceUri(), QString::fromUtf8(expected[i].uri));
    ASSERT_EQ(c.references.size(), 1u);
    EXPECT_EQ(c.references[0].targetElement, QString::fromUtf8(expected[i].element));
    EXPECT_EQ(c.signerName, QString::fromUtf8(expected[i].signer));
    EXPECT_TRUE(c.signerSubject.contains(u"CN="_s + QString::fromUtf8(expected[i].signer))) << c.signerSubject.toStdString();
    EXPECT_TRUE(c.digestOk);
    EXPECT_TRUE(c.valueOk);
    EXPECT_EQ(c.trust, Trust::Trusted);
    EXPECT_TRUE(c.verified());
    EXPECT_EQ(c.message, u"Podpis poprawny, certyfikat od zaufanego wystawcy"_s);
  }
}

TEST_F(SignedPackage, SignatureNamesItsMethodsAnchorAndCertificateAndIsTheSameEachTime) {
  const QString& s = signatures[0];
  EXPECT_TRUE(test::isWellFormedXml(s.toUtf8()));
  EXPECT_TRUE(s.startsWith(u"<ds:Signature xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\">\r\n<ds:SignedInfo>"_s)) << s.toStdString();
  EXPECT_EQ(s.count(u"\n"_s), s.count(u"\r\n"_s));
  EXPECT_TRUE(s.contains(u"URI=\"#Rb-27s1001\""_s));
  EXPECT_EQ(s.count(u"URI=\""_s), 1);
  for (const char* method : {kCanonicalisationMethod, kDigestMethod, kSignatureMethod})
    EXPECT_TRUE(s.contains(u"Algorithm=\"%1\""_s.arg(QString::fromLatin1(method)))) << method;
  const QString cert = QString::fromLatin1(demoSignerKey(u"skarbnik-miasta"_s).certificatePem)
                           .remove(u"-----BEGIN CERTIFICATE-----"_s)
                           .remove(u"-----END CERTIFICATE-----"_s)
                           .remove(u'\n');
  EXPECT_TRUE(QString(s).remove(u"\r\n"_s).contains(cert));
  EXPECT_EQ(signWithDemoKey(rb27s, u"skarbnik-miasta"_s), s);
  EXPECT_NE(signatures[1], s);
}

TEST_F(SignedPackage, KeysReadFromFilesSignAsTheBuiltInOnes) {
  const SignerKey fromFiles = loadSignerKey(pkiFile(u"prezydent-miasta.key.pem"_s), pkiFile(u"prezydent-miasta.cert.pem"_s));
  EXPECT_EQ(signReportElement(rb27s, fromFiles), signatures[1]);
  EXPECT_EQ(fromFiles.certificatePem, demoSignerKey(u"prezydent-miasta"_s).certificatePem);
}

// One changed byte, and which signatures still hold.
struct Change {
  const char* what;
  std::function<void(QByteArray&)> change;
  std::vector<bool> verdicts;
};

void replaceOnce(QByteArray& bytes, const QByteArray& from, const QByteArray& to) {
  const qsizetype at = bytes.indexOf(from);
  ASSERT_GE(at, 0) << from.toStdString();
  ASSERT_EQ(from.size(), to.size());
  bytes.replace(at, from.size(), to);
}

TEST_F(SignedPackage, OneChangedByteFailsExactlyTheSignaturesOfItsReport) {
  const Change changes[] = {
      {"an amount of the B-Wyk", [](QByteArray& b) { replaceOnce(b, "<DW>1912004.10</DW>", "<DW>1912004.19</DW>"); }, {true, true, false}},
      {"an amount of the Rb-27s", [](QByteArray& b) { replaceOnce(b, "<DW>18377012.48</DW>", "<DW>18377012.49</DW>"); }, {false, false, true}},
      {"a letter of the Rb-27s remark (one byte of a Polish letter)", [](QByteArray& b) { replaceOnce(b, "ół", "Ół"); }, {false, false, true}},
      {"a blank inside the B-Wyk",
       [](QByteArray& b) {
         const qsizetype at = b.indexOf("<B-Wyk Id=\"B-Wyk1002\">\r\n") + 24;
         ASSERT_EQ(b[at], ' ');
         b[at] = '\t';
       },
       {true, true, false}},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.what);
    QByteArray bytes = package;
    c.change(bytes);
    expectVerdicts(bytes, c.verdicts);
  }
}

TEST_F(SignedPackage, ChangedReportFailsItsDigestButNotItsValue) {
  QByteArray bytes = package;
  replaceOnce(bytes, "<DW>1912004.10</DW>", "<DW>1912004.11</DW>");
  const SignatureCheck c = verifyPackage(bytes).at(2);
  EXPECT_FALSE(c.digestOk);
  EXPECT_TRUE(c.references.at(0).found);
  EXPECT_FALSE(c.references.at(0).digestOk);
  EXPECT_TRUE(c.valueOk);
  EXPECT_EQ(c.message, u"Treść #B-Wyk1002 różni się od podpisanej (niezgodny skrót)"_s);
}

TEST_F(SignedPackage, ChangedSignatureValueOrSwappedCertificateFailsTheValue) {
  // The last base64 character before the end of the value, changed.
  QByteArray bytes = package;
  const qsizetype end = bytes.indexOf("</ds:SignatureValue>");
  ASSERT_GT(end, 0);
  qsizetype at = end - 1;
  while (bytes[at] == '\n' || bytes[at] == '=') --at;
  bytes[at] = bytes[at] == 'A' ? 'B' : 'A';
  expectVerdicts(bytes, {false, true, true});
  const SignatureCheck c = verifyPackage(bytes).at(0);
  EXPECT_TRUE(c.digestOk);
  EXPECT_FALSE(c.valueOk);
  EXPECT_EQ(c.message, u"Wartość podpisu nie zgadza się z kluczem certyfikatu podpisującego"_s);

  // The mayor's signature carrying the treasurer's certificate.
  const auto certText = [](const QString& signature) {
    const qsizetype from = signature.indexOf(u"<ds:X509Certificate>"_s);
    return signature.mid(from, signature.indexOf(u"</ds:X509Certificate>"_s) - from);
  };
  QString swapped = signatures[1];
  swapped.replace(certText(signatures[1]), certText(signatures[0]));
  const SignatureCheck s = verifyPackage(test::signedPackage({rb27s}, {swapped})).at(0);
  EXPECT_TRUE(s.digestOk);
  EXPECT_FALSE(s.valueOk);
  EXPECT_EQ(s.signerName, u"Anna Nowak"_s);
}

TEST_F(SignedPackage, TrustNeedsTheIssuer) {
  // A signer's own certificate is no issuer of the others.
  const std::vector<SignatureCheck> checks = verifyPackage(package, demoSignerKey(u"prezydent-miasta"_s).certificatePem);
  ASSERT_EQ(checks.size(), 3u);
  for (const SignatureCheck& c : checks) {
    EXPECT_TRUE(c.digestOk && c.valueOk);
    EXPECT_EQ(c.trust, Trust::NotTrusted);
    EXPECT_FALSE(c.verified());
    EXPECT_TRUE(c.message.startsWith(u"Certyfikat podpisującego nie pochodzi od zaufanego wystawcy ("_s)) << c.message.toStdString();
  }
  EXPECT_EQ(verifyPackage(package).at(0).trust, Trust::NotChecked);
}

TEST_F(SignedPackage, ReferencesThatPointNowhereOrTwice) {
  const struct {
    const char* what;
    std::vector<QString> kept;
    const char* message;
  } cases[] = {
      {"the signed report is missing", {bwyk}, "Podpis odwołuje się do #Rb-27s1001, którego nie ma w pliku"},
      {"the signed report is there twice", {rb27s, rb27s}, "Identyfikator Rb-27s1001 występuje w pliku więcej niż raz; podpis nie wskazuje jednego sprawozdania"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QByteArray bytes = test::signedPackage(c.kept, {signatures[0]});
    ASSERT_TRUE(test::isWellFormedXml(bytes));
    const std::vector<SignatureCheck> checks = verifyPackage(bytes);
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_FALSE(checks[0].verified());
    EXPECT_FALSE(checks[0].digestOk);
    EXPECT_FALSE(checks[0].references.at(0).found);
    EXPECT_TRUE(checks[0].valueOk);
    EXPECT_EQ(checks[0].message, QString::fromUtf8(c.message));
  }
  // References to what is not a report element of this file: another file, an element
  // tucked into another signature, or only the signature's own object.
  const auto pointedAt = [&](const QString& uri, const QString& object) {
    QString s = signatures[0];
    s.replace(u"URI=\"#Rb-27s1001\""_s, u"URI=\"%1\""_s.arg(uri));
    return s.replace(u"</ds:Signature>"_s, object + u"</ds:Signature>"_s);
  };
  const QString object = u"<ds:Object Id=\"Obiekt1\">"_s + rb27s.trimmed().replace(u"Rb-27s1001"_s, u"Ukryte1"_s) + u"</ds:Object>"_s;
  const struct {
    const char* what;
    std::vector<QString> signatures;
    const char* message;
  } elsewhere[] = {
      {"another file", {pointedAt(u"raport.xml"_s, QString())}, "Odwołanie \"raport.xml\" nie wskazuje sprawozdania w tym pliku"},
      {"another signature's object", {pointedAt(u"#Obiekt1"_s, QString()), pointedAt(u"#Rb-27s1001"_s, object)},
       "Odwołanie #Obiekt1 wskazuje element innego podpisu"},
      {"its own object only", {pointedAt(u"#Obiekt1"_s, object)}, "Podpis nie wskazuje żadnego sprawozdania tego pliku"},
  };
  for (const auto& c : elsewhere) {
    SCOPED_TRACE(c.what);
    const QByteArray bytes = test::signedPackage({rb27s}, c.signatures);
    ASSERT_TRUE(test::isWellFormedXml(bytes));
    const SignatureCheck check = verifyPackage(bytes).at(0);
    EXPECT_FALSE(check.verified());
    EXPECT_FALSE(check.digestOk);
    EXPECT_TRUE(check.message.contains(QString::fromUtf8(c.message))) << check.message.toStdString();
  }
}

TEST(PackageWithoutSignatures, HasNothingToCheck) {
  const QByteArray bytes = test::signedPackage({test::keptReport(u"Rb-27s"_s, 7, u"1.00"_s)}, {});
  ASSERT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_TRUE(bytes.contains("<Podpisy/>"));
  EXPECT_TRUE(verifyPackage(bytes).empty());
}

TEST(MalformedInput, IsRefusedWithAClearMessage) {
  const struct {
    const char* what;
    QByteArray bytes;
    const char* message;
  } cases[] = {
      {"cut short", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<PaczkaSprawozdan>\r\n  <Okres>", "Plik nie jest poprawnym dokumentem XML (wiersz "},
      {"not XML", "PK\x03\x04 zip", "Plik nie jest poprawnym dokumentem XML (wiersz 1: "},
      {"empty", "", "Plik nie jest poprawnym dokumentem XML ("},
      {"with a DOCTYPE", "<!DOCTYPE P [<!ATTLIST Rb-27s Id ID #IMPLIED>]><P/>", "Plik zawiera deklarację DOCTYPE"},
  };
  for (const auto& c : cases) {
    try {
      verifyPackage(c.bytes);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const SigningError& e) {
      EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.message))) << c.what << ": " << e.message().toStdString();
    }
  }
  try {
    verifyPackageFile(u"/nie/ma/takiego/pliku.xml"_s);
    ADD_FAILURE() << "a missing file read";
  } catch (const SigningError& e) {
    EXPECT_TRUE(e.message().startsWith(u"Nie można odczytać pliku \"/nie/ma/takiego/pliku.xml\": "_s)) << e.message().toStdString();
  }
}

TEST(MalformedSignatures, AreReportedNotCrashedOn) {
  const QString kept = test::keptReport(u"Rb-27s"_s, 5, u"2.00"_s);
  const QString good = signWithDemoKey(kept, u"glowna-ksiegowa"_s);
  const auto without = [&](const QString& from, const QString& to) {
    QString s = good;
    const qsizetype a = s.indexOf(from);
    const qsizetype b = s.indexOf(to, a) + to.size();
    return s.remove(a, b - a);
  };
  const struct {
    const char* what;
    QString signature;
    const char* message;
  } cases[] = {
      {"no SignedInfo", without(u"<ds:SignedInfo>"_s, u"</ds:SignedInfo>"_s), "Podpis nie ma elementu SignedInfo"},
      {"no value", without(u"<ds:SignatureValue>"_s, u"</ds:SignatureValue>"_s), "Podpis nie ma elementu SignatureValue"},
      {"no certificate", without(u"<ds:KeyInfo>"_s, u"</ds:KeyInfo>"_s), "Podpis nie zawiera certyfikatu podpisującego"},
      {"a broken certificate", QString(good).replace(u"<ds:X509Certificate>MII"_s, u"<ds:X509Certificate>!!!"_s),
       "Certyfikat zapisany w podpisie jest nieczytelny"},
      {"an unknown method", QString(good).replace(u"xmldsig-more#rsa-sha256"_s, u"xmldsig-more#rsa-foo"_s),
       "Nie można sprawdzić wartości podpisu: nieobsługiwany algorytm \"http://www.w3.org/2001/04/xmldsig-more#rsa-foo\""},
      {"no reference", without(u"<ds:Reference "_s, u"</ds:Reference>"_s), "Podpis nie ma żadnego odwołania (Reference)"},
      {"a transform that could run anything",
       QString(good).replace(u"<ds:Transform Algorithm=\"http://www.w3.org/2001/10/xml-exc-c14n#\"/>"_s,
                             u"<ds:Transform Algorithm=\"http://www.w3.org/TR/1999/REC-xslt-19991116\"/>"_s),
       "Odwołanie #Rb-27s5 używa nieobsługiwanego algorytmu \"http://www.w3.org/TR/1999/REC-xslt-19991116\""},
      {"an unknown digest", QString(good).replace(u"xmlenc#sha256"_s, u"xmlenc#md5"_s),
       "Odwołanie #Rb-27s5 używa nieobsługiwanego algorytmu \"http://www.w3.org/2001/04/xmlenc#md5\""},
  };
  for (const auto& c : cases) {
    const QByteArray bytes = test::signedPackage({kept}, {c.signature});
    ASSERT_TRUE(test::isWellFormedXml(bytes)) << c.what;
    const std::vector<SignatureCheck> checks = verifyPackage(bytes);
    ASSERT_EQ(checks.size(), 1u) << c.what;
    EXPECT_FALSE(checks[0].verified()) << c.what;
    EXPECT_TRUE(checks[0].message.contains(QString::fromUtf8(c.message))) << c.what << ": " << checks[0].message.toStdString();
  }
}

TEST(SigningRefuses, TextsAndKeysItCannotSign) {
  const SignerKey treasurer = demoSignerKey(u"skarbnik-miasta"_s);
  SignerKey mismatched = treasurer;
  mismatched.certificatePem = demoSignerKey(u"prezydent-miasta"_s).certificatePem;
  const struct {
    const char* what;
    QString text;
    SignerKey key;
    const char* message;
  } cases[] = {
      {"not XML", u"<Rb-27s Id=\"Rb-27s1\">"_s, treasurer, "Tekst sprawozdania nie jest poprawnym elementem XML ("},
      {"two elements", u"<A Id=\"A1\"/><B Id=\"B1\"/>"_s, treasurer, "Tekst do podpisu musi być jednym elementem XML (sprawozdaniem)"},
      {"text only", u"  tekst  "_s, treasurer, "Tekst do podpisu musi być jednym elementem XML (sprawozdaniem)"},
      {"empty", u""_s, treasurer, "Tekst do podpisu nie zawiera elementu sprawozdania"},
      {"no Id", u"<Rb-27s><Naglowek/></Rb-27s>"_s, treasurer, "Element <Rb-27s> nie ma atrybutu Id, do którego podpis mógłby się odwołać"},
      {"an Id no reference can name", u"<Rb-27s Id=\"Rb 27s\"/>"_s, treasurer, "Atrybut Id \"Rb 27s\" nie może być celem odwołania podpisu"},
      {"key of another certificate", u"<Rb-27s Id=\"Rb-27s1\"/>"_s, mismatched, "Klucz prywatny nie należy do certyfikatu podpisującego (CN=Tadeusz"},
      {"no key", u"<Rb-27s Id=\"Rb-27s1\"/>"_s, SignerKey{"", treasurer.certificatePem}, "Nie można wczytać klucza prywatnego (PEM)"},
      {"no certificate", u"<Rb-27s Id=\"Rb-27s1\"/>"_s, SignerKey{treasurer.privateKeyPem, "-----BEGIN CERTIFICATE-----\nAAAA\n"},
       "Nie można wczytać certyfikatu podpisującego (PEM)"},
  };
  for (const auto& c : cases) {
    try {
      signReportElement(c.text, c.key);
      ADD_FAILURE() << c.what << ": signed";
    } catch (const SigningError& e) {
      EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.message))) << c.what << ": " << e.message().toStdString();
    }
  }
  EXPECT_THROW(loadSignerKey(pkiFile(u"brak.key.pem"_s), pkiFile(u"skarbnik-miasta.cert.pem"_s)), SigningError);
  EXPECT_THROW(demoSignerKey(u"nieznany"_s), SigningError);
  EXPECT_THROW(loadTrustedCertificates(pkiFile(u"skarbnik-miasta.key.pem"_s)), SigningError);
  EXPECT_EQ(loadTrustedCertificates(pkiFile(u"demo-ca.cert.pem"_s)), demoCaCertificatePem());
}

TEST(SigningPlacement, LineEndsAndTheElementsPlaceDoNotMatter) {
  // Signed with LF line ends, standing with CR LF in a package of other reports.
  const QString kept = test::keptReport(u"Rb-28s"_s, 44, u"3.00"_s);
  const QString signature = signWithDemoKey(QString(kept).replace(u"\r\n"_s, u"\n"_s), u"dyrektor-jednostki"_s);
  const QByteArray bytes = test::signedPackage({test::keptReport(u"Rb-27s"_s, 43, u"1.00"_s), kept}, {signature});
  const std::vector<SignatureCheck> checks = verifyPackage(bytes);
  ASSERT_EQ(checks.size(), 1u);
  EXPECT_TRUE(checks[0].verified()) << checks[0].message.toStdString();
  EXPECT_EQ(checks[0].signerName, u"Marek Dąbrowski"_s);
}

}  // namespace
}  // namespace wertalo::signing
