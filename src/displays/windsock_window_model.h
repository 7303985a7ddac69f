// The windsock window's state (TFrmWindsock): the windsock CalvarnWindsock1, the averaging, unit,
// gust and rose choices, and the read-outs beside the rose. The decoders feed it with
// ShowSample; the configuration replies re-apply the averaging when the output rate changes.
#pragma once

#include <QString>
#include <optional>

#include "base/change_notifier.h"
#include "displays/calvarn_windsock.h"
#include "displays/no_data_notice.h"
#include "displays/windsock_selections.h"

namespace ventari {

// A speed unit of the windsock: conversion from m/s, and the significant digits and decimals of
// the gust read-out.
struct WindsockUnit {
  const char* name;
  double factor;
  int precision;
  int decimals;
};

// "m/&s", "&kmh", "k&ts", "m&ph", "&fpm".
inline constexpr WindsockUnit kWindsockUnits[] = {
    {"m/s", 1.0, 4, 2},   {"kmh", 3.599, 4, 1},   {"kts", 1.946, 4, 1},
    {"mph", 2.237, 4, 1}, {"fpm", 196.913, 5, 0},
};

// Everything the window shows apart from the rose and the choices' selections.
struct WindsockWindowView {
  bool gustGroupEnabled = false;
  bool gustLabelVisible = false;
  QString gustText = QStringLiteral("10.0");        // lblGust
  QString windSpeedText = QStringLiteral("00.00");  // Label3
  QString wAxisText = QStringLiteral("00.0");       // Wc3Label
  bool wAxisVisible = true;                         // GroupBox1 "W axis"
  int roseType = kPlainRose;                        // RgRoseType
};

class WindsockWindowModel {
 public:
  // Items of the choices.
  static constexpr int kTwoMinutes = 0;  // "&2 min"
  static constexpr int kTenMinutes = 1;  // "&10min"
  static constexpr int kContinuous = 2;  // "c&ont"
  static constexpr int kGustMax = 0;     // "&max"
  static constexpr int kGustMin = 1;     // "mi&n"
  static constexpr int kGustCont = 2;    // "&cont"

  WindsockWindowModel();

  TCalvarnWindsock& CalvarnWindsock1() { return windsock_; }
  const TCalvarnWindsock& CalvarnWindsock1() const { return windsock_; }
  const WindsockWindowView& View() const;
  // Told after every change of View() or of the selections made through this model (the
  // windsock tells its own).
  ChangeNotifier& Changed() { return changed_; }
  // While the records have stopped, what the window says of it.
  NoDataNotice& NoData() { return noData_; }
  const NoDataNotice& NoData() const { return noData_; }
  // The averaging, unit and gust selections; the settings load and save them. After loading,
  // ApplySelections() puts them into effect.
  WindsockSelections& Selections() { return selections_; }
  const WindsockSelections& Selections() const { return selections_; }

  // One polar record: direction in whole degrees, speed in m/s, and from a three-axis
  // anemometer the W component.
  void ShowSample(int direction, double speed, std::optional<double> w = std::nullopt);

  // Applies the averaging choice: magnitude type, window length from the output rate (history
  // cleared) and the gust controls. The "&2 min" and "&10min" windows hold the samples of two
  // and ten minutes, at least one and at most TCalvarnWindsock::kMaxRollingAverage.
  void AveragingClick();
  void UnitsGroupClick() { AveragingClick(); }
  // The anemometer's output rate (samples per second, below one for a three-axis anemometer
  // that averages many measurements into each record) changed or was read again.
  void SetSamplesPerSecond(double samplesPerSecond);
  double SamplesPerSecond() const { return samplesPerSecond_; }
  // Selections outside their lists become "no selection"; then the averaging is applied.
  void ApplySelections();

  // The user's choices.
  void SelectAveraging(int item);
  void SelectUnits(int item);
  void SelectGust(int item);
  void SelectRose(int item);

  void ShowWAxis(bool visible);

  // The unit of the current selection; m/s while none is selected.
  const WindsockUnit& Unit() const;

 private:
  TCalvarnWindsock windsock_;
  WindsockSelections selections_;
  double samplesPerSecond_ = 1;
  // The last record's reading, which the read-outs show once View() is asked for.
  struct Reading {
    int gust = 0;  // hundredths of the unit
    const WindsockUnit* gustUnit = nullptr;
    double magnitude = 0;
    std::optional<double> w;
  };
  Reading reading_;
  mutable bool readingShown_ = true;
  mutable WindsockWindowView view_;
  ChangeNotifier changed_;
  NoDataNotice noData_{changed_};
};

}  // namespace ventari
