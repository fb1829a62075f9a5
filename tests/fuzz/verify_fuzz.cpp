// Fuzzes the signature check of a package file: the input is the file's bytes.
// Properties: no crash; a document libxml2 finds malformed is refused with SigningError; a
// signature counts as verified only when every reference was found and its digest matches;
// signatures are numbered 1, 2, ... in file order; checking the same bytes again gives the
// same verdicts (nothing of one check is left in the XML security libraries for the next).
#include "core/signing/signing_error.h"
#include "core/signing/verifier.h"
#include "fuzz_support.h"

#include <vector>

using namespace wertalo;
using namespace wertalo::signing;
using wertalo::fuzz::fail;
using wertalo::fuzz::shown;

namespace {

// What a check found, as one comparable text.
QString verdicts(const std::vector<SignatureCheck>& checks) {
  QString out;
  for (const SignatureCheck& check : checks) {
    out += QStringLiteral("%1:%2%3%4 %5|").arg(check.index).arg(check.digestOk).arg(check.valueOk).arg(int(check.trust)).arg(check.message);
    for (const ReferenceCheck& reference : check.references) {
      out += QStringLiteral("%1>%2:%3%4;").arg(reference.uri, reference.targetElement).arg(reference.found).arg(reference.digestOk);
    }
  }
  return out;
}

// Checks the bytes; `refused` tells whether SigningError was raised.
std::vector<SignatureCheck> check(const QByteArray& bytes, bool& refused, QString& message) {
  refused = false;
  try {
    return verifyPackage(bytes);
  } catch (const SigningError& error) {
    refused = true;
    message = error.message();
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  bool refused = false;
  QString message;
  const std::vector<SignatureCheck> checks = check(bytes, refused, message);

  if (!refused && fuzz::libxml2Verdict(bytes) == fuzz::XmlVerdict::Malformed) fail("a malformed file is refused", shown(bytes));
  if (refused && message.isEmpty()) fail("a refusal says why");

  int expectedIndex = 1;
  for (const SignatureCheck& signature : checks) {
    if (signature.index != expectedIndex++) fail("signatures are numbered in file order", verdicts(checks));
    bool allFound = !signature.references.empty();
    for (const ReferenceCheck& reference : signature.references) allFound = allFound && reference.found && reference.digestOk;
    if (signature.digestOk && !allFound) fail("a digest holds only when every reference was found and matches", verdicts(checks));
    if (signature.verified() && !signature.valueOk) fail("a verified signature has a verified value", verdicts(checks));
    if (signature.message.isEmpty()) fail("every signature's check says what was found", verdicts(checks));
  }

  bool refusedAgain = false;
  QString messageAgain;
  const std::vector<SignatureCheck> again = check(bytes, refusedAgain, messageAgain);
  if (refusedAgain != refused || messageAgain != message || verdicts(again) != verdicts(checks)) {
    fail("the same bytes give the same verdicts", verdicts(checks) + QStringLiteral(" / ") + verdicts(again) + message + messageAgain);
  }
  return 0;
}
