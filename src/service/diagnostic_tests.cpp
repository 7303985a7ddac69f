#include "service/diagnostic_tests.h"

namespace ventari {
namespace {

const DiagnosticTestInfo kTests[kDiagnosticTestCount] = {
    {.item = "&1   Status",
     .name = "status",
     .format = {"(where n = channel number (0-3) and x = don't care)",
                "Paths clear:     n100 (fixed)", "Paths blocked:   n4x2 (fixed)"},
     .cells = {"W 65 1\r\n", "W 66 0\r\n", "W 67 0\r\n", "W 68 0\r\n", "W 74 85\r\n"},
     .question = "System status OK?",
     .matcher = &SystemMatchers::StatusPacket},
    {.item = "&2   Gain",
     .name = "gain",
     .format = {"Paths clear:     08-13 (range)", "Paths blocked:   2A (fixed)", ""},
     .cells = {"W 65 0\r\n", "W 66 64\r\n", "W 67 0\r\n", "W 68 0\r\n", "W 74 85\r\n"},
     .question = "System gain OK?",
     .matcher = &SystemMatchers::GainPacket},
    {.item = "&3   Downcounts",
     .name = "downcounts",
     .format = {"Paths clear:     1C-24 (range)", "", ""},
     .cells = {"W 65 0\r\n", "W 66 8\r\n", "W 67 0\r\n", "W 68 0\r\n", "W 74 85\r\n"},
     .question = "Downcounts OK?",
     .matcher = &SystemMatchers::DownCountsPacket},
    {.item = "&4   Preload",
     .name = "preload",
     .format = {"Paths clear:     70-90 (range)", "", ""},
     .cells = {"W 65 0\r\n", "W 66 16\r\n", "W 67 0\r\n", "W 68 0\r\n", "W 74 85\r\n"},
     .question = "Preload OK?",
     .matcher = &SystemMatchers::PreloadPacket},
    // Coarse differences come in lines of the preload's length: PreloadPacket frames them.
    {.item = "&5   Coarse Difference",
     .name = "coarse",
     .format = {"Paths clear:     FFDB-0025 (range)", "", ""},
     .cells = {"W 65 0\r\n", "W 66 1\r\n", "W 67 0\r\n", "W 68 0\r\n", "W 74 85\r\n"},
     .question = "Coarse Difference OK?",
     .matcher = &SystemMatchers::PreloadPacket},
};

}  // namespace

const DiagnosticTestInfo& InfoOf(DiagnosticTest test) { return kTests[static_cast<int>(test)]; }

std::optional<DiagnosticTest> DiagnosticTestNamed(const QString& name) {
  for (int i = 0; i < kDiagnosticTestCount; ++i) {
    if (name == QLatin1String(kTests[i].name)) return static_cast<DiagnosticTest>(i);
  }
  return std::nullopt;
}

QStringList DiagnosticMemo(DiagnosticTest test) {
  QStringList memo{QStringLiteral("Check data matches the following format:- ")};
  for (const char* line : InfoOf(test).format) {
    if (*line != '\0') memo << QLatin1String(line);
  }
  return memo;
}

}  // namespace ventari
