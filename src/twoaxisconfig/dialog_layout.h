// Which choices of the two-axis configuration dialogs are offered: the Kestrix II and the
// Larkvane share the dialogs but not every setting.
#pragma once

namespace ventari {

class MainMenu;

struct TwoAxisDialogLayout {
  // Analogue output dialog (Kestrix): scaling, output type, tests, channel 3 and wrap-around.
  bool analogueChoicesEnabled = true;
  bool analogueOkEnabled = true;
  // Comms dialog.
  bool commsDuplexEnabled = true;
  bool commsDataBitsEnabled = true;
  bool kestrixBaudListVisible = true;  // the Larkvane list is shown otherwise
  // Output format dialog.
  bool kestrixRateListVisible = true;  // the Larkvane list is shown otherwise
  bool verticalPadEnabled = true;
  bool sonicOutputsEnabled = true;
};

// Every choice offered, as at the start of each search.
void ApplyKestrixLayout(TwoAxisDialogLayout& layout);
// The Larkvane's subset; also disables the Averaging and Alignment menu entries.
void ApplyLarkvaneLayout(TwoAxisDialogLayout& layout, MainMenu& menu);

}  // namespace ventari
