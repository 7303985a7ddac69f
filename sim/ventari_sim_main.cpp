// ventari-sim: one simulated anemometer served in real time on a pseudo-terminal. The first line
// of standard output is the path to open; the device answers whatever opens it at the line
// settings that side chose. With --link the path is a symbolic link that follows the device
// through being unplugged and plugged in again.
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/qt_runtime.h"
#include "base/version.h"
#include "sim/boot_board.h"
#include "sim/boot_faults.h"
#include "sim/faults.h"
#include "sim/instrument.h"
#include "sim/pty_link.h"
#include "sim/pty_port.h"

namespace {

using ventari::sim::InstrumentOptions;

constexpr int kUsageError = 2;

[[noreturn]] void Refuse(const QString& message) {
  QTextStream(stderr) << "ventari-sim: " << message << "\n";
  std::exit(kUsageError);
}

// Every value of a repeatable option of seconds, in the order given.
std::vector<double> Seconds(const QCommandLineParser& parser, const QString& option) {
  std::vector<double> values;
  for (const QString& text : parser.values(option)) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !(value >= 0)) Refuse(QStringLiteral("--%1 takes a number of seconds").arg(option));
    values.push_back(value);
  }
  return values;
}

// The link to remove when a signal ends the program (no allocation in a signal handler).
char linkOnSignal[4096];

void RemoveLinkAndDie(int number) {
  ::unlink(linkOnSignal);
  std::signal(number, SIG_DFL);
  std::raise(number);
}

void RemoveLinkOnSignals(const QString& path) {
  const QByteArray bytes = path.toLocal8Bit();
  if (bytes.size() >= static_cast<qsizetype>(sizeof linkOnSignal)) return;
  std::memcpy(linkOnSignal, bytes.constData(), static_cast<std::size_t>(bytes.size()) + 1);
  std::signal(SIGINT, RemoveLinkAndDie);
  std::signal(SIGTERM, RemoveLinkAndDie);
}

std::optional<long long> Number(const QCommandLineParser& parser, const QString& option) {
  if (!parser.isSet(option)) return std::nullopt;
  bool ok = false;
  const long long value = parser.value(option).toLongLong(&ok);
  if (!ok || value < 0) Refuse(QStringLiteral("--%1 takes a whole number").arg(option));
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("ventari-sim"));
  QCoreApplication::setApplicationVersion(QLatin1String(ventari::kVersion));

  QStringList models;
  for (const std::string& name : ventari::sim::ModelNames()) models << QString::fromStdString(name);

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Serves one simulated anemometer on a pseudo-terminal and prints the path to open on the "
      "first line of standard output. The device answers only at its own baud rate; at any other "
      "rate it hears nothing and what it sends arrives as garbage."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOptions({
      {QStringLiteral("model"),
       QStringLiteral("The anemometer: %1.").arg(models.join(QStringLiteral(", "))),
       QStringLiteral("M")},
      {QStringLiteral("baud"),
       QStringLiteral("Its baud rate (default: 9600 for the two-axis models, 19200 for T7 and MZ, "
                      "38400 for T7-50 and MZ-50)."),
       QStringLiteral("B")},
      {QStringLiteral("serial"), QStringLiteral("Its six-digit serial number."),
       QStringLiteral("S")},
      {QStringLiteral("software-version"), QStringLiteral("Its software version, such as 3.05."),
       QStringLiteral("V")},
      {QStringLiteral("rate"),
       QStringLiteral("Data messages per second (the nearest rate the model offers; default 1)."),
       QStringLiteral("HZ")},
      {QStringLiteral("seed"), QStringLiteral("Seed of the simulated wind (default 1)."),
       QStringLiteral("N")},
      {QStringLiteral("fault"),
       QStringLiteral("A fault to inject; may be given more than once. noise=P: noise bytes "
                      "before a message; drop=P: a message is not sent; truncate=P: a message is "
                      "cut before its end; blocked=P: blocked paths; three-axis records only: "
                      "empty-temp=P, over-temp=P: an absent or \"+99.99\" temperature; "
                      "blocked-speed=P: a binary speed of 0xB1E0; status=P: a failure, gain or "
                      "mismatch in the status; malformed=P: a lost separator or wrong check byte; "
                      "non-numeric=P: a letter in the first value; Larkvane only: "
                      "silent-checksums=P: D94 and D6 unanswered; garbled-checksum=P: a letter in "
                      "D6's new checksum; short-debug=P: a debug line of 44 characters; "
                      "two-axis only: keep-rate=P: a new baud rate is never taken, the old one "
                      "back after the confirmation window, still in configuration mode; P is a "
                      "probability from 0 to 1 per message. silent=MS: the device stops answering "
                      "after MS milliseconds; vanish=MS: the pseudo-terminal closes after MS "
                      "milliseconds, once (without --link ventari-sim then exits); return=MS: "
                      "with --link, it comes back MS milliseconds after it closed, the device "
                      "having gone on meanwhile; stall=MS: the first data message from MS "
                      "milliseconds on stops halfway; resume=MS: data messages go on MS "
                      "milliseconds after the stall. Kestrix II set to A3 in the calibration bin: "
                      "bin-temp=C: the bin's temperature in degrees C (default 20.0); "
                      "sos-error=M: the error of its speed of sound in m/s."),
       QStringLiteral("fault")},
      {QStringLiteral("boot"),
       QStringLiteral("Instead of an anemometer, a Kestrix II processor in boot mode at 9600 baud, "
                      "as the flash programmer leaves it (a pseudo-terminal has no DTR or RTS to "
                      "drive the programmer with). Its faults: erase-fails: 0x55 is answered "
                      "0xFF; wrong-echo=N: the Nth byte echoed, from 0, comes back wrong; "
                      "silent=MS as above.")},
      {QStringLiteral("link"),
       QStringLiteral("Keep a symbolic link PATH to the pseudo-terminal, made anew when the "
                      "device is plugged in again, and print PATH instead of the "
                      "pseudo-terminal's path. Removed at exit."),
       QStringLiteral("PATH")},
      {QStringLiteral("unplug-at"),
       QStringLiteral("With --link: S seconds after the start, remove the link and close the "
                      "pseudo-terminal, as a USB adapter pulled out. May be given again, each "
                      "after the --replug-at before it."),
       QStringLiteral("S")},
      {QStringLiteral("replug-at"),
       QStringLiteral("With --link, after --unplug-at: S seconds after the start, make a new "
                      "pseudo-terminal and point the link at it; the same device goes on. May be "
                      "given once for each --unplug-at."),
       QStringLiteral("S")},
      {QStringLiteral("trace"),
       QStringLiteral("After the path, copy every byte the device hears to standard output as it "
                      "arrives.")},
  });
  parser.process(app);

  const bool boot = parser.isSet(QStringLiteral("boot"));
  if (!boot && !parser.isSet(QStringLiteral("model"))) {
    Refuse(QStringLiteral("--model or --boot is required"));
  }
  const auto model = ventari::sim::ModelNamed(parser.value(QStringLiteral("model")).toStdString());
  if (!boot && !model) Refuse(QStringLiteral("unknown model; choose one of ") + models.join(", "));

  InstrumentOptions options;
  if (const auto baud = Number(parser, QStringLiteral("baud"))) {
    options.baud = static_cast<std::int32_t>(*baud);
  }
  options.serialNumber = parser.value(QStringLiteral("serial")).toStdString();
  options.softwareVersion = parser.value(QStringLiteral("software-version")).toStdString();
  if (parser.isSet(QStringLiteral("rate"))) {
    bool ok = false;
    options.rateHz = parser.value(QStringLiteral("rate")).toDouble(&ok);
    if (!ok || *options.rateHz <= 0) Refuse(QStringLiteral("--rate takes a positive number"));
  }
  if (const auto seed = Number(parser, QStringLiteral("seed"))) {
    options.seed = static_cast<std::uint32_t>(*seed);
  }
  ventari::sim::BootFaults bootFaults;
  for (const QString& fault : parser.values(QStringLiteral("fault"))) {
    if (!(boot && ventari::sim::ApplyBootFault(fault.toStdString(), bootFaults)) &&
        !ventari::sim::ApplyFault(fault.toStdString(), options.faults)) {
      Refuse(QStringLiteral("cannot read --fault ") + fault);
    }
  }

  const bool linked = parser.isSet(QStringLiteral("link"));
  const auto unplugAt = Seconds(parser, QStringLiteral("unplug-at"));
  const auto replugAt = Seconds(parser, QStringLiteral("replug-at"));
  if ((!unplugAt.empty() || !replugAt.empty()) && !linked) {
    Refuse(QStringLiteral("--unplug-at and --replug-at need --link"));
  }
  // Unplugged, plugged in, unplugged again ...: each time after the one before.
  std::vector<double> moves;
  for (std::size_t i = 0; i < unplugAt.size(); ++i) {
    moves.push_back(unplugAt[i]);
    if (i < replugAt.size()) moves.push_back(replugAt[i]);
  }
  if (replugAt.size() > unplugAt.size() || unplugAt.size() > replugAt.size() + 1 ||
      std::adjacent_find(moves.begin(), moves.end(), std::greater_equal<>()) != moves.end()) {
    Refuse(
        QStringLiteral("--replug-at must come after its --unplug-at, and the next --unplug-at "
                       "after it"));
  }
  // Without a return to wait for, a vanished device ends the run.
  std::size_t losses = 0;
  const auto returns = [&] {
    return ++losses <= replugAt.size() || options.faults.returnAfterMs >= 0;
  };

  ventari::QtRuntime runtime;
  std::unique_ptr<ventari::sim::Instrument> instrument;
  std::unique_ptr<ventari::sim::BootBoard> board;
  std::unique_ptr<ventari::sim::PtyLink> link;
  std::unique_ptr<ventari::sim::PtyPort> pty;
  ventari::sim::LineModel* line = nullptr;
  // Serves the line on a new pseudo-terminal, which the link (if any) points at.
  const auto plugIn = [&] {
    pty = std::make_unique<ventari::sim::PtyPort>(runtime, *line);
    pty->SetLostHandler([&](const QString& why) {
      QTextStream(stderr) << "ventari-sim: " << why << "\n";
      if (link) link->Remove();
      if (!link || !returns()) QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    });
    if (link) link->PointAt(pty->Path());
  };
  try {
    if (boot) {
      board = std::make_unique<ventari::sim::BootBoard>(runtime, options.seed);
      board->Processor().SetFaults(options.faults);
      board->Processor().SetBootFaults(bootFaults);
      board->Processor().Release(/*bootMode=*/true);
    } else {
      instrument = std::make_unique<ventari::sim::Instrument>(runtime, *model, options);
    }
    line = boot ? &board->Line() : &instrument->Line();
    if (linked) {
      link = std::make_unique<ventari::sim::PtyLink>(parser.value(QStringLiteral("link")));
      RemoveLinkOnSignals(link->Path());
    }
    plugIn();
  } catch (const std::exception& error) {
    Refuse(QString::fromLocal8Bit(error.what()));
  }
  line->SetReturnHandler([&] {
    pty.reset();
    try {
      plugIn();
      QTextStream(stderr) << "ventari-sim: the device is back on " << pty->Path() << "\n";
    } catch (const std::exception& error) {
      QTextStream(stderr) << "ventari-sim: " << error.what() << "\n";
      QCoreApplication::exit(1);
    }
  });
  for (const double at : unplugAt) {
    runtime.Schedule(std::llround(at * 1000), [line] { line->Vanish(); });
  }
  for (const double at : replugAt) {
    runtime.Schedule(std::llround(at * 1000), [line] { line->Return(); });
  }
  std::printf("%s\n", (link ? link->Path() : pty->Path()).toLocal8Bit().constData());
  std::fflush(stdout);
  if (parser.isSet(QStringLiteral("trace"))) {
    line->SetHeardHandler([](std::uint8_t byte) {
      std::putchar(byte);
      std::fflush(stdout);
    });
  }
  return app.exec();
}
