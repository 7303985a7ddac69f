#include "cli/stderr_prompts.h"

#include <cstdio>

namespace ventari {

void StderrPrompts::ShowMessage(const QString& text, const QString& caption) {
  std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
  std::fflush(stderr);
}

}  // namespace ventari
