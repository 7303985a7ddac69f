// The live displays' hot paths: a windsock sample at the longest window, chart updates, a
// windsock repaint.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdint>

#include "displays/calvarn_windsock.h"
#include "displays/pgraph.h"
#include "displays/windsock_window_model.h"
#include "gui_application.h"

namespace ventari {
namespace {

// One sample into a full ten-minute window at 10 samples per second (N = 6000).
void BM_WindsockSetDataSample6000(benchmark::State& state) {
  TCalvarnWindsock windsock;
  windsock.SetMagDataType(1);
  windsock.SetRollingAverage(6000);
  for (int i = 0; i < 6000; ++i) windsock.SetDataSample(i % 360, 500 + i % 300);
  int i = 0;
  for (auto _ : state) {
    windsock.SetDataSample(i % 360, 500 + i % 300);
    ++i;
  }
  benchmark::DoNotOptimize(windsock.GetAverageDirection());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WindsockSetDataSample6000);

// A decoded polar record into the windsock window: conversion, averages, read-out texts.
void BM_WindsockShowSample6000(benchmark::State& state) {
  WindsockWindowModel window;
  window.SetSamplesPerSecond(10);
  window.SelectAveraging(WindsockWindowModel::kTenMinutes);
  window.SelectGust(WindsockWindowModel::kGustMax);
  int i = 0;
  for (auto _ : state) {
    window.ShowSample(i % 360, 4.5 + (i % 50) * 0.1);
    ++i;
  }
  benchmark::DoNotOptimize(window.View().windSpeedText.size());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WindsockShowSample6000);

// Records on the graph window's full chart (615 by 449), three points each, with the picture
// looked at (brought up to date: scroll and draw) after every `range(0)` records: 1 is a repaint
// per record, 2 a 50 Hz stream on a window repainted at 25 Hz, 0 a chart nobody looks at.
void BM_ChartUpdate(benchmark::State& state) {
  Tpgraph chart;
  chart.SetSize(QSize(615, 449));
  chart.SetGridSize(25);
  chart.SetScale(400);
  chart.Reset();
  for (int i = 0; i < 200; ++i) {
    chart.DataPoint(kClRed, i % 300 - 150);
    chart.Update();
  }
  const auto lookEvery = state.range(0);
  std::int64_t i = 0;
  for (auto _ : state) {
    chart.DataPoint(kClRed, (i * 7) % 400 - 200);
    chart.DataPoint(kClBlue, (i * 3) % 200);
    chart.DataPoint(kClGreen, i % 50 - 25);
    chart.Update();
    ++i;
    if (lookEvery != 0 && i % lookEvery == 0) chart.DrawCompleted();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChartUpdate)->ArgName("lookEvery")->Arg(1)->Arg(2)->Arg(0);

// The chart's repaint: one copy of its picture onto the screen's.
void BM_ChartRepaint(benchmark::State& state) {
  Tpgraph chart;
  chart.SetSize(QSize(615, 449));
  chart.Reset();
  QImage screen(615, 449, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&screen);
    chart.Paint(painter);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChartRepaint);

// The windsock window's rose (600 by 600) repainted with a new needle, while averaging warms up
// (the waiting text is drawn too).
void BM_WindsockRepaint(benchmark::State& state) {
  EnsureGuiApplication();
  TCalvarnWindsock windsock;
  windsock.SetSize(QSize(600, 600));
  windsock.SetRose(1);
  windsock.SetMagDataType(1);
  windsock.SetRollingAverage(6000);
  QImage screen(600, 600, QImage::Format_RGB32);
  int bearing = 0;
  for (auto _ : state) {
    windsock.SetBearing(bearing);
    QPainter painter(&screen);
    windsock.Paint(painter);
    bearing = (bearing + 7) % 360;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WindsockRepaint);

}  // namespace
}  // namespace ventari
