// Test support: every XML a test produces is checked for well-formedness.
#pragma once

#include <QByteArray>

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace wertalo::test {

// Success when the bytes are a well-formed XML document (a UTF-8 byte-order mark allowed).
::testing::AssertionResult isWellFormedXml(const QByteArray& bytes);

}  // namespace wertalo::test
