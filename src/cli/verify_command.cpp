// `wertalo-cli verify`: checks the signatures of package files.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>
#include <vector>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/text_table.h"
#include "core/signing/signing_error.h"
#include "core/signing/verifier.h"

namespace wertalo::cli {

using namespace Qt::StringLiterals;

namespace {

const QString kUsage =
    u"Użycie: wertalo-cli verify PLIK... [--ca PLIK] [--json]\n"
    u"\n"
    u"Sprawdza podpisy elektroniczne (XML-DSig) w plikach paczek: czy każde odwołanie wskazuje\n"
    u"sprawozdanie tego pliku, czy jego treść jest taka, jak podpisana (skrót), czy wartość podpisu\n"
    u"zgadza się z kluczem certyfikatu zapisanego w podpisie, a z --ca także, czy certyfikat\n"
    u"pochodzi od zaufanego wystawcy.\n"
    u"\n"
    u"  --ca PLIK   certyfikaty zaufanych wystawców (PEM)\n"
    u"  --json      wynik w formacie JSON (dla skryptów)\n"
    u"  --help, -h  ta pomoc\n"
    u"\n"
    u"Kody wyjścia: 0 wszystkie podpisy poprawne; 3 któryś podpis niepoprawny albo plik bez\n"
    u"podpisów; 1 plik nieczytelny lub niepoprawny; 2 błędne wywołanie.\n"_s;

struct Arguments {
  QStringList files;
  QString caFile;
  bool json = false;
};

// The command line after "verify"; nothing when it is wrong (the reason is printed).
std::optional<Arguments> parseArguments(const QStringList& args, bool* help) {
  Arguments a;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == u"--help"_s || arg == u"-h"_s) {
      *help = true;
      return a;
    }
    if (arg == u"--json"_s) {
      a.json = true;
    } else if (arg == u"--ca"_s || arg.startsWith(u"--ca="_s)) {
      const bool inlineValue = arg.startsWith(u"--ca="_s);
      if (!inlineValue && i + 1 >= args.size()) {
        err(u"Opcja --ca wymaga wartości\n"_s);
        return std::nullopt;
      }
      if (!a.caFile.isEmpty()) {
        err(u"Opcję --ca podano więcej niż raz\n"_s);
        return std::nullopt;
      }
      a.caFile = inlineValue ? arg.mid(5) : args[++i];
      if (a.caFile.isEmpty()) {
        err(u"Opcja --ca wymaga wartości\n"_s);
        return std::nullopt;
      }
    } else if (arg.startsWith(u"--"_s)) {
      err(u"Nieznana opcja: %1\n"_s.arg(arg));
      return std::nullopt;
    } else {
      a.files << arg;
    }
  }
  if (a.files.isEmpty()) {
    err(u"Nie podano pliku do sprawdzenia\n"_s);
    return std::nullopt;
  }
  return a;
}

// The result for one file: its signatures, or the reason it could not be checked.
struct FileResult {
  QString file;
  std::vector<signing::SignatureCheck> signatures;
  QString error;
};

QString trustName(signing::Trust trust) {
  switch (trust) {
    case signing::Trust::Trusted: return u"trusted"_s;
    case signing::Trust::NotTrusted: return u"not-trusted"_s;
    case signing::Trust::NotChecked: break;
  }
  return u"not-checked"_s;
}

QString reportsOf(const signing::SignatureCheck& check) {
  QStringList ids;
  for (const signing::ReferenceCheck& ref : check.references) ids << (ref.uri.startsWith(u'#') ? ref.uri.mid(1) : ref.uri);
  return ids.isEmpty() ? u"—"_s : ids.join(u", "_s);
}

QJsonObject toJson(const FileResult& result) {
  QJsonObject file{{u"file"_s, result.file}};
  if (!result.error.isEmpty()) file.insert(u"error"_s, result.error);
  QJsonArray signatures;
  for (const signing::SignatureCheck& c : result.signatures) {
    QJsonArray references;
    for (const signing::ReferenceCheck& r : c.references)
      references.append(QJsonObject{{u"uri"_s, r.uri}, {u"element"_s, r.targetElement}, {u"found"_s, r.found}, {u"digestOk"_s, r.digestOk}});
    signatures.append(QJsonObject{{u"index"_s, c.index},
                                  {u"reference"_s, c.referenceUri()},
                                  {u"references"_s, references},
                                  {u"signer"_s, c.signerName},
                                  {u"subject"_s, c.signerSubject},
                                  {u"digestOk"_s, c.digestOk},
                                  {u"valueOk"_s, c.valueOk},
                                  {u"trust"_s, trustName(c.trust)},
                                  {u"verified"_s, c.verified()},
                                  {u"message"_s, c.message}});
  }
  file.insert(u"signatures"_s, signatures);
  return file;
}

std::vector<QStringList> tableRows(const std::vector<FileResult>& results) {
  std::vector<QStringList> rows;
  for (const FileResult& r : results) {
    if (!r.error.isEmpty()) {
      rows.push_back({r.file, u"—"_s, u"—"_s, u"BŁĄD: "_s + r.error});
    } else if (r.signatures.empty()) {
      rows.push_back({r.file, u"—"_s, u"—"_s, u"brak podpisów"_s});
    }
    for (const signing::SignatureCheck& c : r.signatures) {
      const QString signer = !c.signerName.isEmpty() ? c.signerName : !c.signerSubject.isEmpty() ? c.signerSubject : u"—"_s;
      const QString verdict = c.verified() ? (c.trust == signing::Trust::Trusted ? u"poprawny, zaufany"_s : u"poprawny"_s)
                                           : u"NIEPOPRAWNY: "_s + c.message;
      rows.push_back({r.file, reportsOf(c), signer, verdict});
    }
  }
  return rows;
}

}  // namespace

int runVerifyCommand(const QStringList& args) {
  bool help = false;
  const std::optional<Arguments> a = parseArguments(args, &help);
  if (help) {
    out(kUsage);
    return 0;
  }
  if (!a) {
    err(u"\n"_s + kUsage);
    return 2;
  }

  QByteArray trusted;
  if (!a->caFile.isEmpty()) {
    try {
      trusted = signing::loadTrustedCertificates(a->caFile);
    } catch (const signing::SigningError& e) {
      err(u"Błąd: "_s + e.message() + u'\n');
      return 1;
    }
  }

  std::vector<FileResult> results;
  int signatures = 0, failed = 0, unsigned_ = 0, errors = 0;
  for (const QString& file : a->files) {
    FileResult result{file, {}, {}};
    try {
      result.signatures = signing::verifyPackageFile(file, trusted);
    } catch (const signing::SigningError& e) {
      result.error = e.message();
      ++errors;
      err(u"Błąd: %1: %2\n"_s.arg(file, e.message()));
    }
    if (result.error.isEmpty() && result.signatures.empty()) ++unsigned_;
    for (const signing::SignatureCheck& c : result.signatures) {
      ++signatures;
      if (!c.verified()) ++failed;
    }
    results.push_back(std::move(result));
  }

  const int exitCode = errors > 0 ? 1 : (failed > 0 || unsigned_ > 0) ? 3 : 0;
  if (a->json) {
    QJsonArray files;
    for (const FileResult& r : results) files.append(toJson(r));
    out(QString::fromUtf8(QJsonDocument(QJsonObject{{u"files"_s, files}, {u"verified"_s, exitCode == 0}}).toJson(QJsonDocument::Indented)));
  } else {
    out(textTable({u"Plik"_s, u"Sprawozdanie"_s, u"Podpisujący"_s, u"Wynik"_s}, tableRows(results)));
    out(u"\nPodpisów: %1, poprawnych: %2, niepoprawnych: %3; plików bez podpisów: %4, plików z błędem: %5.\n"_s.arg(signatures)
            .arg(signatures - failed)
            .arg(failed)
            .arg(unsigned_)
            .arg(errors));
  }
  return exitCode;
}

}  // namespace wertalo::cli
