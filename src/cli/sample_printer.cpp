#include "cli/sample_printer.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "app/sample_json.h"
#include "app/session_parts.h"

namespace ventari {
namespace {

void PrintJson(const std::function<void(const QString&)>& print, const QJsonObject& line) {
  print(QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
}

}  // namespace

void PrintEachSample(LiveDisplays& displays, TriAxisDataApplier& applier,
                     const TriAxisConfig& config, bool json,
                     std::function<void(const QString&)> print) {
  SelectStreamWindsock(displays);
  applier.onSample = [&displays, &config, json,
                      print = std::move(print)](const TriAxisSample& sample) {
    if (!json) {
      if (sample.line) print(*sample.line + QLatin1Char('\n'));
      return;
    }
    PrintJson(print, SampleJson(displays, sample, config));
  };
}

void PrintEachSample(LiveDisplays& displays, TwoAxisDataApplier& applier, bool json,
                     std::function<void(const QString&)> print) {
  SelectStreamWindsock(displays);
  applier.onSample = [&displays, json, print = std::move(print)](const QByteArray&,
                                                                 const TwoAxisSample& sample) {
    if (!json) {
      print(displays.dataDisplay.ScreenLines().back() + QLatin1Char('\n'));
      return;
    }
    PrintJson(print, SampleJson(displays, sample));
  };
}

}  // namespace ventari
