#pragma once

#include <QString>

namespace testsupport {

// The part of a program's output from the first sanitizer report on (AddressSanitizer,
// LeakSanitizer, ThreadSanitizer, UndefinedBehaviorSanitizer); empty when there is none.
// A child process's report would otherwise pass unseen in its standard error.
QString sanitizerReport(const QString& output);

// Fails the running test when output holds a sanitizer report of the named program.
void expectNoSanitizerReport(const QString& program, const QString& output);

} // namespace testsupport
