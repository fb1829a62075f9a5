// Test support: comparing produced bytes with expected ones (golden files), reporting the
// first differing line readably.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>

#include "support/qt_printers.h"

namespace wertalo::test {

// The files of a folder and of its sub-folders, by path relative to it ("/" between
// folders), with their bytes. An unreadable file fails the calling test.
std::map<QString, QByteArray> readFiles(const QString& folder);

// A line as a reader sees it: control characters, a byte-order mark and bytes that are not
// UTF-8 are written as escapes (\r, \t, \uFEFF, \xNN); the rest is kept.
QString readableLine(const QByteArray& line);

// Success when both lists are equal; otherwise the first differing line: its number (from 1),
// the expected and the actual text (cut around the difference when long), and a mark under
// the first differing character with its column in the text shown.
::testing::AssertionResult sameLines(const QStringList& expected, const QStringList& actual);

// Success when the bytes are equal; otherwise the first differing line, named `name`
// (lines end at LF; the CR of a CR LF shows only where the two lines differ in it).
::testing::AssertionResult sameBytes(const QString& name, const QByteArray& expected, const QByteArray& actual);

// Success when both maps hold the same names with the same bytes; otherwise the names found
// only on one side and the first differing line of every file that differs.
::testing::AssertionResult sameFiles(const std::map<QString, QByteArray>& expected,
                                     const std::map<QString, QByteArray>& actual);

}  // namespace wertalo::test
